#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <corvax/stream/stream_module.h>

#include "temp_dir.h"

namespace corvax {
namespace {

namespace fs = std::filesystem;

class FileSystem : public ::testing::Test {
 protected:
  // The path of name inside the temporary folder, as the framework takes it.
  String P(const std::string& name) const { return FromUtf8(dir_ / name); }
  std::string S(const std::string& name) const { return dir_ / name; }

  void Write(const std::string& name, const std::string& contents) const {
    std::ofstream(S(name), std::ios::binary) << contents;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(S(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  testing::TempDir dir_;
};

// Runs check where permissions bind: in a child without privileges when the tests run as
// root (who may write anywhere). True when check returned true.
bool AsUnprivilegedUser(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    ::_exit(dropped && check() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(FileSystem, QueriesReportKindSizeTimeAndPermissions) {
  Write("f.txt", "hello");
  fs::create_directory(dir_.path() / "d");
  ::chmod(S("f.txt").c_str(), 0640);

  EXPECT_EQ(PathKind(P("f.txt")), PATH_FILE);
  EXPECT_EQ(PathKind(P("d")), PATH_DIRECTORY);
  EXPECT_EQ(PathKind(P("d/")), PATH_DIRECTORY);
  EXPECT_EQ(PathKind(P("missing")), PATH_MISSING);
  EXPECT_EQ(PathSize(P("f.txt")), 5);
  EXPECT_EQ(PathSize(P("missing")), -1);
  EXPECT_EQ(PathPermissions(P("f.txt")), 0640);
  EXPECT_EQ(PathPermissions(P("missing")), -1);
  EXPECT_EQ(PathModifiedTime(P("missing")), 0);

  struct stat status;
  ASSERT_EQ(::stat(S("f.txt").c_str(), &status), 0);
  EXPECT_EQ(PathModifiedTime(P("f.txt")), status.st_mtime);

  SetPathPermissions(P("f.txt"), 0600);
  EXPECT_EQ(PathPermissions(P("f.txt")), 0600);

  // Backslashes separate too; names with '<' or '>' are never examined.
  EXPECT_EQ(PathSize(P("d") + u"\\..\\f.txt"), 5);
  Write("a<b", "xyz");
  EXPECT_EQ(PathKind(P("a<b")), PATH_MISSING);
  EXPECT_EQ(PathSize(P("a<b")), -1);
  EXPECT_EQ(PathModifiedTime(P("a<b")), 0);

  EXPECT_EQ(MovePath(P("f.txt"), P("g.txt")), 1);
  EXPECT_EQ(PathKind(P("f.txt")), PATH_MISSING);
  EXPECT_EQ(MovePath(P("f.txt"), P("h.txt")), 0);

  // A pipe is neither a file nor a directory.
  ASSERT_EQ(::mkfifo(S("pipe").c_str(), 0600), 0);
  EXPECT_EQ(PathKind(P("pipe")), PATH_MISSING);
}

TEST_F(FileSystem, PathsReachTheSystemAsUtf8) {
  const std::string name = "caf\xc3\xa9-\xe2\x82\xac.txt";
  Write(name, "x");
  const String wide = P("caf") + u"\u00e9-\u20ac.txt";
  EXPECT_EQ(PathKind(wide), PATH_FILE);
  EXPECT_EQ(ListDirectory(FromUtf8(dir_.path().string())), Array<String>{FileNamePart(wide)});
  EXPECT_EQ(MakeEmptyFile(wide), 1);
  EXPECT_EQ(Read(name), "");
}

TEST_F(FileSystem, MakeEmptyFileReplacesWhatIsThere) {
  EXPECT_EQ(MakeEmptyFile(P("new")), 1);
  EXPECT_EQ(PathSize(P("new")), 0);

  Write("full", "contents");
  EXPECT_EQ(MakeEmptyFile(P("full")), 1);
  EXPECT_EQ(PathSize(P("full")), 0);

  Write("readonly", "locked");
  ::chmod(S("readonly").c_str(), 0444);
  EXPECT_EQ(MakeEmptyFile(P("readonly")), 1);
  EXPECT_EQ(PathSize(P("readonly")), 0);

  // A directory is not a file to replace, even an empty one.
  fs::create_directory(dir_.path() / "d");
  EXPECT_EQ(MakeEmptyFile(P("d")), 0);
  EXPECT_EQ(PathKind(P("d")), PATH_DIRECTORY);

  EXPECT_EQ(MakeEmptyFile(P("missing/f")), 0);
}

TEST_F(FileSystem, MakeEmptyFileReplacesAReadOnlyFileOfAnotherUser) {
  // The unprivileged child owns the folder, so the file's own write bit is all that stands in
  // the way.
  Write("readonly", "locked");
  ::chmod(S("readonly").c_str(), 0444);
  ::chown(dir_.path().c_str(), 65534, 65534);
  ::chown(S("readonly").c_str(), 65534, 65534);
  const String path = P("readonly");
  EXPECT_TRUE(AsUnprivilegedUser([&] { return MakeEmptyFile(path) == 1; }));
  EXPECT_EQ(PathSize(path), 0);
}

TEST_F(FileSystem, RemoveFileLeavesDirectoriesAndLinkTargetsAlone) {
  Write("f", "1");
  EXPECT_EQ(RemoveFile(P("f")), 1);
  EXPECT_EQ(PathKind(P("f")), PATH_MISSING);
  EXPECT_EQ(RemoveFile(P("f")), 1);

  Write("readonly", "1");
  ::chmod(S("readonly").c_str(), 0400);
  EXPECT_EQ(RemoveFile(P("readonly")), 1);

  fs::create_directory(dir_.path() / "empty");
  EXPECT_EQ(RemoveFile(P("empty")), 0);
  EXPECT_EQ(PathKind(P("empty")), PATH_DIRECTORY);

  Write("target", "kept");
  ::chmod(S("target").c_str(), 0600);
  fs::create_symlink(dir_.path() / "target", dir_.path() / "link");
  EXPECT_EQ(RemoveFile(P("link")), 1);
  EXPECT_FALSE(fs::is_symlink(dir_.path() / "link"));
  EXPECT_EQ(Read("target"), "kept");
  EXPECT_EQ(PathPermissions(P("target")), 0600);

  fs::create_symlink(dir_.path() / "nowhere", dir_.path() / "dangling");
  EXPECT_EQ(RemoveFile(P("dangling")), 1);
  EXPECT_FALSE(fs::is_symlink(dir_.path() / "dangling"));
}

TEST_F(FileSystem, CopyFileContentsCopiesEveryByte) {
  std::string bytes(10000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
  Write("src", bytes);
  Write("dst", "old and longer than nothing");
  EXPECT_EQ(CopyFileContents(P("src"), P("dst")), 1);
  EXPECT_EQ(Read("dst"), bytes);

  Write("empty", "");
  EXPECT_EQ(CopyFileContents(P("empty"), P("empty-copy")), 1);
  EXPECT_EQ(PathKind(P("empty-copy")), PATH_FILE);
  EXPECT_EQ(PathSize(P("empty-copy")), 0);
}

TEST_F(FileSystem, CopyFileContentsFailures) {
  Write("src", "data");
  EXPECT_EQ(CopyFileContents(P("missing"), P("dst")), 0);
  EXPECT_EQ(PathKind(P("dst")), PATH_MISSING);
  EXPECT_EQ(CopyFileContents(P("src"), P("missing/dst")), 0);

  fs::create_directory(dir_.path() / "d");
  EXPECT_EQ(CopyFileContents(P("d"), P("dst")), 0);
  EXPECT_EQ(CopyFileContents(P("src"), P("d")), 0);

  // Copying a file onto itself, by any name, must not empty it.
  EXPECT_EQ(CopyFileContents(P("src"), P("src")), 0);
  EXPECT_EQ(CopyFileContents(P("src"), P("d/../src")), 0);
  fs::create_symlink(dir_.path() / "src", dir_.path() / "alias");
  EXPECT_EQ(CopyFileContents(P("alias"), P("src")), 0);
  EXPECT_EQ(Read("src"), "data");

  // A destination that cannot take the bytes fails the copy, even when they were buffered.
  EXPECT_EQ(CopyFileContents(P("src"), u"/dev/full"), 0);
}

TEST_F(FileSystem, CopyFileContentsReadsAnyUrl) {
  StartupStreamModule();
  static const char kBytes[] = "embedded bytes";
  RegisterEmbeddedFile(u"filesystem-test.bin", kBytes, sizeof kBytes - 1);
  EXPECT_EQ(CopyFileContents(u"incbin::filesystem-test.bin", P("out")), 1);
  EXPECT_EQ(Read("out"), "embedded bytes");
  EXPECT_EQ(CopyFileContents(u"incbin::no-such-file", P("out2")), 0);
}

TEST_F(FileSystem, MakeDirectorySingleAndRecursive) {
  EXPECT_EQ(MakeDirectory(P("one")), 1);
  EXPECT_EQ(PathKind(P("one")), PATH_DIRECTORY);
  EXPECT_EQ(MakeDirectory(P("one")), 1);
  EXPECT_EQ(MakeDirectory(P("a/b/c")), 0);
  EXPECT_EQ(PathKind(P("a")), PATH_MISSING);

  EXPECT_EQ(MakeDirectory(P("a/b/c/"), true), 1);
  EXPECT_EQ(PathKind(P("a/b/c")), PATH_DIRECTORY);
  EXPECT_EQ(MakeDirectory(P("a/b/c"), true), 1);
  EXPECT_EQ(MakeDirectory(P("a/./x/../y"), true), 1);
  EXPECT_EQ(PathKind(P("a/y")), PATH_DIRECTORY);
  EXPECT_EQ(PathKind(P("a/x")), PATH_MISSING);
}

TEST_F(FileSystem, RecursiveMakeDirectoryStopsAtAFile) {
  fs::create_directory(dir_.path() / "a");
  Write("a/file", "");
  EXPECT_EQ(MakeDirectory(P("a/file/b/c"), true), 0);
  EXPECT_EQ(PathKind(P("a/file")), PATH_FILE);
  EXPECT_EQ(MakeDirectory(P("a/file"), true), 0);
  EXPECT_EQ(MakeDirectory(P("a/file"), false), 0);
}

TEST_F(FileSystem, TreeIsMadeCopiedAndRemoved) {
  ASSERT_EQ(MakeDirectory(P("src/sub/deeper"), true), 1);
  ASSERT_EQ(MakeDirectory(P("src/empty"), true), 1);
  Write("src/top.txt", "top");
  Write("src/sub/mid.bin", std::string(5000, 'm'));
  Write("src/sub/deeper/low.txt", "low");
  Write("src/sub/readonly.txt", "ro");
  ::chmod(S("src/sub/readonly.txt").c_str(), 0444);
  fs::create_directory(dir_.path() / "outside");
  Write("outside/precious", "keep");
  fs::create_symlink("../outside", dir_.path() / "src/sub/out-link");
  fs::create_symlink("top.txt", dir_.path() / "src/top-link");

  ASSERT_EQ(CopyDirectoryTree(P("src"), P("copy")), 1);
  EXPECT_EQ(Read("copy/top.txt"), "top");
  EXPECT_EQ(Read("copy/sub/mid.bin"), std::string(5000, 'm'));
  EXPECT_EQ(Read("copy/sub/deeper/low.txt"), "low");
  EXPECT_EQ(Read("copy/sub/readonly.txt"), "ro");
  EXPECT_EQ(PathKind(P("copy/empty")), PATH_DIRECTORY);
  // Links come across as links with the same target, never as copies of what they reach.
  EXPECT_EQ(fs::read_symlink(dir_.path() / "copy/sub/out-link"), "../outside");
  EXPECT_EQ(fs::read_symlink(dir_.path() / "copy/top-link"), "top.txt");

  // Copying into an existing directory adds to it.
  ASSERT_EQ(CopyDirectoryTree(P("src/sub/deeper"), P("copy/empty")), 1);
  EXPECT_EQ(Read("copy/empty/low.txt"), "low");

  EXPECT_EQ(RemoveDirectory(P("copy")), 0);
  EXPECT_EQ(RemoveDirectory(P("copy"), true), 1);
  EXPECT_EQ(PathKind(P("copy")), PATH_MISSING);
  EXPECT_EQ(RemoveDirectory(P("src/"), true), 1);
  EXPECT_EQ(PathKind(P("src")), PATH_MISSING);
  // Removing through the links touched nothing outside the trees.
  EXPECT_EQ(Read("outside/precious"), "keep");
}

TEST_F(FileSystem, TreeOperationFailures) {
  Write("file", "x");
  fs::create_directory(dir_.path() / "d");
  EXPECT_EQ(CopyDirectoryTree(P("missing"), P("copy")), 0);
  EXPECT_EQ(CopyDirectoryTree(P("file"), P("copy")), 0);
  EXPECT_EQ(CopyDirectoryTree(P("d"), P("file")), 0);
  EXPECT_EQ(CopyDirectoryTree(P("d"), P("missing/copy")), 0);
  EXPECT_EQ(RemoveDirectory(P("missing"), true), 0);
  EXPECT_EQ(RemoveDirectory(P("missing")), 1);
  EXPECT_EQ(RemoveDirectory(P("file"), true), 0);
  EXPECT_EQ(PathKind(P("file")), PATH_FILE);

  // Copying a tree onto itself stops at the first file instead of emptying it.
  Write("d/f", "data");
  EXPECT_EQ(CopyDirectoryTree(P("d"), P("d")), 0);
  EXPECT_EQ(Read("d/f"), "data");

  // A name that cannot be spelled as text is not skipped quietly.
  Write("d/bad\xff", "raw");
  EXPECT_EQ(CopyDirectoryTree(P("d"), P("copy")), 0);
  ::unlink(S("d/bad\xff").c_str());

  // A link to a directory is not removed as the tree it points at.
  fs::create_symlink(dir_.path() / "d", dir_.path() / "link");
  EXPECT_EQ(RemoveDirectory(P("link"), true), 0);
  EXPECT_EQ(Read("d/f"), "data");
}

TEST_F(FileSystem, ListDirectoryKeepsTheSystemOrder) {
  ASSERT_EQ(MakeDirectory(P("many")), 1);
  for (int i = 0; i < 250; ++i) Write("many/entry" + std::to_string(i), "");

  const Array<String> names = ListDirectory(P("many"));
  ASSERT_EQ(names.Length(), 250);
  std::vector<String> expected;
  DIR* listing = ::opendir(S("many").c_str());
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") expected.push_back(FromUtf8(name));
  }
  ::closedir(listing);
  EXPECT_EQ(names.Items(), expected);

  const Array<String> withDots = ListDirectory(P("many/"), false);
  EXPECT_EQ(withDots.Length(), 252);
  EXPECT_EQ(std::count(withDots.begin(), withDots.end(), u"."), 1);
  EXPECT_EQ(std::count(withDots.begin(), withDots.end(), u".."), 1);

  EXPECT_EQ(ListDirectory(P("missing")).Length(), 0);
  Write("file", "");
  EXPECT_EQ(ListDirectory(P("file")).Length(), 0);
}

TEST_F(FileSystem, DirectoryEnumeration) {
  Write("only", "");
  EXPECT_EQ(OpenDirectory(P("missing")), nullptr);
  EXPECT_EQ(NextDirectoryEntry(nullptr), u"");
  CloseDirectory(nullptr);

  DirectoryEnumeration* listing = OpenDirectory(FromUtf8(dir_.path().string()) + u"/");
  ASSERT_NE(listing, nullptr);
  std::vector<String> names;
  for (String name = NextDirectoryEntry(listing); !name.empty();
       name = NextDirectoryEntry(listing)) {
    names.push_back(name);
  }
  EXPECT_EQ(NextDirectoryEntry(listing), u"");
  CloseDirectory(listing);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<String>{u".", u"..", u"only"}));
}

TEST_F(FileSystem, WorkingDirectoryAndRelativePaths) {
  const String original = WorkingDirectory();
  ASSERT_FALSE(original.empty());
  const String here = FromUtf8(fs::canonical(dir_.path()).string());

  ASSERT_EQ(SetWorkingDirectory(here + u"/"), 1);
  EXPECT_EQ(WorkingDirectory(), here);
  EXPECT_EQ(ResolvePath(u"x/../y"), here + u"/y");
  EXPECT_EQ(ResolvePath(u"."), here);
  EXPECT_EQ(MakeDirectory(u"rel/a/b", true), 1);
  EXPECT_EQ(PathKind(here + u"/rel/a/b"), PATH_DIRECTORY);
  EXPECT_EQ(SetWorkingDirectory(u"rel\\a"), 1);
  EXPECT_EQ(WorkingDirectory(), here + u"/rel/a");
  EXPECT_EQ(SetWorkingDirectory(u"missing"), 0);
  EXPECT_EQ(WorkingDirectory(), here + u"/rel/a");

  ASSERT_EQ(SetWorkingDirectory(original), 1);
}

#ifndef _WIN32
// Only Windows gives "a:" the meaning of a drive; elsewhere "a:b" is a file like any other.
TEST_F(FileSystem, ALetterAndColonNameIsAnOrdinaryFileOffWindows) {
  const String original = WorkingDirectory();
  ASSERT_EQ(SetWorkingDirectory(FromUtf8(dir_.path().string())), 1);
  Write("a:b", "12345");
  EXPECT_EQ(PathKind(u"a:b"), PATH_FILE);
  EXPECT_EQ(PathSize(u"a:b"), 5);
  EXPECT_EQ(CopyFileContents(u"a:b", u"c:d"), 1);
  EXPECT_EQ(Read("c:d"), "12345");
  EXPECT_EQ(MakeDirectory(u"e:f/g", true), 1);
  EXPECT_TRUE(fs::is_directory(dir_.path() / "e:f" / "g"));
  EXPECT_EQ(RemoveFile(u"a:b"), 1);
  EXPECT_FALSE(fs::exists(dir_.path() / "a:b"));
  ASSERT_EQ(SetWorkingDirectory(original), 1);
}
#endif

TEST_F(FileSystem, PermissionDeniedIsAResultNotAFault) {
  ::chmod(dir_.path().c_str(), 0755);
  fs::create_directory(dir_.path() / "locked");
  Write("locked/f", "inside");
  fs::create_directory(dir_.path() / "closed");
  Write("closed/f", "hidden");
  ::chmod(S("locked").c_str(), 0555);
  ::chmod(S("closed/f").c_str(), 0644);
  ::chmod(S("closed").c_str(), 0000);

  const String locked = P("locked"), closed = P("closed"), source = P("locked/f");
  const std::vector<std::pair<const char*, std::function<bool()>>> checks = {
      {"MakeEmptyFile", [&] { return MakeEmptyFile(locked + u"/f") == 0; }},
      {"RemoveFile", [&] { return RemoveFile(locked + u"/f") == 0; }},
      {"MakeDirectory", [&] { return MakeDirectory(locked + u"/sub") == 0; }},
      {"MakeDirectory recursive", [&] { return MakeDirectory(locked + u"/a/b", true) == 0; }},
      {"CopyFileContents to", [&] { return CopyFileContents(source, locked + u"/copy") == 0; }},
      {"CopyFileContents from", [&] { return CopyFileContents(closed + u"/f", source) == 0; }},
      {"CopyDirectoryTree", [&] { return CopyDirectoryTree(locked, closed + u"/copy") == 0; }},
      {"RemoveDirectory", [&] { return RemoveDirectory(locked, true) == 0; }},
      {"ListDirectory", [&] { return ListDirectory(closed).Length() == 0; }},
      {"OpenDirectory", [&] { return OpenDirectory(closed) == nullptr; }},
      {"PathKind", [&] { return PathKind(closed + u"/f") == PATH_MISSING; }},
      {"PathSize", [&] { return PathSize(closed + u"/f") == -1; }},
      {"SetWorkingDirectory", [&] { return SetWorkingDirectory(closed) == 0; }},
  };
  for (const auto& [name, check] : checks) EXPECT_TRUE(AsUnprivilegedUser(check)) << name;
  EXPECT_EQ(Read("locked/f"), "inside");
  ::chmod(S("closed").c_str(), 0755);
  ::chmod(S("locked").c_str(), 0755);
}

// Hands out its bytes once, without any idea of where it is.
class OneWayStream : public TStream {
 public:
  explicit OneWayStream(std::string bytes) : bytes_(std::move(bytes)) {}
  bool AtEnd() override { return next_ == bytes_.size(); }
  int Read(void* buffer, int count) override {
    const auto n = std::min(bytes_.size() - next_, static_cast<std::size_t>(std::max(count, 0)));
    std::memcpy(buffer, bytes_.data() + next_, n);
    next_ += n;
    return static_cast<int>(n);
  }

 private:
  std::string bytes_;
  std::size_t next_ = 0;
};

TEST_F(FileSystem, SeekableOpening) {
  StartupStreamModule();
  Write("f", "file bytes");
  const Ref<TStream> file = OpenSeekableForReading(P("f"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Position(), 0);
  EXPECT_EQ(file->SeekTo(5), 5);
  EXPECT_EQ(file->ReadChars(5), u"bytes");
  file->Close();
  EXPECT_FALSE(OpenSeekableForReading(P("missing")));

  const Ref<TStream> output = OpenSeekableForWriting(P("out"));
  ASSERT_TRUE(output);
  output->WriteChars(u"written");
  EXPECT_EQ(output->Position(), 7);
  output->Close();
  EXPECT_EQ(Read("out"), "written");

  const Ref<TStream> buffered = OpenSeekableForReading(New<OneWayStream>("one way"));
  ASSERT_TRUE(buffered);
  EXPECT_EQ(buffered->Length(), 7);
  EXPECT_EQ(buffered->SeekTo(4), 4);
  EXPECT_EQ(buffered->ReadChars(3), u"way");
  EXPECT_EQ(buffered->SeekTo(0), 0);
  EXPECT_EQ(buffered->ReadChars(3), u"one");
}

}  // namespace
}  // namespace corvax
