// Reading a text file line by line. A plain path reads bytes, one character each; putting
// "utf8::" in front of the path opens it through a UTF-8 text stream, so every line comes back
// as whole characters, accents and all. "latin1::", "utf16le::" and "utf16be::" work the same.
#include <cstdint>
#include <cstdio>
#include <vector>

#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();

  // A small UTF-8 file to read, written as raw bytes as any editor would save it: "ü" and "ß"
  // are two bytes each, "€" three. The last line has no line end.
  const char text[] =
      "first line\r\nGr\xC3\xBC\xC3\x9F"
      "e\nprice: 5 \xE2\x82\xAC\n\nlast line";
  SaveBytes(std::vector<std::uint8_t>(text, text + sizeof text - 1), "notes.txt");

  //! [read lines]
  Ref<TStream> file = OpenReadStream("utf8::notes.txt");
  if (!file) {
    PrintLine(u"read_text_lines: cannot open notes.txt");
    return;
  }
  // ReadTextLine ends at LF and drops CR, so files saved on Windows read the same.
  for (int number = 1; !file->AtEnd(); ++number) {
    String line = file->ReadTextLine();
    std::printf("%d: %s (%d characters)\n", number, ToUtf8(line).c_str(),
                static_cast<int>(line.size()));
  }
  file->Close();
  //! [read lines]

  RemoveFile(u"notes.txt");
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
