#pragma once
/// @defgroup process Processes and pipes
/// Child processes with their standard input and output as streams. Start-up: StartupCorvax() from
/// <corvax/corvax.h>, or StartupProcessModule() for this module alone, before any other call of the
/// module.
///
/// Example, `examples/pipes.cpp` (the suite builds and runs it):
/// @include pipes.cpp

/// @file
/// @ingroup process
/// The processes-and-pipes module: start-up and the whole public interface.
#include <corvax/process/command_line.h>
#include <corvax/process/pipe_stream.h>
#include <corvax/process/process.h>

namespace corvax {

/// Starts the streams module, then has every remembered child killed at exit.
void StartupProcessModule();

}  // namespace corvax
