#pragma once
/// @file
/// @ingroup process
/// Child programs with their standard input, output and error on pipes. Every child started is
/// remembered until it is killed, and the children still remembered are killed at exit.
/// Call first: SpawnProcess, then Pipe() and Err() for its output. Example: examples/pipes.cpp.
#include <memory>

#include <corvax/process/pipe_stream.h>

namespace corvax {

namespace process_glue {
struct ProcessRecord;
}

/// A child process with pipes to its standard input, output and error.
class TProcess : public Object {
 public:
  ~TProcess() override;

  /// @return 1 while the child runs, 0 once it has ended or been killed.
  virtual int IsRunning();
  /// Closes both pipe streams, which become Null.
  virtual void ClosePipes();
  /// Forgets the process and kills it together with every process it started.
  /// @return 1 when it was still running, 0 when it had ended or was already killed.
  virtual int Kill();

  /// @return The exit code, 128 + the signal that ended it, or -1 while it runs.
  int ExitStatus();
  /// @return The process id, 0 once killed.
  int ProcessId() const;
  /// @return The command line it was started with.
  const String& Command() const { return command_; }
  /// @return The stream that reads the child's standard output and writes its standard input.
  /// @sa Err
  const Ref<TPipeStream>& Pipe() const { return pipe_; }
  /// @return The stream that reads the child's standard error.
  const Ref<TPipeStream>& Err() const { return err_; }

  /// Starts a child process.
  /// @param command The first word names the program (searched on PATH when it has no slash); see
  /// SplitCommandLine.
  /// @param flags 1 keeps the child in this terminal session, in a process group of its own;
  /// without it the child gets a session of its own.
  /// @return The process; Null when the pipes or the process cannot be made, the program included.
  static Ref<TProcess> Start(const String& command, int flags);
  /// Kills every remembered process and closes its pipes.
  static void KillAll();

 private:
  explicit TProcess(String command);

  String command_;
  std::unique_ptr<process_glue::ProcessRecord> processInfo_;
  Ref<TPipeStream> pipe_;
  Ref<TPipeStream> err_;
  int exitStatus_ = -1;
};

/// TProcess::Start as a free function.
/// @param command The command line.
/// @param flags As TProcess::Start takes them.
/// @return The process, or Null.
Ref<TProcess> SpawnProcess(const String& command, int flags = 0);
/// TProcess::IsRunning; a Null process throws TNullObjectException.
/// @param process The process.
/// @return true while it runs, else false.
[[nodiscard]] bool IsProcessRunning(const Ref<TProcess>& process);
/// TProcess::Kill; a Null process throws TNullObjectException.
/// @param process The process.
/// @return true when it was still running, else false.
bool KillProcess(const Ref<TProcess>& process);

}  // namespace corvax
