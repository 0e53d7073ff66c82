#pragma once
// Runs a program to its end and collects what it wrote: test support only.
#include <string>
#include <vector>

namespace corvax::testing {

struct ChildResult {
  int status = -1;  // exit status, or 128 + signal number
  std::string out;  // lines end in "\n" on every platform
  std::string err;
};

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingDirectory = "");

}  // namespace corvax::testing
