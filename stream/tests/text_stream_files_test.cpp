#include <gtest/gtest.h>

#include <fstream>

#include <corvax/stream/stream_module.h>

#include "temp_dir.h"

namespace corvax {
namespace {

using Bytes = std::vector<std::uint8_t>;

class TextFiles : public ::testing::Test {
 protected:
  void SetUp() override { StartupStreamModule(); }
  std::string File(const Bytes& bytes) {
    const std::string path = dir / ("file" + std::to_string(++files));
    SaveBytes(bytes, path);
    return path;
  }
  testing::TempDir dir;
  int files = 0;
};

TEST_F(TextFiles, AByteOrderMarkSelectsTheEncodingAndIsDropped) {
  EXPECT_EQ(LoadText(File({255, 254, 0xAC, 0x20, 'a', 0})), u"\u20ACa");
  EXPECT_EQ(LoadText(File({254, 255, 0x20, 0xAC, 0, 'a'})), u"\u20ACa");
  EXPECT_EQ(LoadText(File({239, 187, 191, 226, 130, 172, 'a'})), u"\u20ACa");
  EXPECT_EQ(LoadText(File({255, 254})), u"");
}

TEST_F(TextFiles, WithoutAMarkEveryByteIsOneCharacter) {
  EXPECT_EQ(LoadText(File({239, 187})), u"\u00EF\u00BB");
  EXPECT_EQ(LoadText(File({239, 187, 'x', 'y'})), u"\u00EF\u00BBxy");
  EXPECT_EQ(LoadText(File({255})), u"\u00FF");
  EXPECT_EQ(LoadText(File({})), u"");
  Bytes big(5000);
  String expected;
  for (int i = 0; i < 5000; ++i) {
    big[i] = static_cast<std::uint8_t>(i * 31);
    expected += static_cast<char16_t>(big[i]);
  }
  EXPECT_EQ(LoadText(File(big)), expected);
}

TEST_F(TextFiles, SaveTextUsesOneBytePerCharacterWhileItCan) {
  const std::string path = dir / "narrow.txt";
  SaveText(u"caf\u00E9\r\n", path);
  EXPECT_EQ(LoadBytes(path), (Bytes{'c', 'a', 'f', 0xE9, '\r', '\n'}));
  EXPECT_EQ(LoadText(path), u"caf\u00E9\r\n");
}

TEST_F(TextFiles, SaveTextChoosesUtf16LittleEndianForWiderCharacters) {
  const std::string path = dir / "wide.txt";
  const String text = u"\u00E9\u20AC\U0001F600";
  SaveText(text, path);
  EXPECT_EQ(LoadBytes(path), (Bytes{255, 254, 0xE9, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE}));
  EXPECT_EQ(LoadText(path), text);
}

TEST_F(TextFiles, TextsThroughOtherProtocols) {
  SaveText(u"\u0416", "littleendian::" + dir / "nested.txt");
  EXPECT_EQ(LoadText("bigendian::" + dir / "nested.txt"), u"\u0416");
}

TEST_F(TextFiles, UnopenableUrlsFailWithTheNullObjectError) {
  EXPECT_THROW(LoadText(dir / "missing.txt"), TNullObjectException);
  EXPECT_THROW(SaveText(u"\u20AC", dir / "no/such/dir.txt"), TNullObjectException);
  EXPECT_THROW(SaveText(u"a", dir / "no/such/dir.txt"), TNullObjectException);
}

TEST_F(TextFiles, TruncatedUnicodeFailsClearly) {
  EXPECT_THROW(LoadText(File({255, 254, 'a', 0, 'b'})), TStreamReadException);
  EXPECT_THROW(LoadText(File({254, 255, 0})), TStreamReadException);
  EXPECT_THROW(LoadText(File({239, 187, 191, 'a', 226, 130})), TStreamReadException);
}

}  // namespace
}  // namespace corvax
