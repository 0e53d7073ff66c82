#pragma once
// A line of text cut into runs that HarfBuzz can shape one at a time: each of one font, one
// direction and one script, listed in the order they are drawn, left to right.
#include <cstdint>
#include <functional>
#include <vector>

#include <corvax/runtime/string.h>

namespace corvax {

struct TextRun {
  // Where it is in the text, in UTF-16 units: start to end, end excluded.
  int start = 0;
  int end = 0;
  int font = 0;
  bool rightToLeft = false;
  // A HarfBuzz script tag (hb_script_t).
  std::uint32_t script = 0;
};

// The font of the chain that draws a character: the first that has it, or 0 for none.
using FontChooser = std::function<int(std::uint32_t character)>;

// The paragraph's direction comes from its first strong character, as FriBidi finds it.
// Throws a runtime error when FriBidi cannot order the line (out of memory).
std::vector<TextRun> VisualRuns(const String& text, const FontChooser& fontFor);

}  // namespace corvax
