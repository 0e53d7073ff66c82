#include "process_glue.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include <corvax/runtime/string.h>

namespace corvax::process_glue {
namespace {

// What a child killed with the family reports, as a child killed by SIGKILL does on POSIX.
constexpr DWORD kKilledStatus = 128 + 9;

HANDLE AsHandle(int fd) {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd));
}

int AsDescriptor(HANDLE handle) {
  // Kernel handles are kept within 32 bits, so that 32- and 64-bit programs can share them.
  return static_cast<int>(reinterpret_cast<std::intptr_t>(handle));
}

// The child's process handle and the job that holds it and everything it starts.
struct NativeChild {
  HANDLE process = nullptr;
  HANDLE job = nullptr;
  ~NativeChild() {
    if (process) ::CloseHandle(process);
    if (job) ::CloseHandle(job);
  }
};

NativeChild& ChildOf(ProcessRecord& record) {
  return *static_cast<NativeChild*>(record.native.get());
}

struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  // childReads: which end the child inherits; the other stays this process's alone.
  bool Open(bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!::CreatePipe(&read, &write, &inherit, 0)) return false;
    ::SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
    return true;
  }
  void CloseBoth() {
    if (read) ::CloseHandle(read);
    if (write) ::CloseHandle(write);
    read = write = nullptr;
  }
};

// A job whose processes all die when the job is terminated, or when its last handle closes
// with this process.
HANDLE MakeJob() {
  HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
  if (!job) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

void RecordExit(ProcessRecord& record) {
  DWORD code = 0;
  record.status =
      ::GetExitCodeProcess(ChildOf(record).process, &code) ? static_cast<int>(code) : -1;
  record.ended = true;
}

}  // namespace

StartedProcess StartProcess(const std::string& commandLine, int flags) {
  StartedProcess started;
  if (commandLine.find_first_not_of(" \t") == std::string::npos) return started;
  Pipe output, input, error;
  if (!output.Open(false) || !input.Open(true) || !error.Open(false)) {
    output.CloseBoth();
    input.CloseBoth();
    error.CloseBoth();
    return started;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.read;
  startup.hStdOutput = output.write;
  startup.hStdError = error.write;
  PROCESS_INFORMATION child{};
  // Windows hands the child its command line whole; the program is found as the system finds
  // it (the program's folder, the current one, then PATH).
  const String wideLine = FromUtf8(commandLine);
  std::wstring line(wideLine.begin(), wideLine.end());
  // Without flag 1 the child gets no console of its own to show.
  const DWORD creation =
      CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | ((flags & 1) ? 0 : CREATE_NO_WINDOW);
  const HANDLE job = MakeJob();
  const bool spawned = job && ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                                               creation, nullptr, nullptr, &startup, &child);
  // The child holds its own copies of its ends now.
  ::CloseHandle(input.read);
  ::CloseHandle(output.write);
  ::CloseHandle(error.write);
  if (!spawned) {
    if (job) ::CloseHandle(job);
    ::CloseHandle(input.write);
    ::CloseHandle(output.read);
    ::CloseHandle(error.read);
    return started;
  }
  // In the job before its first instruction, so everything it starts is in the job too.
  ::AssignProcessToJobObject(job, child.hProcess);
  ::ResumeThread(child.hThread);
  ::CloseHandle(child.hThread);

  auto native = std::make_shared<NativeChild>();
  native->process = child.hProcess;
  native->job = job;
  started.record = std::make_unique<ProcessRecord>();
  started.record->pid = static_cast<pid_t>(child.dwProcessId);
  started.record->native = std::move(native);
  started.outputRead = AsDescriptor(output.read);
  started.inputWrite = AsDescriptor(input.write);
  started.errorRead = AsDescriptor(error.read);
  return started;
}

int ReadPipe(int fd, void* buffer, int count) {
  if (fd == -1 || count <= 0) return 0;
  DWORD read = 0;
  // A pipe whose writer has gone reports ERROR_BROKEN_PIPE: the end of the data.
  if (!::ReadFile(AsHandle(fd), buffer, static_cast<DWORD>(count), &read, nullptr)) return 0;
  return static_cast<int>(read);
}

int WritePipe(int fd, const void* buffer, int count) {
  if (fd == -1 || count <= 0) return 0;
  const auto* bytes = static_cast<const char*>(buffer);
  int written = 0;
  while (written < count) {
    DWORD n = 0;
    if (!::WriteFile(AsHandle(fd), bytes + written, static_cast<DWORD>(count - written), &n,
                     nullptr) ||
        n == 0) {
      break;
    }
    written += static_cast<int>(n);
  }
  return written;
}

int PipeBytesAvailable(int fd) {
  DWORD available = 0;
  if (fd == -1 || !::PeekNamedPipe(AsHandle(fd), nullptr, 0, nullptr, &available, nullptr)) {
    return 0;
  }
  return static_cast<int>(available);
}

void ClosePipe(int fd) {
  if (fd != -1) ::CloseHandle(AsHandle(fd));
}

bool ProcessRunning(ProcessRecord& record) {
  if (record.ended) return false;
  if (!record.native) {
    record.ended = record.reaped = true;
    return false;
  }
  if (::WaitForSingleObject(ChildOf(record).process, 0) == WAIT_TIMEOUT) return true;
  RecordExit(record);
  return false;
}

int KillProcessTree(ProcessRecord& record) {
  const bool wasRunning = ProcessRunning(record);
  if (record.reaped || !record.native) return 0;
  NativeChild& child = ChildOf(record);
  // The job holds the child and every process it started, however deep.
  ::TerminateJobObject(child.job, kKilledStatus);
  ::WaitForSingleObject(child.process, INFINITE);
  if (wasRunning) RecordExit(record);
  record.ended = true;
  record.reaped = true;
  return wasRunning ? 1 : 0;
}

}  // namespace corvax::process_glue
