#pragma once
// The platform layer under TProcess and TPipeStream: plain functions over pipe descriptors and
// child processes, one implementation per platform (posix/process_glue.cpp,
// windows/process_glue.cpp). Descriptors are -1 when absent; on Windows they carry pipe
// handles, which the system keeps within 32 bits.
#include <sys/types.h>

#include <memory>
#include <string>

namespace corvax::process_glue {

struct ProcessRecord {
  pid_t pid = 0;
  // Set once the child's end has been seen; the child stays a zombie (its id reserved, so it
  // cannot name another process) until KillProcessTree reaps it.
  bool ended = false;
  // Set once the id no longer belongs to the child, which must then never be signalled.
  bool reaped = false;
  // Exit code, 128 + signal number, or -1 while unknown.
  int status = -1;
  // What else the platform keeps for the child (on Windows: its process and job handles),
  // released with the record.
  std::shared_ptr<void> native;
};

struct StartedProcess {
  std::unique_ptr<ProcessRecord> record;
  int outputRead = -1;  // the child's standard output
  int inputWrite = -1;  // the child's standard input
  int errorRead = -1;   // the child's standard error
};

// Starts the command line's program (found on PATH when it has no slash) with its standard
// streams on three new pipes, in a process group of its own; without flag 1 it is detached
// from the controlling terminal too. A null record when the pipes or the child cannot be made.
StartedProcess StartProcess(const std::string& commandLine, int flags);

// Bytes moved; 0 on failure or at the end of the pipe. Writing to a pipe nobody reads any
// more reports what was written before, never raises SIGPIPE.
int ReadPipe(int fd, void* buffer, int count);
int WritePipe(int fd, const void* buffer, int count);
// Bytes that a read would return now without blocking; 0 on failure.
int PipeBytesAvailable(int fd);
void ClosePipe(int fd);

bool ProcessRunning(ProcessRecord& record);
// Stops the child and every process descended from it, kills them all and reaps the child.
// 1 when the child was still running, 0 when it had already ended.
int KillProcessTree(ProcessRecord& record);

}  // namespace corvax::process_glue
