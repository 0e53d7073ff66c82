#pragma once
/// @file
/// The application's start: its embedded file, then every framework module in a fixed order.
/// Start-up: none needed; StartApplicationModules is the demonstration's start-up.

namespace corvax {

/// Registers "cursor.png" with the embedded-file table, then runs the start-up function of
/// every linked module. Runs once.
void StartApplicationModules();

/// The demonstration's main routine: StartApplicationModules, then the pointer demonstration.
void PointerDemoMain();

}  // namespace corvax
