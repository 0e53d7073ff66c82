#include "text_runs.h"

#include <fribidi.h>
#include <hb.h>

#include <corvax/runtime/exceptions.h>

namespace corvax {
namespace {

struct Character {
  std::uint32_t code = 0;
  // Its index in the text, in UTF-16 units.
  int index = 0;
};

// HarfBuzz decodes the UTF-16 (a lone surrogate becomes U+FFFD) and keeps each character's
// index as its cluster.
std::vector<Character> Decode(const String& text) {
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf16(buffer, reinterpret_cast<const std::uint16_t*>(text.data()),
                      static_cast<int>(text.size()), 0, -1);
  unsigned count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
  std::vector<Character> characters(count);
  for (unsigned i = 0; i < count; ++i) {
    characters[i] = {infos[i].codepoint, static_cast<int>(infos[i].cluster)};
  }
  hb_buffer_destroy(buffer);
  return characters;
}

// Marks, joiners and other format characters belong with the character before them: a
// cluster is shaped in one font.
bool SitsOnThePrevious(std::uint32_t code) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), code)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_FORMAT:
      return true;
    default:
      return false;
  }
}

bool IsSharedScript(hb_script_t script) {
  return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN;
}

// Spaces, digits and punctuation take the script around them: the one before, or at the start
// of the line the first one after.
std::vector<hb_script_t> Scripts(const std::vector<Character>& characters) {
  std::vector<hb_script_t> scripts(characters.size(), HB_SCRIPT_COMMON);
  hb_script_t current = HB_SCRIPT_COMMON;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const hb_script_t own = hb_unicode_script(hb_unicode_funcs_get_default(), characters[i].code);
    if (!IsSharedScript(own)) {
      if (IsSharedScript(current)) {
        for (std::size_t j = 0; j < i; ++j) scripts[j] = own;
      }
      current = own;
    }
    scripts[i] = current;
  }
  return scripts;
}

// Embedding levels after the line rules (trailing spaces at the paragraph's level), and the
// logical index of each visual position.
void OrderLine(const std::vector<Character>& characters, std::vector<FriBidiLevel>& levels,
               std::vector<FriBidiStrIndex>& visualToLogical) {
  const auto length = static_cast<FriBidiStrIndex>(characters.size());
  std::vector<FriBidiChar> codes(characters.size());
  for (std::size_t i = 0; i < characters.size(); ++i) codes[i] = characters[i].code;
  std::vector<FriBidiCharType> types(characters.size());
  std::vector<FriBidiBracketType> brackets(characters.size());
  fribidi_get_bidi_types(codes.data(), length, types.data());
  fribidi_get_bracket_types(codes.data(), length, types.data(), brackets.data());
  levels.assign(characters.size(), 0);
  visualToLogical.resize(characters.size());
  for (FriBidiStrIndex i = 0; i < length; ++i) visualToLogical[i] = i;
  FriBidiParType direction = FRIBIDI_PAR_ON;
  // HarfBuzz mirrors brackets and keeps marks on their bases itself: no flags.
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction,
                                          levels.data()) == 0 ||
      fribidi_reorder_line(0, types.data(), length, 0, direction, levels.data(), nullptr,
                           visualToLogical.data()) == 0) {
    ThrowRuntimeError(u"FriBidi cannot order a line of text");
  }
}

}  // namespace

std::vector<TextRun> VisualRuns(const String& text, const FontChooser& fontFor) {
  const std::vector<Character> characters = Decode(text);
  if (characters.empty()) return {};
  std::vector<FriBidiLevel> levels;
  std::vector<FriBidiStrIndex> visualToLogical;
  OrderLine(characters, levels, visualToLogical);
  const std::vector<hb_script_t> scripts = Scripts(characters);

  // Logical runs, and the run of each character.
  std::vector<TextRun> runs;
  std::vector<std::size_t> runOf(characters.size());
  int font = 0;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (i == 0 || !SitsOnThePrevious(characters[i].code)) font = fontFor(characters[i].code);
    const bool rightToLeft = (levels[i] & 1) != 0;
    const auto script = static_cast<std::uint32_t>(scripts[i]);
    if (runs.empty() || runs.back().font != font || runs.back().rightToLeft != rightToLeft ||
        runs.back().script != script) {
      if (!runs.empty()) runs.back().end = characters[i].index;
      runs.push_back({characters[i].index, 0, font, rightToLeft, script});
    }
    runOf[i] = runs.size() - 1;
  }
  runs.back().end = static_cast<int>(text.size());

  // A run's characters share a level and lie side by side in the text, so they stay side by
  // side on screen: the runs go in the order their characters first appear.
  std::vector<TextRun> visual;
  std::vector<bool> placed(runs.size(), false);
  for (const FriBidiStrIndex logical : visualToLogical) {
    const std::size_t run = runOf[static_cast<std::size_t>(logical)];
    if (placed[run]) continue;
    placed[run] = true;
    visual.push_back(runs[run]);
  }
  return visual;
}

}  // namespace corvax
