// The file functions on Windows: drive letters and '\' are the platform's own there, names are
// UTF-16 and read-only is an attribute.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <corvax/stream/filesystem.h>
#include <corvax/stream/stream_module.h>

#include "temp_dir.h"

namespace corvax {
namespace {

namespace fs = std::filesystem;

class WindowsFileSystem : public ::testing::Test {
 protected:
  void SetUp() override { StartupStreamModule(); }
  String P(const std::wstring& name) const {
    const std::wstring wide = (dir_.path() / name).wstring();
    return String(wide.begin(), wide.end());
  }
  testing::TempDir dir_;
};

TEST_F(WindowsFileSystem, DriveLettersAndBackslashesNameTheSameFiles) {
  const String windows = u"C:\\windows";
  EXPECT_EQ(PathKind(windows), PATH_DIRECTORY);
  EXPECT_EQ(PathKind(u"c:/WINDOWS/"), PATH_DIRECTORY);
  std::ofstream(dir_.path() / "f.txt") << "12345";
  String backslashed = P(L"f.txt");
  for (auto& c : backslashed) {
    if (c == u'/') c = u'\\';
  }
  EXPECT_EQ(PathSize(backslashed), 5);
  EXPECT_EQ(FileNamePart(backslashed), u"f.txt");
}

TEST_F(WindowsFileSystem, NamesOutsideTheAnsiCodePageRoundTrip) {
  const std::wstring name = L"\u00e9t\u00e9-\u65e5\u672c-\u0416.txt";
  const String path = P(name);
  ASSERT_EQ(MakeEmptyFile(path), 1);
  EXPECT_TRUE(fs::exists(dir_.path() / name));
  const Array<String> names = ListDirectory(P(L""));
  ASSERT_EQ(names.Items().size(), 1u);
  EXPECT_EQ(names.Items()[0], String(name.begin(), name.end()));
  EXPECT_EQ(MovePath(path, P(L"b.txt")), 1);
  EXPECT_EQ(PathKind(P(L"b.txt")), PATH_FILE);
  EXPECT_EQ(RemoveFile(P(L"b.txt")), 1);
}

TEST_F(WindowsFileSystem, ReadOnlyIsTheOwnerWriteBit) {
  const String path = P(L"r.txt");
  std::ofstream(dir_.path() / "r.txt") << "x";
  SetPathPermissions(path, 0444);
  EXPECT_EQ(PathPermissions(path) & 0222, 0);
  // Replacing and removing still work on a read-only file, as on POSIX.
  EXPECT_EQ(MakeEmptyFile(path), 1);
  EXPECT_EQ(PathSize(path), 0);
  SetPathPermissions(path, 0444);
  EXPECT_EQ(RemoveFile(path), 1);
  EXPECT_EQ(PathKind(path), PATH_MISSING);
}

TEST_F(WindowsFileSystem, MovingOntoAFileReplacesIt) {
  std::ofstream(dir_.path() / "a.txt") << "aaa";
  std::ofstream(dir_.path() / "b.txt") << "b";
  EXPECT_EQ(MovePath(P(L"a.txt"), P(L"b.txt")), 1);
  EXPECT_EQ(PathSize(P(L"b.txt")), 3);
  EXPECT_EQ(PathKind(P(L"a.txt")), PATH_MISSING);
}

TEST_F(WindowsFileSystem, TreesAndTheWorkingDirectory) {
  EXPECT_EQ(MakeDirectory(P(L"x\\y\\z"), true), 1);
  std::ofstream(dir_.path() / "x" / "y" / "f") << "data";
  EXPECT_EQ(CopyDirectoryTree(P(L"x"), P(L"copy")), 1);
  EXPECT_EQ(PathSize(P(L"copy/y/f")), 4);
  const String original = WorkingDirectory();
  ASSERT_EQ(SetWorkingDirectory(P(L"copy")), 1);
  EXPECT_EQ(PathKind(u"y\\f"), PATH_FILE);
  EXPECT_EQ(WorkingDirectory().find(u'\\'), String::npos);
  ASSERT_EQ(SetWorkingDirectory(original), 1);
  EXPECT_EQ(RemoveDirectory(P(L"copy"), true), 1);
  EXPECT_EQ(RemoveDirectory(P(L"x"), true), 1);
  EXPECT_FALSE(fs::exists(dir_.path() / "x"));
}

TEST_F(WindowsFileSystem, MissingPathsAreResultsNotFaults) {
  EXPECT_EQ(PathKind(P(L"none")), PATH_MISSING);
  EXPECT_EQ(PathSize(P(L"none")), -1);
  EXPECT_EQ(PathModifiedTime(P(L"none")), 0);
  EXPECT_FALSE(OpenDirectory(P(L"none")));
  EXPECT_EQ(CopyFileContents(P(L"none"), P(L"other")), 0);
  EXPECT_EQ(RemoveFile(P(L"none")), 1);
  EXPECT_EQ(MovePath(P(L"none"), P(L"other")), 0);
}

}  // namespace
}  // namespace corvax
