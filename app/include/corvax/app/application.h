#pragma once
/// @defgroup app Pointer demonstration
/// The program built on the framework: a pointer image that follows the mouse, drawn again at
/// the opposite edges where it reaches past them. Start-up: none needed; StartApplicationModules
/// is the demonstration's start-up.

/// @file
/// @ingroup app
/// The application's start: its embedded file, then every framework module in a fixed order.

namespace corvax {

/// Registers "cursor.png" with the embedded-file table, then runs the start-up function of
/// every linked module. Runs once.
void StartApplicationModules();

/// The demonstration's main routine: StartApplicationModules, then the pointer demonstration.
void PointerDemoMain();

}  // namespace corvax
