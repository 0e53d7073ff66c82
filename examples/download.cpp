// Downloading over http::, showing progress. Give the address as the argument, without
// "http://": download 127.0.0.1:8000/ball.png saves ball.png in the working directory.
#include <cstdio>
#include <vector>

#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();  // registers the "http" and "tcp" protocols
  const std::vector<String>& args = AppArgs();
  if (args.size() < 2) {
    PrintLine(u"usage: download host[:port]/path [file to save]");
    return;
  }
  const String address = args[1];
  const String saveAs = args.size() > 2 ? args[2] : address.substr(address.rfind(u'/') + 1);

  // Any url protocol opens the same way; for "http::" Null means no server, an error status or
  // a reply that is not HTTP. LoadBytes(url) does the whole download in one call.
  Ref<TStream> in = OpenReadStream(u"http::" + address);
  if (!in) {
    std::printf("download: cannot get http::%s\n", ToUtf8(address).c_str());
    return;
  }
  Ref<TStream> out = OpenWriteStream(saveAs);
  if (!out) {
    std::printf("download: cannot write %s\n", ToUtf8(saveAs).c_str());
    in->Close();
    return;
  }

  const int total = in->Length();  // the server's Content-Length, 0 when it gave none
  std::vector<char> buffer(1024);
  int received = 0;
  while (!in->AtEnd()) {
    const int count = in->Read(buffer.data(), static_cast<int>(buffer.size()));
    if (count <= 0) break;
    out->WriteBlock(buffer.data(), count);  // writes every byte or throws
    received += count;
    if (total > 0)
      std::printf("progress: %d of %d bytes (%d%%)\n", received, total, received * 100 / total);
  }
  in->Close();
  out->Close();
  std::printf("saved %d bytes as %s\n", received, ToUtf8(saveAs).c_str());
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
