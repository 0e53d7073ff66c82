// A page cannot move the system pointer. Once the program moves it, the position the program
// reads is the program's own: the browser's pointer lock (asked for on the canvas, granted on a
// click) holds the real pointer and its motion arrives as deltas added to that position, kept
// inside the window. Until the lock is granted, and whenever it is lost, the real pointer's
// moves are not the program's: the position stays where the program put it.
#include <emscripten.h>

#include <SDL2/SDL.h>

#include <algorithm>

#include <corvax/runtime/immortal.h>

#include "desktop.h"

namespace corvax {
namespace {

// Each click on the canvas asks for the lock again, so Escape in the browser (which releases it)
// costs one click. (EM_JS passes its body through the C preprocessor, which splits `=>` and
// `!==`: plain functions and loose comparisons here.)
EM_JS(void, LockPointerOnClick, (), {
  var canvas = Module['canvas'];
  if (!canvas || canvas.corvaxLocksPointer) return;
  canvas.corvaxLocksPointer = true;
  canvas.addEventListener(
      'mousedown', function() {
        if (document.pointerLockElement != canvas && canvas.requestPointerLock) {
          var asked = canvas.requestPointerLock();
          // Newer browsers answer with a promise; a refusal there is no error of the page's.
          if (asked && asked.catch) asked.catch(function(){});
        }
      });
});
EM_JS(int, PointerLocked, (), {
  return document.pointerLockElement && document.pointerLockElement == Module['canvas'] ? 1 : 0;
});

struct SteeredPointer {
  bool steering = false;
  int x = 0;
  int y = 0;
};

SteeredPointer& Steered() {
  // Never destroyed: SDL may still filter events while the program exits.
  static auto* const pointer = &MakeImmortal<SteeredPointer>();
  return *pointer;
}

// Runs as SDL queues each event; returning 0 drops it.
int SteerMotion(void*, SDL_Event* event) {
  SteeredPointer& pointer = Steered();
  if (event->type != SDL_MOUSEMOTION || !pointer.steering) return 1;
  if (!PointerLocked()) return 0;
  int width = 0;
  int height = 0;
  if (SDL_Window* window = SDL_GetWindowFromID(event->motion.windowID)) {
    SDL_GetWindowSize(window, &width, &height);
  }
  pointer.x = std::clamp(pointer.x + event->motion.xrel, 0, std::max(width - 1, 0));
  pointer.y = std::clamp(pointer.y + event->motion.yrel, 0, std::max(height - 1, 0));
  event->motion.x = pointer.x;
  event->motion.y = pointer.y;
  return 1;
}

}  // namespace

void MovePointerOnDesktop(SDL_Window*, int x, int y) {
  SteeredPointer& pointer = Steered();
  if (!pointer.steering) {
    pointer.steering = true;
    LockPointerOnClick();
    SDL_SetEventFilter(&SteerMotion, nullptr);
  }
  pointer.x = x;
  pointer.y = y;
}

}  // namespace corvax
