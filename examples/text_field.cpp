// A one-line text field: text typed in any script, through an input method too, and pasted
// with Control+V; a cursor moved with the arrow keys, Home and End; Backspace and Delete;
// Control+C copies the line. Escape ends it. At the start the program plays the user's part,
// as examples/input.cpp does: it types a word, pastes one, and leaves a composition open.
#include <corvax/corvax.h>
using namespace corvax;

// From Debian's fonts-dejavu-core: Latin, Greek and Cyrillic, among others.
const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kFontSize = 20;
constexpr int kFieldX = 20;
constexpr int kLabelY = 16;
constexpr int kFieldY = 40;
constexpr int kFieldWidth = 360;
constexpr int kFieldHeight = 34;
constexpr int kPadding = 7;
constexpr int kBorder = 2;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit < 0xDC00;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit < 0xE000;
}

struct TextField {
  String text;
  int cursor = 0;      // in UTF-16 units, never inside a surrogate pair
  String composition;  // what an input method is composing at the cursor; empty when nothing
  int compositionCursor = 0;

  void Insert(const String& typed) {
    String line = typed;
    // One line: pasted line breaks and tabs become spaces.
    for (char16_t& unit : line) {
      if (unit < u' ') unit = u' ';
    }
    text.insert(cursor, line);
    cursor += static_cast<int>(line.size());
  }
  // One character left or right, a surrogate pair being one character.
  int Before(int at) const {
    if (at <= 0) return 0;
    return at >= 2 && IsLowSurrogate(text[at - 1]) && IsHighSurrogate(text[at - 2]) ? at - 2
                                                                                    : at - 1;
  }
  int After(int at) const {
    const int size = static_cast<int>(text.size());
    if (at >= size) return size;
    return at + 1 < size && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? at + 2
                                                                                      : at + 1;
  }
  // A key the field acts on; false when it is not one of them.
  bool Key(int key, int mods) {
    const bool control = (mods & MODIFIER_CONTROL) != 0;
    if (control && key == KEY_V) {
      Insert(ClipboardText());
    } else if (control && key == KEY_C) {
      SetClipboardText(text);
    } else if (key == KEY_LEFT) {
      cursor = Before(cursor);
    } else if (key == KEY_RIGHT) {
      cursor = After(cursor);
    } else if (key == KEY_HOME) {
      cursor = 0;
    } else if (key == KEY_END) {
      cursor = static_cast<int>(text.size());
    } else if (key == KEY_BACKSPACE) {
      const int from = Before(cursor);
      text.erase(from, cursor - from);
      cursor = from;
    } else if (key == KEY_DELETE) {
      text.erase(cursor, After(cursor) - cursor);
    } else {
      return false;
    }
    return true;
  }
};

// The events the user's typing makes; returns false on Escape.
bool TakeEvents(TextField& field) {
  while (NextEvent() != 0) {
    const int id = ActiveEventId();
    if (id == EventId::TextInput) {
      field.Insert(ActiveEventText());
      field.composition.clear();
    } else if (id == EventId::TextComposition) {
      field.composition = ActiveEventText();
      field.compositionCursor = ActiveEventData();
    } else if (id == EventId::KeyDown || id == EventId::KeyRepeat) {
      if (ActiveEventData() == KEY_ESCAPE) return false;
      // While the input method composes, the keys are its own.
      if (field.composition.empty()) field.Key(ActiveEventData(), ActiveEventMods());
    } else if (id == EventId::AppTerminate) {
      return false;
    }
  }
  return true;
}

void Draw(const TextField& field, const Ref<TImageFont>& font) {
  SetTextFont(DefaultFont());
  SetDrawColor(60, 60, 80);
  DrawTextAt(u"Type, or paste with Control+V:", kFieldX, kLabelY);
  SetTextFont(font);

  SetDrawColor(90, 110, 150);
  FillRect(kFieldX, kFieldY, kFieldWidth, kFieldHeight);
  SetDrawColor(255, 255, 255);
  FillRect(kFieldX + kBorder, kFieldY + kBorder, kFieldWidth - 2 * kBorder,
           kFieldHeight - 2 * kBorder);

  const String before = field.text.substr(0, field.cursor);
  const String after = field.text.substr(field.cursor);
  const int textTop = kFieldY + (kFieldHeight - TextHeightOf()) / 2;  // whole pixels
  const auto textY = static_cast<float>(textTop);
  float x = kFieldX + kPadding;
  SetDrawColor(20, 20, 30);
  DrawTextAt(before, x, textY);
  x += static_cast<float>(TextWidthOf(before));

  // The composition sits at the cursor, underlined, until the input method commits it.
  const int composedWidth = TextWidthOf(field.composition);
  SetDrawColor(40, 90, 200);
  DrawTextAt(field.composition, x, textY);
  FillRect(x, textY + static_cast<float>(TextHeightOf()), static_cast<float>(composedWidth), 1);
  const float cursorX =
      x + static_cast<float>(TextWidthOf(field.composition.substr(0, field.compositionCursor)));
  SetDrawColor(20, 20, 30);
  DrawTextAt(after, x + static_cast<float>(composedWidth), textY);

  FillRect(cursorX, textY, 2, static_cast<float>(TextHeightOf()));
  // The input method's window opens just below the cursor, not over the text.
  SetTextInputArea(static_cast<int>(cursorX), kFieldY,
                   kFieldX + kFieldWidth - static_cast<int>(cursorX), kFieldHeight);
}

void Main() {
  StartupCorvax();
  OpenGraphics(400, 120, 0, 60);
  Ref<TImageFont> font = LoadImageFont(kFontFile, kFontSize, FONT_SMOOTH);
  if (!font) {
    PrintLine(u"text_field: cannot load DejaVuSans.ttf");
    return;
  }
  StartTextInput();  // on already once a window is open; a program that stopped it starts it so

  // What the user does: types a word, pastes another (copied elsewhere: here the program puts
  // it on the clipboard itself) and starts composing a third through an input method, which
  // commits nothing yet.
  BroadcastEvent(MakeEvent(EventId::TextInput, nullptr, 0, 0, 0, 0, Box(u"Grüße, ")));
  SetClipboardText(u"мир, ");
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_V, MODIFIER_CONTROL));
  BroadcastEvent(MakeEvent(EventId::TextComposition, nullptr, 2, 0, 0, 0, Box(u"κόσ")));

  TextField field;
  SetClearColor(235, 238, 245);
  SetBlendMode(BLEND_ALPHA);  // glyphs are alpha pictures: blend their edges
  while (TakeEvents(field)) {
    ClearScreen();
    Draw(field, font);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
