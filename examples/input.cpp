// Keyboard and mouse, polled and as events. A real program reads what the user does; here the
// program plays the user's part by broadcasting the events the system driver makes from real
// key presses and mouse moves, so it runs the same anywhere.
#include <cstdio>

#include <corvax/corvax.h>
using namespace corvax;

// A hook sees every event as it is broadcast, before the program asks for it. Returning the
// data passes the event on to the hooks after this one.
Ref<Object> LogKeys(int, const Ref<Object>& data, const Ref<Object>&) {
  if (auto event = Cast<TEvent>(data); event && event->id == EventId::KeyDown)
    std::printf("hook: key %d went down\n", event->data);
  return data;
}

void Main() {
  StartupCorvax();
  InstallHook(EventHookId(), LogKeys, nullptr);
  StartPolledInput();  // OpenGraphics starts it too; here there is no window

  // What the user does: press and release A, click the left button at (40, 30), press Escape.
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_A));
  BroadcastEvent(MakeEvent(EventId::KeyUp, nullptr, KEY_A));
  BroadcastEvent(MakeEvent(EventId::MouseMove, nullptr, 0, 0, 40, 30));
  BroadcastEvent(MakeEvent(EventId::MouseDown, nullptr, MOUSE_LEFT, 0, 40, 30));
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_ESCAPE));

  // Polled input: how often a key was hit since last asked, whether it is down now, where the
  // pointer is. A game loop asks these once per frame.
  std::printf("polled: A hit %d times, down now: %d\n", KeyHitCount(KEY_A), IsKeyDown(KEY_A));
  std::printf("polled: Escape down now: %d\n", IsKeyDown(KEY_ESCAPE));
  std::printf("polled: left button hit %d times, pointer at %d,%d\n", MouseHitCount(MOUSE_LEFT),
              PointerX(), PointerY());

  // The event queue keeps every event in order; NextEvent makes the next one active (0: none).
  while (NextEvent() != 0) {
    std::printf("queue: %s\n", ToUtf8(ActiveEvent()->ToString()).c_str());
  }
  UninstallHook(EventHookId(), LogKeys, nullptr);
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
