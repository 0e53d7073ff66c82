#pragma once
/// @file
/// @ingroup system
/// Where the framework's own producers of input and time meet a run recording or replay
/// (run_recording.h): the system driver delivers its events through here, the graphics core
/// reads its clock and notes its frames through here.
/// Shared between modules of the framework, not meant for programs.
#include <cstdint>

#include <corvax/system/event.h>

namespace corvax {

class TTimer;

/// The clocks a run reads.
enum class RunClockId : std::uint8_t {
  Monotonic = 1,  ///< the pacing clock, nanoseconds
  Calendar = 2,   ///< seconds since 1970
};

/// Broadcasts an event the system driver made from platform input. While recording it is kept;
/// while replaying, live input is dropped (the recording's arrives instead).
/// @param event The event.
void DeliverSystemEvent(const Ref<TEvent>& event);
/// @param timer A timer whose platform tick arrived.
/// @return Whether the tick counts: not while replaying (the recording's ticks count instead).
bool AcceptTimerTick(TTimer& timer);
/// Numbers a newly started timer for the recording.
/// @param timer The timer.
void NoteTimerStarted(TTimer& timer);
/// Numbers a window's event source for the recording.
/// @param source The object that owns the window.
void NoteWindowSource(const Ref<Object>& source);
/// Marks a point where the program lets the system deliver events; while replaying, delivers
/// the recording's events of that point.
void RunDeliveryPoint();
/// @param clock Which clock.
/// @param live The clock's live reading.
/// @return The reading the run sees: the recorded one while replaying, else `live`.
std::int64_t ReadRunClock(RunClockId clock, std::int64_t live);
/// Notes a presented frame.
void NoteRunFrame();
/// @return False while replaying fast: presents and waits return at once then.
bool RunWaits();

}  // namespace corvax
