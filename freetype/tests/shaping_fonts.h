#pragma once
// The Debian fonts the shaping tests draw with (scripts/install-deps installs them); a test
// skips when one is missing.
#include <gtest/gtest.h>

#include <fstream>

#include <corvax/freetype/freetype_module.h>

namespace corvax::testing {

inline constexpr const char* kLatinFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// Without Arabic, so that the chain's Arabic comes from the Arabic font.
inline constexpr const char* kSerifFont = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
inline constexpr const char* kCjkFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
inline constexpr const char* kArabicFont =
    "/usr/share/fonts/opentype/fonts-hosny-amiri/Amiri-Regular.ttf";
inline constexpr const char* kEmojiFont =
    "/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf";

#define CORVAX_NEED_FONT(path) \
  if (!std::ifstream(path)) GTEST_SKIP() << (path) << " missing (scripts/install-deps)"

// Latin first, then CJK, Arabic and emoji, at 32 pixels.
inline Ref<TShapedFont> ChainOfFonts() {
  Ref<TShapedFont> font = LoadShapedFont(From8Bit(kSerifFont), 32, 0);
  if (!font || !font->AddFallbackFont(From8Bit(kCjkFont)) ||
      !font->AddFallbackFont(From8Bit(kArabicFont)) ||
      !font->AddFallbackFont(From8Bit(kEmojiFont))) {
    return nullptr;
  }
  return font;
}

}  // namespace corvax::testing
