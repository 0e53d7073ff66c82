#pragma once
// The platform layer of the OpenGL driver: context records over SDL windows and OpenGL
// contexts. Every context shares textures and display lists with one hidden shared context.
#include <cstdint>
#include <vector>

#include <corvax/runtime/runtime_module.h>

#include <corvax/graphics/backend/display_mode_choice.h>

struct SDL_Window;

namespace corvax {

enum class GLContextKind { Shared = 0, Attached = 1, Windowed = 2, FullScreen = 3 };

struct GLContextRecord {
  GLContextKind kind = GLContextKind::Shared;
  int width = 0;
  int height = 0;
  int depth = 0;
  int hertz = 0;
  int flags = 0;
  // By id, not by pointer: the application may destroy an attached window first.
  std::uint32_t windowId = 0;
  void* context = nullptr;  // SDL_GLContext
  // The swap interval last set on this context; -1 until the first present sets it.
  int swapInterval = -1;
};

// The record's window, or nullptr once it is gone.
SDL_Window* RecordWindow(const GLContextRecord* record);

// Starts SDL video; false without a display that shows windows.
bool VideoRunning();
// The modes of the primary display in SDL's order (an index here is SDL's mode index).
std::vector<DisplayModeEntry> PrimaryDisplayModes();

// The hidden 1 x 1 context made on first need and kept for the process's life; nullptr when
// OpenGL cannot be had (no display, say).
GLContextRecord* SharedContextRecord();

// nullptr when the window or context cannot be made. A full-screen request whose size the
// display lacks throws TRuntimeException "GLGraphicsDriver failed to set display mode".
GLContextRecord* CreateWindowRecord(int width, int height, int depth, int hertz, int flags);
// A context on the application's SDL window (made with SDL_WINDOW_OPENGL), by its window id;
// nullptr when there is no such window or no context can be made for it.
GLContextRecord* AttachWindowRecord(int windowId, int flags);
// Releases the context, and the window unless it belongs to the application. Records that are
// not live (closed already) are left alone.
void CloseRecord(GLContextRecord* record);
bool IsLiveRecord(const GLContextRecord* record);
int LiveRecordCount();

// The record whose context is current on the thread (nullptr for none).
GLContextRecord* CurrentRecord();
void MakeRecordCurrent(GLContextRecord* record);
// Toggles between the shared context and the current record's.
void SwitchToOrFromSharedContext();

// Presents the current record's back buffer, setting its swap interval when it changes.
void PresentCurrentRecord(int sync);

}  // namespace corvax
