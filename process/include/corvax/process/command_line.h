#pragma once
/// @file
/// @ingroup process
/// A command line as one text, split into the program and its arguments the way Windows programs
/// expect: blanks separate words, double quotes group blanks into a word, and backslashes are
/// literal except before a quote (2n backslashes + quote: n backslashes and a grouping quote;
/// 2n + 1: n backslashes and a literal quote).
#include <string>
#include <string_view>
#include <vector>

namespace corvax {

/// @param commandLine The command line, in UTF-8.
/// @return Its words, by the rules above; empty for a blank line.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace corvax
