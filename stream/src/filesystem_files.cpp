#include <cstdio>

#include <corvax/stream/filesystem.h>
#include <corvax/stream/open_url.h>

#include "native_files.h"

namespace corvax {
namespace {

// True when something, even a dangling symbolic link, is at the path.
bool Exists(const String& systemPath) {
  return native::TypeOfEntry(systemPath) != native::EntryType::kMissing;
}

// Closes a stream however the copy ends.
class StreamCloser {
 public:
  explicit StreamCloser(Ref<TStream> stream) : stream_(std::move(stream)) {}
  ~StreamCloser() {
    try {
      stream_->Close();
    } catch (...) {
      // A failed flush has already been reported by the copy, or the copy's own fault is on
      // its way to the caller; it must not be replaced.
    }
  }
  StreamCloser(const StreamCloser&) = delete;
  StreamCloser& operator=(const StreamCloser&) = delete;

 private:
  Ref<TStream> stream_;
};

}  // namespace

bool MakeEmptyFile(const String& path) {
  const String systemPath = SystemPath(path);
  // Removing needs no write permission on the file itself, so a read-only file goes too. A
  // directory is never removed here.
  if (PathKind(path) != PATH_DIRECTORY) native::RemoveEntry(systemPath);
  // An old file that could be neither removed nor truncated must not pass for an empty one.
  std::FILE* file = native::OpenFile(systemPath, "wb");
  if (!file) return 0;
  std::fclose(file);
  return PathKind(path) == PATH_FILE ? 1 : 0;
}

bool RemoveFile(const String& path) {
  const String systemPath = SystemPath(path);
  native::RemoveEntry(systemPath);
  return Exists(systemPath) ? 0 : 1;
}

bool MovePath(const String& from, const String& to) {
  return native::Rename(SystemPath(from), SystemPath(to)) ? 1 : 0;
}

bool CopyFileContents(const String& source, const String& destination) {
  const String from = SystemPath(source);
  const String to = SystemPath(destination);
  // Opening the destination would empty the source before a byte of it was read.
  if (native::SameFile(from, to)) return 0;
  // A directory opens as a file here but yields no bytes.
  if (PathKind(from) == PATH_DIRECTORY) return 0;
  const Ref<TStream> input = OpenReadStream(from);
  if (!input) return 0;
  const StreamCloser closeInput(input);
  const Ref<TStream> output = OpenWriteStream(to);
  if (!output) return 0;
  const StreamCloser closeOutput(output);
  try {
    CopyAll(input, output, 4096);
  } catch (const TStreamWriteException&) {
    return 0;
  }
  // The last buffered bytes are written out by the close; a copy that lost them failed.
  return output->Close() == 0 ? 1 : 0;
}

}  // namespace corvax
