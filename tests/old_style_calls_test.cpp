// Programs written when yes/no results, flags and modes were plain ints still build and mean
// the same: the calls below are the shapes such programs use, compiled against today's headers.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include <corvax/corvax.h>

#include "temp_dir.h"

namespace corvax {
namespace {

// Never run: it only has to compile. Integer arguments where the headers now name a type.
[[maybe_unused]] void IntegerArgumentsStillCompile(const Ref<TImage>& image) {
  SetBlendMode(3);
  SetBlendMode(BLEND_ALPHA);
  const int mode = GetBlendMode();
  SetBlendMode(mode);
  const int modes[] = {BLEND_MASK, BLEND_SOLID, 4};
  SetBlendMode(modes[2]);
  Ref<TImage> loaded = LoadImageFromUrl("ball.png", 1 | 2);
  loaded = CreateBlankImage(4, 4, 1, -1);
  SetDefaultImageFlags(IMAGE_MASK | 4);
  LockImageFrame(image, 0, 1, 0);
  SetAutoMidHandle(1);
  DrawLineSegment(0, 0, 1, 1, 0);
  ShowNotice(u"text", 1);
  if (AskConfirm(u"text", 0) == 1) AskProceed(u"text", 1);
  ChooseFile(u"title", u"png", 1);
  SetPollOnQuery(0);
  OpenSound("tone.wav", 1);
  OpenGraphics(640, 480, 0, 0, kGraphicsBackBuffer | 8);
  const int keys = IsKeyDown(KEY_A) + IsMouseDown(1);
  if (keys == 2 || TakeAppTerminate() != 0) return;
  const int kind = PathKind(u"x");
  if (kind == kPathDirectory || PathKind(u"y") == 1) return;
  if (RemoveFile(u"x") == 0 || MakeDirectory(u"x") != 1) return;
}

// Replication's slot types and states under their earlier names, in the shapes programs use:
// switch labels, the enumeration's scope, and values of the enumeration's own type.
[[maybe_unused]] int OldReplicationNamesStillCompile(const Ref<TGNetObject>& object) {
  const GNetSlotType type = GNetSlotType::kGNetString;
  GNetState state = kGNetInStep;
  switch (object->State()) {
    case kGNetCreated:
    case kGNetModified:
      state = kGNetModified;
      break;
    case GNetState::kGNetDead:
      return kGNetEmpty;
    default:
      break;
  }
  return type == kGNetString ? state : kGNetDead;
}

static_assert(kGNetEmpty == GNET_EMPTY && kGNetInt == GNET_INT && kGNetFloat == GNET_FLOAT &&
              kGNetString == GNET_STRING && kGNetByte == GNET_BYTE && kGNetShort == GNET_SHORT);
static_assert(kGNetNew == GNET_NEW && kGNetCreated == GNET_CREATED &&
              kGNetModified == GNET_MODIFIED && kGNetClosed == GNET_CLOSED &&
              kGNetInStep == GNET_IN_STEP && kGNetMessage == GNET_MESSAGE &&
              kGNetDead == GNET_DEAD);
static_assert(std::is_same_v<decltype(kGNetInt), decltype(GNET_INT)> &&
              std::is_same_v<decltype(kGNetDead), GNetState>);

static_assert(std::is_same_v<decltype(IsKeyDown(0)), bool>);
static_assert(std::is_same_v<decltype(PathKind(u"")), PathKindValue>);
static_assert(std::is_same_v<decltype(GetBlendMode()), BlendMode>);
static_assert(std::is_same_v<ImageFlags, int> && std::is_same_v<GraphicsFlags, int> &&
              std::is_same_v<SoundFlags, int> && std::is_same_v<ModifierFlags, int>);
static_assert(BLEND_MULTIPLY == 5 && IMAGE_DYNAMIC == 8 && SOUND_LOOP == 1);
static_assert(kGraphicsBackBuffer == GRAPHICS_BACKBUFFER && kModifierAlt == MODIFIER_ALT &&
              kPathFile == PATH_FILE && PATH_DIRECTORY == 2);
static_assert(TTextStream::kUtf8 == TTextStream::ENCODING_UTF8 && TTextStream::kLatin1 == 1 &&
              TCStream::kReadWrite == TCStream::MODE_READ_WRITE && TCStream::kWrite == 2);

TEST(OldStyleCalls, YesNoResultsCompareWithZeroAndOneAsBefore) {
  const testing::TempDir dir;
  const String folder = FromUtf8(dir / "d");
  EXPECT_EQ(MakeDirectory(folder), 1);
  EXPECT_EQ(PathKind(folder), 2);
  const int kind = PathKind(folder);
  EXPECT_EQ(kind, PATH_DIRECTORY);
  EXPECT_EQ(RemoveDirectory(folder), 1);
  EXPECT_EQ(PathKind(folder), 0);
  EXPECT_NE(MovePath(folder, FromUtf8(dir / "e")), 1);
}

}  // namespace
}  // namespace corvax
