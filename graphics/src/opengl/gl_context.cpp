#include "gl_context.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include <corvax/system/backend/sdl_support.h>

#include <corvax/graphics/backend/display_mode_choice.h>
#include <corvax/runtime/immortal.h>
#include "gl_attributes.h"

namespace corvax {
namespace {

// Past this, window systems refuse or misbehave; a request that large is a mistake.
constexpr int kMaxWindowSide = 16384;

struct PlatformState {
  std::vector<std::unique_ptr<GLContextRecord>> live;  // newest first
  GLContextRecord* current = nullptr;
  GLContextRecord* shared = nullptr;  // never freed: other contexts' textures live in it
  bool sharedTried = false;
};

// Never destroyed: the exit action that closes the default graphics may run after static
// destructors.
PlatformState& Platform() {
  static auto* const state = &MakeImmortal<PlatformState>();
  return *state;
}

// SDL falls back to drivers that show nothing when there is no display. Graphics nobody can
// see are no graphics, unless the user asked for such a driver by name.
bool ShowsNothing(const char* driver) {
  if (!driver) return true;
  const std::string name = driver;
  if (name != "offscreen" && name != "dummy") return false;
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return !asked || std::string(asked).find(name) == std::string::npos;
}

// The window and context current on the thread, to put back after SDL made another current.
struct CurrentGL {
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  SDL_GLContext context = SDL_GL_GetCurrentContext();
  void Restore() const {
    if (context) {
      SDL_GL_MakeCurrent(window, context);
    } else {
      SDL_GL_MakeCurrent(nullptr, nullptr);
    }
  }
};

// A context for window sharing the shared context's objects (when there is one).
SDL_GLContext CreateContextFor(SDL_Window* window, GLContextRecord* shared) {
  const CurrentGL before;
  if (shared) {
    SDL_GL_MakeCurrent(RecordWindow(shared), shared->context);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  before.Restore();
  return context;
}

GLContextRecord* MakeSharedRecord(int flags) {
  ApplyBufferRequest(BufferRequestForFlags(flags));
  SDL_Window* window = SDL_CreateWindow(
      "", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (!window) return nullptr;
  SDL_GLContext context = CreateContextFor(window, nullptr);
  if (!context) {
    SDL_DestroyWindow(window);
    return nullptr;
  }
  auto* record = &MakeImmortal<GLContextRecord>();
  record->kind = GLContextKind::Shared;
  record->width = 1;
  record->height = 1;
  record->flags = flags;
  record->windowId = SDL_GetWindowID(window);
  record->context = context;
  return record;
}

// A window the display could not give answers null, and the user reads why.
GLContextRecord* RefuseWindow(const std::string& why) {
  std::fprintf(stderr, "corvax: cannot open graphics: %s\n", why.c_str());
  return nullptr;
}

// Why SDL's last call failed, read straight after it.
std::string SdlFailure(const char* what) {
  return std::string(what) + ": " + SDL_GetError();
}

// Why there is no video to open graphics on.
std::string NoVideoReason() {
  if (!InitSdlSubsystem(SDL_INIT_VIDEO)) return SdlFailure("no display");
  const char* driver = SDL_GetCurrentVideoDriver();
  return std::string("no display: SDL's video driver \"") + (driver ? driver : "") +
         "\" shows nothing";
}

GLContextRecord* AddLive(std::unique_ptr<GLContextRecord> record) {
  auto& live = Platform().live;
  live.insert(live.begin(), std::move(record));
  return live.front().get();
}

[[noreturn]] void FailDisplayMode() {
  ThrowRuntimeError(u"GLGraphicsDriver failed to set display mode");
}

// Puts a hidden window into full screen at the chosen mode; throws when the display refuses.
void EnterFullScreen(SDL_Window* window, int width, int height, int depth, int hertz) {
  const std::optional<DisplayModeChoice> choice =
      ChooseDisplayMode(PrimaryDisplayModes(), width, height, depth, hertz);
  SDL_DisplayMode mode;
  if (!choice || SDL_GetDisplayMode(0, choice->index, &mode) != 0) FailDisplayMode();
  if (!choice->rateKept) mode.refresh_rate = 0;
  if (SDL_SetWindowDisplayMode(window, &mode) != 0 ||
      SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
    FailDisplayMode();
  }
}

bool ShowsFullScreenAt(SDL_Window* window, int width, int height) {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) && display >= 0 &&
         SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.w == width && mode.h == height;
}

}  // namespace

bool VideoRunning() {
  static bool hinted = false;
  if (!hinted) {
    hinted = true;
    // A full-screen window gives the display mode back while it lacks the focus.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
  }
  return InitSdlSubsystem(SDL_INIT_VIDEO) && !ShowsNothing(SDL_GetCurrentVideoDriver());
}

std::vector<DisplayModeEntry> PrimaryDisplayModes() {
  std::vector<DisplayModeEntry> modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) break;
    modes.push_back(
        {mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate});
  }
  return modes;
}

SDL_Window* RecordWindow(const GLContextRecord* record) {
  return record ? SDL_GetWindowFromID(record->windowId) : nullptr;
}

GLContextRecord* SharedContextRecord() {
  auto& platform = Platform();
  if (platform.shared || platform.sharedTried) return platform.shared;
  if (!VideoRunning()) return nullptr;
  platform.sharedTried = true;
  // Without a back buffer first, as the shared context never presents; some systems offer
  // only double-buffered formats.
  platform.shared = MakeSharedRecord(0);
  if (!platform.shared) platform.shared = MakeSharedRecord(2);
  return platform.shared;
}

GLContextRecord* CreateWindowRecord(int width, int height, int depth, int hertz, int flags) {
  if (width < 1 || height < 1 || width > kMaxWindowSide || height > kMaxWindowSide || depth < 0 ||
      hertz < 0) {
    return nullptr;
  }
  if (!VideoRunning()) return RefuseWindow(NoVideoReason());
  GLContextRecord* shared = SharedContextRecord();
  if (!shared) return RefuseWindow(SdlFailure("no OpenGL context"));
  const bool fullScreen = depth != 0;
  ApplyBufferRequest(BufferRequestForFlags(flags));
  const std::string title = ToUtf8(AppTitle());
  const int position = fullScreen ? 0 : 32;
  SDL_Window* window = SDL_CreateWindow(title.c_str(), position, position, width, height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) return RefuseWindow(SdlFailure("no window"));
  SDL_GLContext context = nullptr;
  try {
    if (fullScreen) EnterFullScreen(window, width, height, depth, hertz);
    context = CreateContextFor(window, shared);
  } catch (...) {
    SDL_DestroyWindow(window);
    throw;
  }
  if (!context) {
    RefuseWindow(SdlFailure("no OpenGL context"));
    SDL_DestroyWindow(window);
    return nullptr;
  }
  auto record = std::make_unique<GLContextRecord>();
  record->kind = fullScreen ? GLContextKind::FullScreen : GLContextKind::Windowed;
  record->width = width;
  record->height = height;
  record->depth = depth;
  record->hertz = hertz;
  record->flags = flags;
  record->windowId = SDL_GetWindowID(window);
  record->context = context;
  GLContextRecord* added = AddLive(std::move(record));
  SDL_ShowWindow(window);
  // The mode changes as the window shows; a display that then refused it leaves the window
  // at another size.
  if (fullScreen && !ShowsFullScreenAt(window, width, height)) {
    CloseRecord(added);
    FailDisplayMode();
  }
  return added;
}

GLContextRecord* AttachWindowRecord(int windowId, int flags) {
  if (!VideoRunning()) return RefuseWindow(NoVideoReason());
  GLContextRecord* shared = SharedContextRecord();
  if (!shared) return RefuseWindow(SdlFailure("no OpenGL context"));
  SDL_Window* window = SDL_GetWindowFromID(static_cast<Uint32>(windowId));
  if (!window || window == RecordWindow(shared) ||
      !(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL)) {
    return nullptr;
  }
  ApplyBufferRequest(BufferRequestForFlags(flags));
  SDL_GLContext context = CreateContextFor(window, shared);
  if (!context) return nullptr;
  auto record = std::make_unique<GLContextRecord>();
  record->kind = GLContextKind::Attached;
  SDL_GetWindowSize(window, &record->width, &record->height);
  record->flags = flags;
  record->windowId = SDL_GetWindowID(window);
  record->context = context;
  return AddLive(std::move(record));
}

void CloseRecord(GLContextRecord* record) {
  auto& platform = Platform();
  const auto found = std::find_if(platform.live.begin(), platform.live.end(),
                                  [record](const auto& live) { return live.get() == record; });
  if (found == platform.live.end()) return;
  if (platform.current == record) MakeRecordCurrent(nullptr);
  ClearWindowEventSource(record->windowId);
  SDL_GL_DeleteContext(record->context);
  // An attached window belongs to the application.
  SDL_Window* window = RecordWindow(record);
  if (window && record->kind != GLContextKind::Attached) SDL_DestroyWindow(window);
  platform.live.erase(found);
}

bool IsLiveRecord(const GLContextRecord* record) {
  const auto& live = Platform().live;
  return std::any_of(live.begin(), live.end(),
                     [record](const auto& item) { return item.get() == record; });
}

int LiveRecordCount() {
  return static_cast<int>(Platform().live.size());
}

GLContextRecord* CurrentRecord() {
  return Platform().current;
}

void MakeRecordCurrent(GLContextRecord* record) {
  auto& platform = Platform();
  if (platform.current == record) return;
  platform.current = record;
  SDL_Window* window = RecordWindow(record);
  if (window) {
    SDL_GL_MakeCurrent(window, record->context);
  } else if (SDL_WasInit(SDL_INIT_VIDEO)) {
    SDL_GL_MakeCurrent(nullptr, nullptr);
  }
}

void SwitchToOrFromSharedContext() {
  GLContextRecord* shared = SharedContextRecord();
  if (!shared) return;
  if (SDL_GL_GetCurrentContext() != shared->context) {
    SDL_GL_MakeCurrent(RecordWindow(shared), shared->context);
  } else if (SDL_Window* window = RecordWindow(Platform().current)) {
    SDL_GL_MakeCurrent(window, Platform().current->context);
  } else {
    SDL_GL_MakeCurrent(nullptr, nullptr);
  }
}

void PresentCurrentRecord(int sync) {
  GLContextRecord* record = Platform().current;
  SDL_Window* window = RecordWindow(record);
  if (!window) return;
  const int interval = sync != 0 ? 1 : 0;
  if (interval != record->swapInterval) {
    record->swapInterval = interval;
    // Unsupported intervals leave the present as it was.
    SDL_GL_SetSwapInterval(interval);
  }
  SDL_GL_SwapWindow(window);
}

}  // namespace corvax
