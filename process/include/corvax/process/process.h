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

  /// 1 while the child runs, 0 once it has ended or been killed.
  virtual int IsRunning();
  /// Closes both pipe streams, which become Null.
  virtual void ClosePipes();
  /// Forgets the process and kills it together with every process it started. 1 when it was
  /// still running, 0 when it had ended or was already killed.
  virtual int Kill();

  /// The exit code, 128 + the signal that ended it, or -1 while it runs.
  int ExitStatus();
  /// The process id, 0 once killed.
  int ProcessId() const;
  /// The command line it was started with.
  const String& Command() const { return command_; }
  /// Reads the child's standard output, writes its standard input.
  const Ref<TPipeStream>& Pipe() const { return pipe_; }
  /// Reads the child's standard error.
  const Ref<TPipeStream>& Err() const { return err_; }

  /// The command line's first word names the program (searched on PATH when it has no slash);
  /// see SplitCommandLine. Flag 1 keeps the child in this terminal session, in a process group
  /// of its own; without it the child gets a session of its own. Null when the pipes or the
  /// process cannot be made, the program included.
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

/// The free-function forms: TProcess::Start, IsRunning and Kill (a Null process
/// throws TNullObjectException).
///@{
Ref<TProcess> SpawnProcess(const String& command, int flags = 0);
int IsProcessRunning(const Ref<TProcess>& process);
int KillProcess(const Ref<TProcess>& process);
///@}

}  // namespace corvax
