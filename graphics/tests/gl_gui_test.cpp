// The OpenGL driver on a real X server (Xvfb with Mesa): windows, contexts, the shared
// context, presenting, closing and display modes.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <corvax/graphics/backend/gl_direct_support.h>
#include <corvax/graphics/graphics_module.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/system_module.h>

#include "child_process.h"
#include "opengl/gl_context.h"
#include "private_display.h"

namespace corvax {
namespace {

using Pixel = std::array<int, 4>;

Pixel ReadPixel(int x, int y) {
  unsigned char rgba[4] = {};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

void Clear(float r, float g, float b) {
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

class GLGui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { privateDisplay_.Start(); }
  static void TearDownTestSuite() { privateDisplay_.Stop(); }

  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display";
    StartupGraphicsModule();
    SelectGraphicsDriver(GLGraphicsDriver(), 2);
    ASSERT_TRUE(VideoRunning()) << SDL_GetError();
  }
  void TearDown() override {
    CloseDefaultGraphics();
    PumpSystem();
  }

  // Where Xvfb is missing, a display given by the environment serves instead.
  static inline testing::PrivateDisplay privateDisplay_;
};

TEST_F(GLGui, WindowedGraphicsClearPresentAndReadBack) {
  const Ref<TGraphics> graphics = OpenGraphics(160, 120, 0, 0);
  ASSERT_TRUE(graphics);
  const Ref<TGLGraphics> gl = Cast<TGLGraphics>(graphics);
  ASSERT_TRUE(gl);
  EXPECT_EQ(graphics->Driver(), GLGraphicsDriver());
  EXPECT_EQ(CurrentGraphicsWidth(), 160);
  EXPECT_EQ(CurrentGraphicsHeight(), 120);
  EXPECT_EQ(CurrentGraphicsDepth(), 0);
  EXPECT_EQ(CurrentGraphicsFlags(), GRAPHICS_BACKBUFFER);

  int width = 0, height = 0;
  SDL_GetWindowSize(gl->Window(), &width, &height);
  EXPECT_EQ(width, 160);
  EXPECT_EQ(height, 120);
  EXPECT_TRUE(SDL_GetWindowFlags(gl->Window()) & SDL_WINDOW_SHOWN);
  EXPECT_EQ(WindowEventSource(static_cast<std::uint32_t>(gl->WindowId())), graphics)
      << "the window's events name the graphics as their source";
  int doubleBuffered = 0;
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffered);
  EXPECT_EQ(doubleBuffered, 1);

  Clear(0, 1, 0);
  EXPECT_EQ(ReadPixel(80, 60), (Pixel{0, 255, 0, 255}));
  glScissor(0, 0, 10, 10);
  glEnable(GL_SCISSOR_TEST);
  Clear(1, 0, 0);
  glDisable(GL_SCISSOR_TEST);
  EXPECT_EQ(ReadPixel(5, 5), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(ReadPixel(15, 15), (Pixel{0, 255, 0, 255}));
  PresentFrame(-1);
}

TEST_F(GLGui, RequestedBuffersAreThere) {
  ASSERT_TRUE(OpenGraphics(64, 64, 0, 0,
                           GRAPHICS_DEPTHBUFFER | GRAPHICS_STENCILBUFFER | GRAPHICS_ALPHABUFFER));
  EXPECT_EQ(CurrentGraphicsFlags(), 2 | 4 | 8 | 16);
  GLint bits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &bits);
  EXPECT_GT(bits, 0);
  glGetIntegerv(GL_STENCIL_BITS, &bits);
  EXPECT_GT(bits, 0);
  glGetIntegerv(GL_ALPHA_BITS, &bits);
  EXPECT_GT(bits, 0);
}

// A 1 x 1 texture of the colour, made in the shared context.
GLuint MakeSharedTexture(const unsigned char (&rgba)[4]) {
  GLGraphicsDriver()->SwitchSharedContext();
  EXPECT_EQ(SDL_GL_GetCurrentContext(), SharedContextRecord()->context);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glFinish();
  GLGraphicsDriver()->SwitchSharedContext();
  return texture;
}

// Fills the current context's viewport with the texture.
void DrawTexture(GLuint texture) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor4ub(255, 255, 255, 255);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(1, 0);
  glVertex2f(1, -1);
  glTexCoord2f(1, 1);
  glVertex2f(1, 1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, 1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

TEST_F(GLGui, TexturesMadeInTheSharedContextServeEveryContextAndOutliveThem) {
  const Ref<TGraphics> first = OpenGraphics(64, 64, 0, 0);
  const Ref<TGraphics> second = CreateGraphicsContext(32, 32, 0, 0, 0);
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  GLContextRecord* firstRecord = Cast<TGLGraphics>(first)->Record();
  ASSERT_EQ(CurrentRecord(), firstRecord);

  const GLuint texture = MakeSharedTexture({200, 100, 50, 255});
  EXPECT_EQ(SDL_GL_GetCurrentContext(), firstRecord->context) << "switched back";
  EXPECT_EQ(CurrentRecord(), firstRecord);

  DrawTexture(texture);
  EXPECT_EQ(ReadPixel(10, 10), (Pixel{200, 100, 50, 255}));

  CloseGraphicsContext(first);
  MakeGraphicsCurrent(second);
  EXPECT_EQ(CurrentGraphicsWidth(), 32);
  Clear(0, 0, 0);
  DrawTexture(texture);
  EXPECT_EQ(ReadPixel(10, 10), (Pixel{200, 100, 50, 255})) << "the texture outlived its first user";
  CloseGraphicsContext(second);

  // With no context current, the switch goes to the shared context and back to none.
  GLGraphicsDriver()->SwitchSharedContext();
  EXPECT_EQ(SDL_GL_GetCurrentContext(), SharedContextRecord()->context);
  EXPECT_EQ(glIsTexture(texture), GL_TRUE);
  glDeleteTextures(1, &texture);
  GLGraphicsDriver()->SwitchSharedContext();
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
}

TEST_F(GLGui, ClosedGraphicsAreInertAndReopeningWorks) {
  const std::int32_t start = GraphicsSequence();
  const Ref<TGLGraphics> first = Cast<TGLGraphics>(OpenGraphics(100, 80, 0, 0));
  ASSERT_TRUE(first);
  const int windowId = first->WindowId();
  EXPECT_EQ(LiveRecordCount(), 1);

  CloseDefaultGraphics();
  EXPECT_EQ(GraphicsSequence(), start + 2);
  EXPECT_FALSE(first->IsOpen());
  EXPECT_EQ(first->Window(), nullptr);
  EXPECT_EQ(SDL_GetWindowFromID(static_cast<Uint32>(windowId)), nullptr) << "window destroyed";
  EXPECT_FALSE(WindowEventSource(static_cast<std::uint32_t>(windowId)));
  EXPECT_EQ(LiveRecordCount(), 0);
  EXPECT_EQ(CurrentRecord(), nullptr);
  int width = -1, height = -1, depth = -1, hertz = -1, flags = -1;
  first->GetSettings(width, height, depth, hertz, flags);
  EXPECT_EQ(width + height + depth + hertz + flags, 0);
  first->CloseContext();
  CloseGraphicsContext(first);
  MakeGraphicsCurrent(first);  // selects nothing
  EXPECT_EQ(CurrentRecord(), nullptr);
  PresentFrame(-1);  // nothing current: nothing happens

  const Ref<TGLGraphics> second = Cast<TGLGraphics>(OpenGraphics(120, 90, 0, 0));
  ASSERT_TRUE(second);
  EXPECT_EQ(GraphicsSequence(), start + 3);
  Clear(0, 0, 1);
  EXPECT_EQ(ReadPixel(60, 45), (Pixel{0, 0, 255, 255}));
  PresentFrame(0);
}

TEST_F(GLGui, EachContextKeepsTheSwapIntervalItsPresentsAskFor) {
  ASSERT_TRUE(OpenGraphics(64, 64, 0, 0));
  GLContextRecord* first = CurrentRecord();
  EXPECT_EQ(first->swapInterval, -1) << "the first present always sets it";
  // Where the GL cannot change the interval (Xvfb), the request is still remembered.
  const bool settable = SDL_GL_SetSwapInterval(0) == 0;
  GLGraphicsDriver()->Present(1);
  EXPECT_EQ(first->swapInterval, 1);
  if (settable) {
    EXPECT_EQ(SDL_GL_GetSwapInterval(), 1);
  }
  GLGraphicsDriver()->Present(0);
  EXPECT_EQ(first->swapInterval, 0);
  if (settable) {
    EXPECT_EQ(SDL_GL_GetSwapInterval(), 0);
  }
  GLGraphicsDriver()->Present(1);

  const Ref<TGraphics> other = CreateGraphicsContext(32, 32, 0, 0, 0);
  MakeGraphicsCurrent(other);
  GLContextRecord* second = CurrentRecord();
  EXPECT_EQ(second->swapInterval, -1) << "a new context has not been told anything yet";
  GLGraphicsDriver()->Present(0);
  EXPECT_EQ(second->swapInterval, 0);
  MakeGraphicsCurrent(DefaultGraphics());
  EXPECT_EQ(first->swapInterval, 1);
  if (settable) {
    EXPECT_EQ(SDL_GL_GetSwapInterval(), 1);
  }
  CloseGraphicsContext(other);
}

TEST_F(GLGui, ModesListTheDisplayAtSixteenBitsOrMore) {
  const Array<Ref<TGraphicsMode>> modes = ListGraphicsModes();
  ASSERT_GT(modes.Length(), 0);
  for (const Ref<TGraphicsMode>& mode : modes) EXPECT_GE(mode->depth, 16);
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  EXPECT_EQ(HasGraphicsMode(desktop.w, desktop.h, 0, 0), 1);
}

TEST_F(GLGui, FullScreenAtAModeTheDisplayLacksFailsCleanly) {
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  if (HasGraphicsMode(640, 480, 0, 0)) GTEST_SKIP() << "this display offers 640x480";
  const std::int32_t sequence = GraphicsSequence();
  EXPECT_FALSE(OpenGraphics(640, 480, 16, 72));
  EXPECT_FALSE(OpenGraphics(desktop.w + 1, desktop.h, 24, 0));
  EXPECT_EQ(GraphicsSequence(), sequence);
  EXPECT_FALSE(DefaultGraphics());
  EXPECT_EQ(LiveRecordCount(), 0) << "no window left behind";
  SDL_DisplayMode now;
  ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &now), 0);
  EXPECT_EQ(now.w, desktop.w);
  EXPECT_EQ(now.h, desktop.h);
}

TEST_F(GLGui, FullScreenAtTheDisplaysModeOpensAndPaces) {
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  const Ref<TGLGraphics> graphics = Cast<TGLGraphics>(OpenGraphics(desktop.w, desktop.h, 16, 72));
  ASSERT_TRUE(graphics);
  EXPECT_TRUE(SDL_GetWindowFlags(graphics->Window()) & SDL_WINDOW_FULLSCREEN);
  EXPECT_EQ(CurrentGraphicsDepth(), 16);
  EXPECT_EQ(CurrentGraphicsHertz(), 72);
  Clear(1, 1, 0);
  EXPECT_EQ(ReadPixel(desktop.w - 1, desktop.h - 1), (Pixel{255, 255, 0, 255}));
  PresentFrame(-1);
  CloseDefaultGraphics();
  EXPECT_EQ(LiveRecordCount(), 0);
}

TEST_F(GLGui, BadRequestsMakeNoGraphics) {
  EXPECT_FALSE(OpenGraphics(0, 100, 0, 0));
  EXPECT_FALSE(OpenGraphics(100, -1, 0, 0));
  EXPECT_FALSE(OpenGraphics(100, 100, -16, 0));
  EXPECT_FALSE(OpenGraphics(100, 100, 0, -60));
  EXPECT_FALSE(OpenGraphics(1 << 20, 100, 0, 0));
  EXPECT_EQ(LiveRecordCount(), 0);
}

TEST_F(GLGui, AttachedWindowsStayTheApplications) {
  SDL_Window* window =
      SDL_CreateWindow("application", 50, 50, 90, 70, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  const int id = static_cast<int>(SDL_GetWindowID(window));
  const Ref<TGraphics> graphics = AttachGraphicsContext(id, 0);
  ASSERT_TRUE(graphics);
  MakeGraphicsCurrent(graphics);
  EXPECT_EQ(CurrentGraphicsWidth(), 90);
  EXPECT_EQ(CurrentGraphicsDepth(), 0);
  EXPECT_EQ(CurrentGraphicsHertz(), 0);
  Clear(1, 0, 1);
  EXPECT_EQ(ReadPixel(45, 35), (Pixel{255, 0, 255, 255}));
  PresentFrame(-1);

  SDL_SetWindowSize(window, 110, 60);
  PumpSystem();
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
  graphics->GetSettings(width, height, depth, hertz, flags);
  EXPECT_EQ(width, 110) << "an attached window reports its current size";
  EXPECT_EQ(height, 60);
  EXPECT_EQ(flags, 2);

  CloseGraphicsContext(graphics);
  EXPECT_EQ(SDL_GetWindowFromID(static_cast<Uint32>(id)), window) << "left in place";
  SDL_DestroyWindow(window);

  SDL_Window* plain = SDL_CreateWindow("no GL", 0, 0, 20, 20, SDL_WINDOW_HIDDEN);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(AttachGraphicsContext(static_cast<int>(SDL_GetWindowID(plain)), 0));
  SDL_DestroyWindow(plain);
  EXPECT_FALSE(AttachGraphicsContext(id, 0)) << "a window that is gone";
  EXPECT_FALSE(AttachGraphicsContext(-7, 0));
}

TEST_F(GLGui, AnAttachedWindowDestroyedFirstLeavesAnInertContext) {
  SDL_Window* window =
      SDL_CreateWindow("application", 50, 50, 40, 30, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  const Ref<TGLGraphics> graphics =
      Cast<TGLGraphics>(AttachGraphicsContext(static_cast<int>(SDL_GetWindowID(window)), 0));
  ASSERT_TRUE(graphics);
  MakeGraphicsCurrent(graphics);
  SDL_DestroyWindow(window);

  EXPECT_EQ(graphics->Window(), nullptr);
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
  graphics->GetSettings(width, height, depth, hertz, flags);
  EXPECT_EQ(width, 40) << "the last size known";
  PresentFrame(-1);
  MakeGraphicsCurrent(nullptr);
  MakeGraphicsCurrent(graphics);
  GLGraphicsDriver()->SwitchSharedContext();
  GLGraphicsDriver()->SwitchSharedContext();
  CloseGraphicsContext(graphics);
  EXPECT_EQ(LiveRecordCount(), 0);
}

TEST_F(GLGui, SavedMatricesComeBack) {
  ASSERT_TRUE(OpenGraphics(64, 64, 0, 0));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 64, 64, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(3, 4, 0);
  SaveGLMatrices();
  EXPECT_DOUBLE_EQ(SavedModelViewMatrix()[12], 3);
  EXPECT_DOUBLE_EQ(SavedProjectionMatrix()[0], 2.0 / 64);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  RestoreGLMatrices();
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  double matrix[16];
  glGetDoublev(GL_PROJECTION_MATRIX, matrix);
  EXPECT_DOUBLE_EQ(matrix[0], 2.0 / 64);
  glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_DOUBLE_EQ(matrix[13], 4);
}

TEST_F(GLGui, GraphicsLeftOpenCloseAtExit) {
  const testing::ChildResult result = testing::RunChild(CORVAX_GRAPHICS_EXIT_PROBE, {});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("title=Corvax Application\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("at exit: default=closed windows=1\n"), std::string::npos)
      << result.out;
}

}  // namespace
}  // namespace corvax
