#pragma once
/// @file
/// @ingroup system
/// Recording a run and replaying it. A recording holds everything that made a run what it was
/// for the program: each event the system driver delivered (keys, characters, mouse, wheel,
/// window and application events, timer ticks) at the point of the run where it arrived, each
/// reading of the framework's clocks (frame pacing, the date and time texts), the frames
/// presented, and the random seed in force when recording began. A replay feeds all of that
/// back instead of the live input and clocks, so a program that depends on nothing else draws
/// the same frames again.
///
/// Call first: RecordRun or ReplayRun, before the program opens graphics or starts timers, so
/// that every window and timer of the run is known to the recording. Example:
/// examples/replay.cpp.
///
/// The file, all numbers little-endian:
///
/// | Offset | Size | Contents |
/// |---|---|---|
/// | 0 | 8 | "CVXRUN", then the bytes 0x1A 0x0A |
/// | 8 | 2 | format version, 1 |
/// | 10 | 4 | the random seed (GetRandomSeed) when recording began |
/// | 14 | 4 | number of records |
/// | 18 | 4 | payload length in bytes |
/// | 22 | 4 | CRC-32 (zlib's) of bytes 0 to 21 followed by the payload |
/// | 26 | | payload: the records, in the order the run met them |
///
/// Each record starts with a kind byte:
///
/// | Kind | Record | Then |
/// |---|---|---|
/// | 1 | delivery point: a pump, a wait or a pointer move | nothing |
/// | 2 | event delivered at the latest point | event id (4), source kind (1: 0 none, 1 window, 2
/// timer), source number (4: windows and timers are numbered from 0 in the order they appeared),
/// data, mods, x, y (4 each) | | 3 | timer tick at the latest point | timer number (4) | | 4 |
/// clock reading | clock (1: 1 pacing clock in nanoseconds, 2 calendar seconds since 1970), reading
/// (8, signed) | | 5 | frame presented | nothing |
///
/// A file that does not start with the magic bytes, has another version, is shorter or longer
/// than its payload length says, fails its check, holds an unknown record or a cut-off one, or
/// holds another number of records than announced is refused.
#include <corvax/stream/url.h>

namespace corvax {

/// How fast a replay goes.
enum class ReplayPace {
  Fast,      ///< presents and waits return at once: as fast as the machine draws
  Recorded,  ///< paced presents wait as long as they waited when recording
};

/// Starts recording the run; the file is written when StopRecording is called or the program
/// ends normally. A failure is said in one line on standard error.
/// @param url Where the recording goes (a file path or a stream url).
/// @return False when the url cannot be written or a replay or recording is running.
/// @sa ReplayRun, StopRecording
bool RecordRun(const Url& url);
/// Writes the recording and stops recording; nothing when not recording. A failure to write is
/// said in one line on standard error.
/// @return False when the file could not be written.
bool StopRecording();
/// @return Whether a recording is running.
bool IsRecordingRun();

/// Replays a recording: from now on the events, clock readings and random seed come from it.
/// When the program asks for something the recording does not hold at that point, or goes on
/// after its end, the replay says so once on standard error and stops; input and clocks are
/// then live again. It never makes up input.
/// @param url The recording.
/// @param pace Fast, or at the recorded pace.
/// @return False, with the reason in one line on standard error, when the file cannot be read,
/// is not a whole undamaged recording, or a replay or recording is running.
/// @sa RecordRun
bool ReplayRun(const Url& url, ReplayPace pace = ReplayPace::Fast);
/// Ends the replay that runs, where it stands: input and clocks are live again. Nothing when none
/// runs.
void StopReplay();
/// @return Whether a replay is running (it stops at a divergence).
bool IsReplayingRun();
/// @return Whether the replay that ran diverged from its recording (stays true once it did).
bool ReplayDiverged();

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupRunRecordingModule();

}  // namespace corvax
