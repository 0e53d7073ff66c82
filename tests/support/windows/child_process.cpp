#include "child_process.h"

#include <windows.h>

#include <stdexcept>
#include <thread>

namespace corvax::testing {
namespace {

std::string WithUnixLineEnds(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  return lines;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

// One argument as the C run-time's command-line parser reads it back.
std::wstring Quoted(const std::string& argument) {
  const std::wstring wide = Widen(argument);
  if (!wide.empty() && wide.find_first_of(L" \t\"") == std::wstring::npos) return wide;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : wide) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

void Drain(HANDLE pipe, std::string& sink) {
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    sink.append(buffer, read);
  }
  ::CloseHandle(pipe);
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingDirectory) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  if (!::CreatePipe(&outRead, &outWrite, &inherit, 0) ||
      !::CreatePipe(&errRead, &errWrite, &inherit, 0)) {
    throw std::runtime_error("CreatePipe");
  }
  ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  std::wstring line = Quoted(program);
  for (const auto& arg : args) line += L" " + Quoted(arg);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION child{};
  const std::wstring directory = Widen(workingDirectory);
  const BOOL started =
      ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &child);
  ::CloseHandle(outWrite);
  ::CloseHandle(errWrite);
  ChildResult result;
  if (!started) {
    ::CloseHandle(outRead);
    ::CloseHandle(errRead);
    result.status = 127;
    return result;
  }
  std::thread errors(Drain, errRead, std::ref(result.err));
  Drain(outRead, result.out);
  errors.join();
  // Text-mode output ends lines with "\r\n" here; tests compare lines as on every platform.
  result.out = WithUnixLineEnds(result.out);
  result.err = WithUnixLineEnds(result.err);
  ::WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(child.hProcess, &code);
  result.status = static_cast<int>(code);
  ::CloseHandle(child.hProcess);
  ::CloseHandle(child.hThread);
  return result;
}

}  // namespace corvax::testing
