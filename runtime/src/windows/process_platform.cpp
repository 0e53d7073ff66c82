#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "process_platform.h"
#include "signal_line.h"

namespace corvax::platform {
namespace {

// Nothing that allocates or locks: the process ends here, nothing is thrown.
void WriteAll(DWORD which, const char* text) {
  const HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(handle, text, static_cast<DWORD>(std::char_traits<char>::length(text)), &written,
              nullptr);
}

[[noreturn]] void EndWithSignal(int signalNumber) {
  WriteAll(STD_OUTPUT_HANDLE, MakeSignalLine(signalNumber).text);
  WriteAll(STD_ERROR_HANDLE, "Received Signal");
  ::ExitProcess(255);
}

extern "C" void OnFatalSignal(int signalNumber) {
  EndWithSignal(signalNumber);
}

// Access violations and other faults arrive as structured exceptions, not signals; they end
// the process the same way, reported as the signal POSIX would have sent.
LONG WINAPI OnUnhandledFault(EXCEPTION_POINTERS* fault) {
  const DWORD code = fault->ExceptionRecord->ExceptionCode;
  EndWithSignal(code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_PRIV_INSTRUCTION
                    ? SIGILL
                    : SIGSEGV);
}

String FromWide(const wchar_t* text, std::size_t length) {
  return String(text, text + length);
}

}  // namespace

void InstallFatalHandlers() {
  for (const int signalNumber : {SIGILL, SIGSEGV, SIGABRT, SIGTERM}) {
    std::signal(signalNumber, &OnFatalSignal);
  }
  ::SetUnhandledExceptionFilter(&OnUnhandledFault);
  // No "abnormal termination" dialog box or error report window for a failing program.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}

String ExecutablePath(const char* fallback) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return FromUtf8(fallback ? fallback : "");
    if (length < buffer.size()) return FromWide(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

String CurrentDirectory() {
  const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return String();
  std::wstring buffer(length, L'\0');
  const DWORD written = ::GetCurrentDirectoryW(length, buffer.data());
  if (written == 0 || written >= length) return String();
  return FromWide(buffer.data(), written);
}

void ChangeDirectory(const String& path) {
  ::SetCurrentDirectoryW(std::wstring(path.begin(), path.end()).c_str());
}

std::vector<String> Arguments(int argc, char** argv) {
  // The narrow argv holds the arguments in the ANSI code page, which cannot spell every name:
  // the wide command line can.
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<String> arguments;
  if (!wide) {
    for (int i = 0; i < argc; ++i) arguments.push_back(FromUtf8(argv[i]));
    return arguments;
  }
  for (int i = 0; i < count; ++i) {
    arguments.push_back(FromWide(wide[i], std::char_traits<wchar_t>::length(wide[i])));
  }
  ::LocalFree(wide);
  return arguments;
}

}  // namespace corvax::platform
