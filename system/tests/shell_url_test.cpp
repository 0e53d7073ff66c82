#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <corvax/stream/filesystem.h>
#include <corvax/system/shell_url.h>

#include "fake_driver.h"

namespace corvax {
namespace {

// A disk with one file, /w/readme.txt, and one directory, /w/docs, working directory /w.
const ShellPathChecks kFakeDisk{[](const String& path) {
                                  if (path.empty()) return String(u"/w");
                                  return path[0] == u'/' ? path : u"/w/" + path;
                                },
                                [](const String& path) {
                                  if (path == u"/w/readme.txt") return 1;
                                  return path == u"/w/docs" ? 2 : 0;
                                }};

TEST(ShellUrl, AddressesWithASchemePassAsGiven) {
  EXPECT_EQ(PrepareShellUrl(u"http://example.com/a#b", kFakeDisk), u"http://example.com/a#b");
  EXPECT_EQ(PrepareShellUrl(u"HTTP:x", kFakeDisk), u"HTTP:x");
  EXPECT_EQ(PrepareShellUrl(u"file:/w/readme.txt", kFakeDisk), u"file:/w/readme.txt");
  EXPECT_EQ(PrepareShellUrl(u"https://example.com", kFakeDisk), u"https://example.com");
  EXPECT_EQ(PrepareShellUrl(u"ftp://host/f", kFakeDisk), u"ftp://host/f");
}

TEST(ShellUrl, ExistingPathsBecomeFileUrlsWithTheirAnchor) {
  EXPECT_EQ(PrepareShellUrl(u"readme.txt", kFakeDisk), u"file:///w/readme.txt");
  EXPECT_EQ(PrepareShellUrl(u"readme.txt#intro", kFakeDisk), u"file:///w/readme.txt#intro");
  EXPECT_EQ(PrepareShellUrl(u"/w/docs", kFakeDisk), u"file:///w/docs");
}

TEST(ShellUrl, AnythingElseIsAWebAddress) {
  EXPECT_EQ(PrepareShellUrl(u"missing/page#top", kFakeDisk), u"http:missing/page#top");
  EXPECT_EQ(PrepareShellUrl(u"www.example.com", kFakeDisk), u"http:www.example.com");
  // A one-letter scheme is a drive, not an address.
  EXPECT_EQ(PrepareShellUrl(u"c://x", kFakeDisk), u"http:c://x");
}

TEST(ShellUrl, RealFilesWithUnusualNamesAreEncoded) {
#ifdef _WIN32
  GTEST_SKIP() << "the expected urls are spelt from POSIX paths (no drive, '/' only)";
#else
  const auto driver = testing::InstallFakeDriver();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("corvax-shell-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "a b%\xc3\xa9.txt";
  std::fclose(std::fopen(file.c_str(), "w"));
  OpenInShell(FromUtf8(file.string()) + u"#top");
  EXPECT_EQ(driver->lastShellUrl, FromUtf8("file://" + dir.string() + "/a%20b%25%C3%A9.txt#top"));
  OpenInShell(FromUtf8((dir / "absent.html").string()));
  EXPECT_EQ(driver->lastShellUrl, FromUtf8("http:" + (dir / "absent.html").string()));
  std::filesystem::remove_all(dir);
#endif
}

}  // namespace
}  // namespace corvax
