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
/// runtime module and calls mainRoutine once. An uncaught exception writes its text to standard
/// error and exits with status -1.
/// @param argc The argument count main received.
/// @param argv The arguments main received, the program path first.
/// @param mainRoutine The application's main routine, called once.
/// @return The exit status: 0 after a normal run.
/// @sa AppArgs, AppDir, StartupCorvax
int RunApplication(int argc, char** argv, MainRoutine mainRoutine);

/// The process's working directory, read now.
/// @return The directory as the system spells it (its own separators); "" when the system cannot
/// tell.
/// @sa LaunchDir
String SystemWorkingDirectory();

/// The working directory when the process started; empty until RunApplication has recorded it (as
/// are AppDir, AppFile, AppTitle and AppArgs).
/// @return The start-up working directory.
/// @sa SystemWorkingDirectory, AppDir
const String& LaunchDir();
/// @return The executable's directory ('/' separated); empty until RunApplication has recorded it.
/// @sa AppFile, ApplicationDirectoryOf
const String& AppDir();
/// @return The executable's full path ('/' separated); empty until RunApplication has recorded it.
/// @sa AppDir
const String& AppFile();
/// @return The application's title, "Corvax Application"; empty until RunApplication has recorded
/// it.
const String& AppTitle();
/// @return The command-line arguments, the program path first; empty until RunApplication has
/// recorded them.
/// @sa RunApplication
const std::vector<String>& AppArgs();

/// The directory part of an executable path.
/// @param executablePath A '/' separated path.
/// @return The text before the last '/', or the drive root with its slash when that '/' follows a
/// drive colon ("C:/prog.exe" -> "C:/").
/// @sa AppDir, ToForwardSlashes
String ApplicationDirectoryOf(const String& executablePath);
/// Replaces every '\' with '/'.
/// @param path The path to convert.
/// @return The path with forward slashes.
String ToForwardSlashes(String path);

}  // namespace corvax
