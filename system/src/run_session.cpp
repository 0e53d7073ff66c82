// One run recording or replay at a time. A recording is kept in memory and written whole when it
// stops, so that its header can count and check what follows; a replay walks the records in the
// order the program meets them, and the first request that does not match ends it.
#include <corvax/runtime/start_once.h>
#include <corvax/system/run_recording.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include <corvax/runtime/exit_actions.h>
#include <corvax/runtime/immortal.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/random.h>
#include <corvax/stream/stream_functions.h>
#include <corvax/stream/stream_module.h>
#include <corvax/stream/url_text.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/timer.h>

#include "run_file.h"

namespace corvax {
namespace {

enum class Mode { Live, Recording, Replaying };

struct Session {
  Mode mode = Mode::Live;
  std::string url;  // for messages
  // Windows and timers in the order they appeared since the session began.
  std::vector<Ref<Object>> windows;
  std::vector<Ref<TTimer>> timers;
  int frame = 0;
  // Recording
  Ref<TStream> out;
  std::int32_t seed = 0;
  std::vector<std::uint8_t> payload;
  std::uint32_t count = 0;
  bool finishAtExit = false;
  // Replaying
  std::vector<RunRecord> records;
  std::size_t next = 0;
  ReplayPace pace = ReplayPace::Fast;
  bool diverged = false;
};

Session& State() {
  // Never destroyed: the exit action that writes the recording may run after static destructors.
  static auto* const session = &MakeImmortal<Session>();
  return *session;
}

void Append(const RunRecord& record) {
  auto& session = State();
  EncodeRunRecord(record, session.payload);
  ++session.count;
}

template <class T>
std::optional<std::uint32_t> NumberOf(const std::vector<Ref<T>>& known, const Object* object) {
  const auto found = std::find_if(known.begin(), known.end(),
                                  [&](const Ref<T>& entry) { return entry.get() == object; });
  if (found == known.end()) return std::nullopt;
  return static_cast<std::uint32_t>(found - known.begin());
}

void BeginSession(Mode mode, std::string url) {
  auto& session = State();
  session.mode = mode;
  session.url = std::move(url);
  session.windows.clear();
  session.timers.clear();
  session.frame = 0;
}

const char* RecordName(const RunRecord& record) {
  switch (record.kind) {
    case RunRecordKind::Point:
      return "a delivery of input";
    case RunRecordKind::Event:
    case RunRecordKind::Tick:
      return "input outside any delivery";
    case RunRecordKind::Clock:
      return record.clock == RunClockId::Monotonic ? "a reading of the pacing clock"
                                                   : "a reading of the calendar clock";
    case RunRecordKind::Frame:
      return "a presented frame";
  }
  return "an unknown record";
}

// Says once why the replay cannot go on, and lets live input and clocks take over.
void Diverge(const std::string& asked) {
  auto& session = State();
  const std::string held = session.next < session.records.size()
                               ? RecordName(session.records[session.next])
                               : std::string("nothing more (it ends there)");
  std::fprintf(stderr,
               "replay: %s diverged at frame %d: the program %s where the recording holds %s; "
               "replay stops, input is live from here\n",
               session.url.c_str(), session.frame, asked.c_str(), held.c_str());
  session.mode = Mode::Live;
  session.diverged = true;
  session.records.clear();
}

// The next record when it is of `kind`; else the replay diverges and there is none.
const RunRecord* Expect(RunRecordKind kind, const std::string& asked) {
  auto& session = State();
  if (session.next < session.records.size() && session.records[session.next].kind == kind) {
    return &session.records[session.next++];
  }
  Diverge(asked);
  return nullptr;
}

Ref<Object> ReplayedSource(const RunRecord& record, bool& known) {
  const auto& session = State();
  known = true;
  switch (record.sourceKind) {
    case RunSourceKind::None:
      return nullptr;
    case RunSourceKind::Window:
      if (record.source < session.windows.size()) return session.windows[record.source];
      break;
    case RunSourceKind::Timer:
      if (record.source < session.timers.size()) return Ref<Object>(session.timers[record.source]);
      break;
  }
  known = false;
  return nullptr;
}

// The events and ticks recorded at the point just reached, in their order. The cursor moves
// before each is delivered, so a hook that reads a clock meanwhile meets the reading after it.
void DeliverRecordedInput() {
  auto& session = State();
  while (session.mode == Mode::Replaying && session.next < session.records.size()) {
    const RunRecord& record = session.records[session.next];
    if (record.kind != RunRecordKind::Event && record.kind != RunRecordKind::Tick) return;
    bool known = false;
    const Ref<Object> source = ReplayedSource(record, known);
    if (!known) {
      Diverge(record.sourceKind == RunSourceKind::Window ? "has fewer windows"
                                                         : "has started fewer timers");
      return;
    }
    const RunRecord taken = record;
    ++session.next;
    if (taken.kind == RunRecordKind::Tick) {
      Cast<TTimer>(source)->Tick();
    } else {
      MakeEvent(taken.id, source, taken.data, taken.mods, taken.x, taken.y)->Broadcast();
    }
  }
}

// A replay the program outlived says so; one it ended early says so too.
void FinishAtExit() {
  auto& session = State();
  if (session.mode == Mode::Recording) StopRecording();
  if (session.mode == Mode::Replaying && session.next < session.records.size()) {
    std::fprintf(stderr,
                 "replay: %s diverged: the program ended at frame %d where the recording holds "
                 "%zu more records\n",
                 session.url.c_str(), session.frame, session.records.size() - session.next);
    session.diverged = true;
  }
}

// One session at a time: false, and why on standard error, while another runs.
bool NoSessionRuns(const char* refusal, const std::string& url) {
  const Mode mode = State().mode;
  if (mode == Mode::Live) return true;
  std::fprintf(stderr, "%s %s: a %s is running\n", refusal, url.c_str(),
               mode == Mode::Recording ? "recording" : "replay");
  return false;
}

void FinishAtExitOnce() {
  auto& session = State();
  if (session.finishAtExit) return;
  session.finishAtExit = true;
  AddExitAction(&FinishAtExit);
}

}  // namespace

bool RecordRun(const Url& url) {
  StartupRunRecordingModule();
  auto& session = State();
  const std::string text = UrlText(url);
  if (!NoSessionRuns("record: cannot record to", text)) return false;
  Ref<TStream> out;
  try {
    out = OpenWriteStream(url);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "record: cannot record to %s: %s\n", text.c_str(), failure.what());
    return false;
  }
  if (!out) {
    std::fprintf(stderr, "record: cannot record to %s: it cannot be opened for writing\n",
                 text.c_str());
    return false;
  }
  BeginSession(Mode::Recording, text);
  session.out = out;
  session.seed = GetRandomSeed();
  session.payload.clear();
  session.count = 0;
  FinishAtExitOnce();
  return true;
}

bool StopRecording() {
  auto& session = State();
  if (session.mode != Mode::Recording) return true;
  session.mode = Mode::Live;
  const std::vector<std::uint8_t> file =
      EncodeRunFile(session.seed, session.count, session.payload);
  session.payload.clear();
  const Ref<TStream> out = std::move(session.out);
  // The recording holds its windows and timers no longer.
  session.windows.clear();
  session.timers.clear();
  // The file is closed whatever the write did; the first failure is the one said.
  std::string failure;
  bool written = false;
  bool closed = false;
  try {
    written = WriteBlock(out, file.data(), static_cast<int>(file.size())) ==
              static_cast<int>(file.size());
  } catch (const std::exception& thrown) {
    failure = thrown.what();
  }
  try {
    closed = CloseStream(out) == 0;
  } catch (const std::exception& thrown) {
    if (failure.empty()) failure = thrown.what();
  }
  // The last buffered bytes reach the file as it closes: a full disk shows only there.
  if (failure.empty() && !written) failure = "short write";
  if (failure.empty() && !closed) failure = "it could not be closed";
  if (failure.empty()) return true;
  std::fprintf(stderr, "record: cannot write %s: %s\n", session.url.c_str(), failure.c_str());
  return false;
}

bool IsRecordingRun() {
  return State().mode == Mode::Recording;
}

bool ReplayRun(const Url& url, ReplayPace pace) {
  StartupRunRecordingModule();
  auto& session = State();
  const std::string text = UrlText(url);
  if (!NoSessionRuns("replay: cannot replay", text)) return false;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = LoadBytes(url);
  } catch (const std::exception&) {
    std::fprintf(stderr, "replay: cannot replay %s: it cannot be read\n", text.c_str());
    return false;
  }
  std::string error;
  std::optional<RunFile> file = DecodeRunFile(bytes, error);
  if (!file) {
    std::fprintf(stderr, "replay: cannot replay %s: %s\n", text.c_str(), error.c_str());
    return false;
  }
  BeginSession(Mode::Replaying, text);
  session.records = std::move(file->records);
  session.next = 0;
  session.pace = pace;
  session.diverged = false;
  SetRandomSeed(file->randomSeed);
  FinishAtExitOnce();
  return true;
}

void StopReplay() {
  auto& session = State();
  if (session.mode != Mode::Replaying) return;
  session.mode = Mode::Live;
  session.records.clear();
  session.next = 0;
  session.windows.clear();
  session.timers.clear();
}

bool IsReplayingRun() {
  return State().mode == Mode::Replaying;
}

bool ReplayDiverged() {
  return State().diverged;
}

void DeliverSystemEvent(const Ref<TEvent>& event) {
  auto& session = State();
  if (session.mode == Mode::Replaying) return;
  if (session.mode == Mode::Recording) {
    RunRecord record;
    record.kind = RunRecordKind::Event;
    record.id = event->id;
    if (const auto window = NumberOf(session.windows, event->source.get())) {
      record.sourceKind = RunSourceKind::Window;
      record.source = *window;
    } else if (const auto timer = NumberOf(session.timers, event->source.get())) {
      record.sourceKind = RunSourceKind::Timer;
      record.source = *timer;
    }
    record.data = event->data;
    record.mods = event->mods;
    record.x = event->x;
    record.y = event->y;
    Append(record);
  }
  event->Broadcast();
}

bool AcceptTimerTick(TTimer& timer) {
  auto& session = State();
  if (session.mode == Mode::Replaying) return false;
  if (session.mode == Mode::Recording) {
    if (const auto number = NumberOf(session.timers, &timer)) {
      RunRecord record;
      record.kind = RunRecordKind::Tick;
      record.sourceKind = RunSourceKind::Timer;
      record.source = *number;
      Append(record);
    }
  }
  return true;
}

void NoteTimerStarted(TTimer& timer) {
  auto& session = State();
  if (session.mode != Mode::Live) session.timers.emplace_back(&timer);
}

void NoteWindowSource(const Ref<Object>& source) {
  auto& session = State();
  if (session.mode == Mode::Live || !source) return;
  if (!NumberOf(session.windows, source.get())) session.windows.push_back(source);
}

void RunDeliveryPoint() {
  auto& session = State();
  if (session.mode == Mode::Recording) {
    Append(RunRecord{});
  } else if (session.mode == Mode::Replaying) {
    if (Expect(RunRecordKind::Point, "let input be delivered")) DeliverRecordedInput();
  }
}

std::int64_t ReadRunClock(RunClockId clock, std::int64_t live) {
  auto& session = State();
  if (session.mode == Mode::Recording) {
    RunRecord record;
    record.kind = RunRecordKind::Clock;
    record.clock = clock;
    record.reading = live;
    Append(record);
  } else if (session.mode == Mode::Replaying) {
    const std::string asked =
        clock == RunClockId::Monotonic ? "read the pacing clock" : "read the calendar clock";
    if (const RunRecord* record = Expect(RunRecordKind::Clock, asked)) {
      if (record->clock == clock) return record->reading;
      --session.next;
      Diverge(asked);
    }
  }
  return live;
}

void NoteRunFrame() {
  auto& session = State();
  if (session.mode == Mode::Recording) {
    RunRecord record;
    record.kind = RunRecordKind::Frame;
    Append(record);
  } else if (session.mode == Mode::Replaying) {
    Expect(RunRecordKind::Frame, "presented a frame");
  }
  ++session.frame;
}

bool RunWaits() {
  const auto& session = State();
  return session.mode != Mode::Replaying || session.pace == ReplayPace::Recorded;
}

void StartupRunRecordingModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamModule();
  StartupEventModule();
}

}  // namespace corvax
