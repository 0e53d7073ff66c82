#pragma once
/// @file
/// The processes-and-pipes module: start-up and the whole public interface.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupProcessModule() for this module
/// alone, before any other call.
#include <corvax/process/command_line.h>
#include <corvax/process/pipe_stream.h>
#include <corvax/process/process.h>

namespace corvax {

/// Starts the streams module, then has every remembered child killed at exit.
void StartupProcessModule();

}  // namespace corvax
