// A 2,000-character paragraph drawn per frame with a shaped font (HarfBuzz, FriBidi, glyph
// atlas), beside SDL_ttf (built with HarfBuzz) rendering the same lines with the same font file
// and size in the same run: Latin, and CJK, which has far more distinct glyphs. Our frames end
// with glFinish, so rasterising is inside the figure; SDL_ttf's blend each line into a surface
// and copy it onto a frame-sized surface, all on the processor.
// The ...ToScreen figures add what it takes to show SDL_ttf's pixels with OpenGL: one texture
// updated per frame and drawn.
// Run under Xvfb with Mesa: the ratio tells the cost of the text, not the display's speed.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>
#include <string>
#include <vector>

#include <corvax/freetype/freetype_module.h>
#include <corvax/graphics/graphics_module.h>
#include <corvax/plex2d/plex2d_module.h>

namespace {

using namespace corvax;

constexpr int kCharacters = 2000;
constexpr int kPixels = 16;
constexpr int kWidth = 820;
constexpr int kHeight = 760;
constexpr int kLineSpacing = 19;
const char* const kLatinFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kCjkFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

// The paragraph cut into lines of equal length, as UTF-8.
std::vector<std::string> LatinLines() {
  const std::string words =
      "The quick brown fox jumps over the lazy dog; offices of waffle makers flourish. ";
  std::string text;
  while (text.size() < kCharacters) text += words;
  text.resize(kCharacters);
  std::vector<std::string> lines;
  constexpr std::size_t kPerLine = 80;
  for (std::size_t i = 0; i < text.size(); i += kPerLine) lines.push_back(text.substr(i, kPerLine));
  return lines;
}

// 2,000 ideographs, 1,000 of them distinct, 50 to a line.
std::vector<std::string> CjkLines() {
  std::u16string text;
  for (int i = 0; i < kCharacters; ++i) text += static_cast<char16_t>(0x4E00 + (i * 7) % 1000);
  std::vector<std::string> lines;
  constexpr std::size_t kPerLine = 50;
  for (std::size_t i = 0; i < text.size(); i += kPerLine) {
    lines.push_back(ToUtf8(text.substr(i, kPerLine)));
  }
  return lines;
}

void DrawWithShapedFont(benchmark::State& state, const char* fontFile,
                        const std::vector<std::string>& utf8Lines) {
  StartupFreeTypeModule();
  SelectGraphicsDriver(GLPlex2DDriver(), 2);
  if (!OpenGraphics(kWidth, kHeight, 0, 0)) {
    state.SkipWithError("graphics cannot be opened (no display?)");
    return;
  }
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(fontFile), kPixels, 0);
  if (!font) {
    state.SkipWithError("font missing (scripts/install-deps)");
    CloseDefaultGraphics();
    return;
  }
  std::vector<String> lines;
  for (const std::string& line : utf8Lines) lines.push_back(FromUtf8(line));
  SetTextFont(font);
  SetBlendMode(BLEND_ALPHA);
  for (auto _ : state) {
    ClearScreen();
    float y = 0;
    for (const String& line : lines) {
      DrawTextAt(line, 0, y);
      y += kLineSpacing;
    }
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kCharacters);
  SetTextFont(nullptr);
  CloseDefaultGraphics();
}

// The frame's pixels to the screen as a program showing SDL_ttf's text with OpenGL would: one
// texture, updated each frame, drawn as one quad.
class ScreenTexture {
 public:
  ScreenTexture() {
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kTextureSide, kTextureSide, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, nullptr);
  }
  ~ScreenTexture() { glDeleteTextures(1, &texture_); }
  ScreenTexture(const ScreenTexture&) = delete;
  ScreenTexture& operator=(const ScreenTexture&) = delete;

  void Show(const SDL_Surface& frame) const {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, frame.pitch / 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, frame.w, frame.h, GL_BGRA, GL_UNSIGNED_BYTE,
                    frame.pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    const float u = static_cast<float>(frame.w) / kTextureSide;
    const float v = static_cast<float>(frame.h) / kTextureSide;
    const auto w = static_cast<float>(frame.w);
    const auto h = static_cast<float>(frame.h);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(u, 0);
    glVertex2f(w, 0);
    glTexCoord2f(u, v);
    glVertex2f(w, h);
    glTexCoord2f(0, v);
    glVertex2f(0, h);
    glEnd();
    glFinish();
  }

 private:
  static constexpr int kTextureSide = 1024;
  GLuint texture_ = 0;
};

// With toScreen, each frame also goes to the screen through ScreenTexture.
void DrawWithSdlTtf(benchmark::State& state, const char* fontFile,
                    const std::vector<std::string>& lines, bool toScreen) {
  if (toScreen) {
    StartupPlex2DModule();
    SelectGraphicsDriver(GLPlex2DDriver(), 2);
    if (!OpenGraphics(kWidth, kHeight, 0, 0)) {
      state.SkipWithError("graphics cannot be opened (no display?)");
      return;
    }
  }
  if (TTF_Init() != 0) {
    state.SkipWithError(TTF_GetError());
    if (toScreen) CloseDefaultGraphics();
    return;
  }
  TTF_Font* font = TTF_OpenFont(fontFile, kPixels);
  SDL_Surface* frame =
      SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!font || !frame) {
    state.SkipWithError("font missing (scripts/install-deps) or no surface");
  } else {
    const std::unique_ptr<ScreenTexture> screen =
        toScreen ? std::make_unique<ScreenTexture>() : nullptr;
    const SDL_Color black{0, 0, 0, 255};
    for (auto _ : state) {
      SDL_FillRect(frame, nullptr, 0xFFFFFFFFu);
      SDL_Rect place{0, 0, 0, 0};
      for (const std::string& line : lines) {
        SDL_Surface* text = TTF_RenderUTF8_Blended(font, line.c_str(), black);
        if (text) SDL_BlitSurface(text, nullptr, frame, &place);
        SDL_FreeSurface(text);
        place.y += kLineSpacing;
      }
      if (screen) screen->Show(*frame);
      benchmark::DoNotOptimize(frame->pixels);
    }
    state.SetItemsProcessed(state.iterations() * kCharacters);
  }
  SDL_FreeSurface(frame);
  if (font) TTF_CloseFont(font);
  TTF_Quit();
  if (toScreen) CloseDefaultGraphics();
}

// The frame alone, cleared and finished: what every shaped-font figure includes besides text.
void EmptyFrame(benchmark::State& state) {
  DrawWithShapedFont(state, kLatinFont, {});
}
BENCHMARK(EmptyFrame)->UseRealTime()->Unit(benchmark::kMillisecond);

void LatinParagraphShapedFont(benchmark::State& state) {
  DrawWithShapedFont(state, kLatinFont, LatinLines());
}
BENCHMARK(LatinParagraphShapedFont)->UseRealTime()->Unit(benchmark::kMillisecond);

void LatinParagraphSdlTtf(benchmark::State& state) {
  DrawWithSdlTtf(state, kLatinFont, LatinLines(), false);
}
BENCHMARK(LatinParagraphSdlTtf)->UseRealTime()->Unit(benchmark::kMillisecond);

void LatinParagraphSdlTtfToScreen(benchmark::State& state) {
  DrawWithSdlTtf(state, kLatinFont, LatinLines(), true);
}
BENCHMARK(LatinParagraphSdlTtfToScreen)->UseRealTime()->Unit(benchmark::kMillisecond);

void CjkParagraphShapedFont(benchmark::State& state) {
  DrawWithShapedFont(state, kCjkFont, CjkLines());
}
BENCHMARK(CjkParagraphShapedFont)->UseRealTime()->Unit(benchmark::kMillisecond);

void CjkParagraphSdlTtf(benchmark::State& state) {
  DrawWithSdlTtf(state, kCjkFont, CjkLines(), false);
}
BENCHMARK(CjkParagraphSdlTtf)->UseRealTime()->Unit(benchmark::kMillisecond);

void CjkParagraphSdlTtfToScreen(benchmark::State& state) {
  DrawWithSdlTtf(state, kCjkFont, CjkLines(), true);
}
BENCHMARK(CjkParagraphSdlTtfToScreen)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
