#pragma once
/// @file
/// @ingroup runtime
/// The process entry and what the runtime records about the process.
#include <vector>

#include <corvax/runtime/string.h>

namespace corvax {

/// The application's main routine, run once by RunApplication.
using MainRoutine = void (*)();

/// Installs the last-resort handlers, records the process information, changes the working
/// directory to the executable's directory and runs the application wrapper, which starts the
/// runtime module and calls mainRoutine once. Returns the exit status: 0 after a normal run; an
/// uncaught exception writes its text to standard error and exits with status -1.
int RunApplication(int argc, char** argv, MainRoutine mainRoutine);

/// The process's working directory as the system spells it (its own separators), read now; ""
/// when the system cannot tell.
String SystemWorkingDirectory();

/// The working directory when the process started. This and the four below are empty until
/// RunApplication has recorded them.
const String& LaunchDir();
/// The executable's directory ('/' separated).
const String& AppDir();
/// The executable's full path ('/' separated).
const String& AppFile();
/// The application's title, "Corvax Application".
const String& AppTitle();
/// The command-line arguments, the program path first.
const std::vector<String>& AppArgs();

/// The directory part of an executable path ('/' separated): the text before the last '/',
/// or the drive root with its slash when that '/' follows a drive colon ("C:/prog.exe" -> "C:/").
String ApplicationDirectoryOf(const String& executablePath);
/// Replaces every '\' with '/'.
String ToForwardSlashes(String path);

}  // namespace corvax
