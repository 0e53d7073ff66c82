// Timers: a timer ticks at a rate in hertz; a program waits for ticks, counts them, or has each
// tick arrive as an event.
#include <cstdio>

#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();

  // Waiting: AwaitTimer sleeps until the next tick and says how many ticks came since the
  // previous call (more than 1 when the program was late). A steady 50 Hz loop:
  Ref<TTimer> timer = StartTimer(50);
  int ticks = 0;
  while (ticks < 10) ticks += AwaitTimer(timer);
  std::printf("waited for %d ticks of %d ms each\n", ticks, TimerPeriodMs(50));
  CancelTimer(timer);  // timers run until cancelled

  // Events: every tick is also broadcast as a TimerTick event with the timer as its source and
  // the tick count as its data, so ticks can come through the event queue with everything else.
  Ref<TTimer> ticker = StartTimer(100);
  int seen = 0;
  while (seen < 3) {
    if (AwaitEvent() == EventId::TimerTick && ActiveEventSource() == ticker) {
      ++seen;
      std::printf("tick event %d\n", seen);
    }
  }
  CancelTimer(ticker);
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
