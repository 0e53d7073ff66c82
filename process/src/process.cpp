#include <corvax/process/process.h>

#include <corvax/runtime/list.h>

#include "process_glue.h"

namespace corvax {
namespace {

TList& ProcessList() {
  // Never destroyed: the exit action that empties it may run after static destructors.
  static auto* list = new Ref<TList>(New<TList>());
  return **list;
}

}  // namespace

TProcess::TProcess(String command) : command_(std::move(command)) {}

TProcess::~TProcess() = default;

int TProcess::IsRunning() {
  if (!processInfo_) return 0;
  return process_glue::ProcessRunning(*processInfo_) ? 1 : 0;
}

void TProcess::ClosePipes() {
  if (pipe_) pipe_->Close();
  if (err_) err_->Close();
  pipe_ = nullptr;
  err_ = nullptr;
}

int TProcess::Kill() {
  ProcessList().Remove(Ref<Object>(this));
  if (!processInfo_) return 0;
  const int result = process_glue::KillProcessTree(*processInfo_);
  exitStatus_ = processInfo_->status;
  processInfo_.reset();
  return result;
}

int TProcess::ExitStatus() {
  if (!processInfo_) return exitStatus_;
  process_glue::ProcessRunning(*processInfo_);
  return processInfo_->status;
}

int TProcess::ProcessId() const {
  return processInfo_ ? static_cast<int>(processInfo_->pid) : 0;
}

Ref<TProcess> TProcess::Start(const String& command, int flags) {
  auto started = process_glue::StartProcess(To8Bit(command), flags);
  if (!started.record) return nullptr;
  Ref<TProcess> process(new TProcess(command));
  process->processInfo_ = std::move(started.record);
  process->pipe_ = TPipeStream::Create(started.outputRead, started.inputWrite);
  process->err_ = TPipeStream::Create(started.errorRead, -1);
  ProcessList().AddLast(process);
  return process;
}

void TProcess::KillAll() {
  for (const auto& object : ProcessList().ToArray()) {
    auto process = Cast<TProcess>(object);
    process->Kill();
    process->ClosePipes();
  }
}

Ref<TProcess> SpawnProcess(const String& command, int flags) {
  return TProcess::Start(command, flags);
}

bool IsProcessRunning(const Ref<TProcess>& process) {
  return process->IsRunning();
}

bool KillProcess(const Ref<TProcess>& process) {
  return process->Kill();
}

}  // namespace corvax
