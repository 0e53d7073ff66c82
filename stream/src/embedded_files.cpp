#include <corvax/stream/embedded_files.h>

#include <memory>

namespace corvax {
namespace {

struct EmbeddedFile {
  std::unique_ptr<EmbeddedFile> next;
  String name;
  const void* data;
  int size;
};

std::unique_ptr<EmbeddedFile>& Newest() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const newest = new std::unique_ptr<EmbeddedFile>();
  return *newest;
}

const EmbeddedFile* Find(const String& name) {
  for (const EmbeddedFile* file = Newest().get(); file; file = file->next.get()) {
    if (file->name == name) return file;
  }
  return nullptr;
}

}  // namespace

bool RegisterEmbeddedFile(const String& name, const void* data, int size) {
  if (Find(name)) return 0;
  auto& newest = Newest();
  newest.reset(new EmbeddedFile{std::move(newest), name, data, size});
  return 1;
}

const void* EmbeddedFileData(const String& name) {
  const EmbeddedFile* file = Find(name);
  return file ? file->data : nullptr;
}

int EmbeddedFileSize(const String& name) {
  const EmbeddedFile* file = Find(name);
  return file ? file->size : 0;
}

}  // namespace corvax
