#include <gtest/gtest.h>

#include <corvax/stream/path.h>

namespace corvax {
namespace {

TEST(NormalizePath, SlashesAndDriveLetters) {
  EXPECT_EQ(NormalizePath(u""), u"");
  EXPECT_EQ(NormalizePath(u"a\\b\\c"), u"a/b/c");
  EXPECT_EQ(NormalizePath(u"C:"), u"C:/");
  EXPECT_EQ(NormalizePath(u"C:data"), u"C:/data");
  EXPECT_EQ(NormalizePath(u"c:\\data"), u"c:/data");
  EXPECT_EQ(NormalizePath(u"C:/"), u"C:/");
  EXPECT_EQ(NormalizePath(u"a\\b\\"), u"a/b/");
  // Only a letter before the colon makes a drive.
  EXPECT_EQ(NormalizePath(u"1:x"), u"1:x");
  EXPECT_EQ(NormalizePath(u":x"), u":x");
  EXPECT_EQ(NormalizePath(u"/usr/lib"), u"/usr/lib");
}

TEST(NormalizePath, DirectoryFlagTrimsOneTrailingSlash) {
  EXPECT_EQ(NormalizePath(u"a\\b\\", true), u"a/b");
  EXPECT_EQ(NormalizePath(u"a//", true), u"a/");
  EXPECT_EQ(NormalizePath(u"C:/", true), u"C:/");
  EXPECT_EQ(NormalizePath(u"C:", true), u"C:/");
  EXPECT_EQ(NormalizePath(u"C:\\", true), u"C:/");
  EXPECT_EQ(NormalizePath(u"/", true), u"/");
  EXPECT_EQ(NormalizePath(u"a", true), u"a");
  EXPECT_EQ(NormalizePath(u"C:/x/", true), u"C:/x");
}

TEST(TrimTrailingSlash, KeepsRoots) {
  EXPECT_EQ(TrimTrailingSlash(u""), u"");
  EXPECT_EQ(TrimTrailingSlash(u"/"), u"/");
  EXPECT_EQ(TrimTrailingSlash(u"D:/"), u"D:/");
  EXPECT_EQ(TrimTrailingSlash(u"ab/"), u"ab");
  EXPECT_EQ(TrimTrailingSlash(u"ab"), u"ab");
}

TEST(ParentPath, DropsTheLastComponent) {
  EXPECT_EQ(ParentPath(u"file.txt"), kBadDirectory);
  EXPECT_EQ(ParentPath(u"dir/"), kBadDirectory);
  EXPECT_EQ(ParentPath(u"C:/"), kBadDirectory);
  EXPECT_EQ(ParentPath(u"/"), kBadDirectory);
  EXPECT_EQ(ParentPath(u"C:/x"), u"C:/");
  EXPECT_EQ(ParentPath(u"C:\\x\\y"), u"C:/x");
  EXPECT_EQ(ParentPath(u"/x"), u"/");
  EXPECT_EQ(ParentPath(u"/x/y"), u"/x");
  EXPECT_EQ(ParentPath(u"a/b/c.txt"), u"a/b");
}

TEST(ResolvePath, AgainstAGivenWorkingDirectory) {
  EXPECT_EQ(ResolvePath(u"", u"C:/w"), u"C:/w");
  EXPECT_EQ(ResolvePath(u".", u"C:/w"), u"C:/w");
  EXPECT_EQ(ResolvePath(u"a/./b/../c", u"C:/w"), u"C:/w/a/c");
  EXPECT_EQ(ResolvePath(u"a\\b", u"/home/u"), u"/home/u/a/b");
  EXPECT_EQ(ResolvePath(u"..", u"C:/w"), u"C:/");
  EXPECT_EQ(ResolvePath(u"../..", u"C:/w"), kBadDirectory);
  EXPECT_EQ(ResolvePath(u"C:/..", u"/w"), kBadDirectory);
  EXPECT_EQ(ResolvePath(u"D:x/y", u"/w"), u"D:/x/y");
  EXPECT_EQ(ResolvePath(u"C:/a//b/./", u"/w"), u"C:/a/b");
}

TEST(ResolvePath, RootedAndNetworkPaths) {
  EXPECT_EQ(ResolvePath(u"/", u"/w"), u"/");
  EXPECT_EQ(ResolvePath(u"/usr/./lib/../bin", u"/w"), u"/usr/bin");
  EXPECT_EQ(ResolvePath(u"/usr/..", u"/w"), u"/");
  EXPECT_EQ(ResolvePath(u"/usr/../etc", u"/w"), u"/etc");
  EXPECT_EQ(ResolvePath(u"/..", u"/w"), kBadDirectory);
  EXPECT_EQ(ResolvePath(u"\\\\server\\share\\f", u"/w"), u"//server/share/f");
}

TEST(PathRules, WithoutDrivesALetterAndColonIsAnOrdinaryName) {
  constexpr auto kPosix = PathRules::kWithoutDrives;
  EXPECT_FALSE(HasDriveLetter(u"C:/x", kPosix));
  EXPECT_EQ(NormalizePath(u"a:b", false, kPosix), u"a:b");
  EXPECT_EQ(NormalizePath(u"a:", true, kPosix), u"a:");
  EXPECT_EQ(NormalizePath(u"a:\\b\\", true, kPosix), u"a:/b");
  EXPECT_EQ(TrimTrailingSlash(u"a:/", kPosix), u"a:");
  EXPECT_EQ(ParentPath(u"a:b", kPosix), kBadDirectory);
  EXPECT_EQ(ParentPath(u"a:/b", kPosix), u"a:");
  EXPECT_EQ(ResolvePath(u"a:b", u"/w", kPosix), u"/w/a:b");
  EXPECT_EQ(ResolvePath(u"C:/x/..", u"/w", kPosix), u"/w/C:");
  // The same texts under the drive rules.
  EXPECT_EQ(ResolvePath(u"a:b", u"/w"), u"a:/b");
  EXPECT_EQ(NormalizePath(u"a:b", false, PathRules::kWithDrives), u"a:/b");
}

TEST(PathRules, FileSystemFunctionsFollowTheHost) {
#ifdef _WIN32
  EXPECT_EQ(SystemPath(u"a:b"), u"a:/b");
#else
  EXPECT_EQ(SystemPath(u"a:b"), u"a:b");
#endif
  EXPECT_EQ(SystemPath(u"x\\y\\", true), u"x/y");
}

TEST(NameParts, SplitAtTheLastSlashAndDot) {
  EXPECT_EQ(FileNamePart(u"a/b/c.txt"), u"c.txt");
  EXPECT_EQ(FileNamePart(u"a\\b\\c.txt"), u"c.txt");
  EXPECT_EQ(FileNamePart(u"c.txt"), u"c.txt");
  EXPECT_EQ(FileNamePart(u"dir/"), u"");

  EXPECT_EQ(WithoutExtension(u"dir.old/file"), u"dir.old/file");
  EXPECT_EQ(WithoutExtension(u"a/archive.tar.gz"), u"a/archive.tar");
  EXPECT_EQ(WithoutExtension(u"noext"), u"noext");

  EXPECT_EQ(ExtensionPart(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(ExtensionPart(u"dir.old/file"), u"");
  EXPECT_EQ(ExtensionPart(u"file."), u"");
  EXPECT_EQ(ExtensionPart(u"noext"), u"");

  EXPECT_EQ(BaseName(u"C:\\games\\level1.map"), u"level1");
  EXPECT_EQ(BaseName(u"dir.old/file"), u"file");
}

}  // namespace
}  // namespace corvax
