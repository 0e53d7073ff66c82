// The clipboard of a page is the browser's, which answers later (a promise) and only when the
// user lets the page use it: the program waits for the answer, handing the page back to the
// browser meanwhile (Asyncify), but never longer than kAnswerWaitMs, so a question nobody
// answers is a failure rather than a program that stops.
#include <emscripten.h>

#include <string>
#include <vector>

#include "clipboard.h"
#include "desktop_failure.h"

namespace corvax {
namespace {

constexpr int kAnswerWaitMs = 5000;

// NOLINTBEGIN(modernize-use-trailing-return-type): EM_JS writes the function's signature itself.
// Reads (write 0) or writes the browser's clipboard. Answers the read text's length in UTF-8
// bytes (0 for a write), the text kept for TakeAnswer; or -1, TakeAnswer then giving the reason.
// (EM_JS passes its body through the C preprocessor: plain functions, no arrows.)
EM_ASYNC_JS(int, AskClipboard, (int write, const char* text, int waitMs), {
  var clipboard = navigator.clipboard;
  if (!clipboard || !(write ? clipboard.writeText : clipboard.readText)) {
    Module.corvaxClipboardAnswer =
        'the browser gives this page no clipboard (it needs a secure origin, https or this machine)';
    return -1;
  }
  var late = new Promise(function(resolve) { setTimeout(resolve, waitMs); });
  try {
    var asked = write ? clipboard.writeText(UTF8ToString(text)) : clipboard.readText();
    var answer = await Promise.race(
        [ asked.then(function(read) { return {text : write ? String() : String(read)}; }), late ]);
    if (!answer) {
      Module.corvaxClipboardAnswer = 'the browser did not answer within ' + waitMs / 1000 +
                                     ' s (did the user not allow the page the clipboard?)';
      return -1;
    }
    Module.corvaxClipboardAnswer = answer.text;
    return lengthBytesUTF8(answer.text);
  } catch (error) {
    Module.corvaxClipboardAnswer =
        'the browser refused: ' + (error && error.message ? error.message : String(error));
    return -1;
  }
});
EM_JS(void, TakeAnswer, (char* out, int size), {
  stringToUTF8(Module.corvaxClipboardAnswer, out, size);
  Module.corvaxClipboardAnswer = undefined;
});
// NOLINTEND(modernize-use-trailing-return-type)

// The answer: the text read, or the reason when length is -1.
std::string Answer(int length) {
  constexpr int kReasonBytes = 512;
  std::vector<char> bytes(length < 0 ? kReasonBytes : length + 1);
  TakeAnswer(bytes.data(), static_cast<int>(bytes.size()));
  return length < 0 ? std::string(bytes.data()) : std::string(bytes.data(), length);
}

}  // namespace

String ReadClipboardText() {
  const int length = AskClipboard(0, nullptr, kAnswerWaitMs);
  const std::string answer = Answer(length);
  if (length < 0) {
    ReportDesktopFailure("read the clipboard", answer);
    return u"";
  }
  return FromUtf8(answer);
}

bool WriteClipboardText(const String& text) {
  const int length = AskClipboard(1, ToUtf8(text).c_str(), kAnswerWaitMs);
  if (length < 0) {
    ReportDesktopFailure("write the clipboard", Answer(length));
    return false;
  }
  Answer(length);
  return true;
}

}  // namespace corvax
