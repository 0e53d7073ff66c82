#include <gtest/gtest.h>

#include <corvax/system/chooser.h>

namespace corvax {
namespace {

using Args = std::vector<std::string>;

TEST(ChooserFilter, PairsOfDescriptionAndPatterns) {
  using namespace std::string_literals;
  EXPECT_EQ(ChooserFilterString(u"Image Files:png,jpg;Text:txt"),
            u"Image Files\0*.png;*.jpg\0Text\0*.txt\0"s);
  EXPECT_EQ(ChooserFilterString(u"png,jpg"), u"Files\0*.png;*.jpg\0"s);
  EXPECT_EQ(ChooserFilterString(u""), u"");
  const std::vector<ChooserFilter> filters =
      ParseChooserFilters(ChooserFilterString(u"Image Files:png,jpg;Text:txt"));
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].description, u"Image Files");
  EXPECT_EQ(filters[0].patterns, (std::vector<String>{u"*.png", u"*.jpg"}));
  EXPECT_EQ(filters[1].description, u"Text");
  EXPECT_EQ(filters[1].patterns, (std::vector<String>{u"*.txt"}));
  // A group without a description after the first has no patterns to pair with.
  EXPECT_EQ(ParseChooserFilters(ChooserFilterString(u"png;txt")).size(), 1u);
  EXPECT_TRUE(ParseChooserFilters(u"").empty());
}

TEST(ChooserFilter, IndexOfTheGroupHoldingThePathsExtension) {
  const String extensions = u"Image Files:png,jpg;Text:txt";
  EXPECT_EQ(ChooserFilterIndex(extensions, u"c:/data/pic.PNG"), 1);
  EXPECT_EQ(ChooserFilterIndex(extensions, u"pic.jpg"), 1);
  // The last group and its last extension count like the others.
  EXPECT_EQ(ChooserFilterIndex(extensions, u"notes.txt"), 2);
  EXPECT_EQ(ChooserFilterIndex(u"A:png;B:jpg;C:txt,md", u"x.md"), 3);
  EXPECT_EQ(ChooserFilterIndex(extensions, u"song.ogg"), 0);
  EXPECT_EQ(ChooserFilterIndex(extensions, u"noextension"), 0);
  // A dot in a directory name is no extension, and part of an extension does not match.
  EXPECT_EQ(ChooserFilterIndex(extensions, u"/home/u/my.txt/picture"), 0);
  EXPECT_EQ(ChooserFilterIndex(extensions, u"a.pn"), 0);
  EXPECT_EQ(ChooserFilterIndex(extensions, u"archive.tar.txt"), 2);
  EXPECT_EQ(ChooserFilterIndex(u"", u"a.png"), 0);
  // Without descriptions every extension of a group counts, the first one too.
  EXPECT_EQ(ChooserFilterIndex(u"png,jpg", u"x.png"), 1);
  EXPECT_EQ(ChooserFilterIndex(u"png,jpg", u"x.jpg"), 1);
}

TEST(ChooserPath, SplitsAtTheLastSeparator) {
  EXPECT_EQ(SplitChooserPath(u"c:/data/pic.PNG").directory, u"c:/data");
  EXPECT_EQ(SplitChooserPath(u"c:/data/pic.PNG").fileName, u"pic.PNG");
  EXPECT_EQ(SplitChooserPath(u"c:\\data\\pic.PNG").directory, u"c:/data");
  EXPECT_EQ(SplitChooserPath(u"notes.txt").directory, u"");
  EXPECT_EQ(SplitChooserPath(u"notes.txt").fileName, u"notes.txt");
  EXPECT_EQ(SplitChooserPath(u"/tmp/").fileName, u"");
}

TEST(ZenityArgs, OpenAndSaveWithTheMatchingFilterFirst) {
  EXPECT_EQ(ZenityFileChooserArgs(u"Pick", u"Image Files:png,jpg;Text:txt", 0, u"/data/notes.txt"),
            (Args{"--file-selection", "--title=Pick", "--filename=/data/notes.txt",
                  "--file-filter=Text | *.txt *.TXT",
                  "--file-filter=Image Files | *.png *.PNG *.jpg *.JPG"}));
  EXPECT_EQ(ZenityFileChooserArgs(u"Sav\u00e9", u"", 1, u""),
            (Args{"--file-selection", "--title=Sav\xc3\xa9", "--save", "--confirm-overwrite"}));
  EXPECT_EQ(ZenityFileChooserArgs(u"T", u"a|b:*", 0, u"dir/"),
            (Args{"--file-selection", "--title=T", "--filename=dir/", "--file-filter=a/b | *.*"}));
}

TEST(ZenityArgs, FolderStartsInsideTheDirectory) {
  EXPECT_EQ(ZenityFolderChooserArgs(u"Where", u"/home/u"),
            (Args{"--file-selection", "--directory", "--title=Where", "--filename=/home/u/"}));
  EXPECT_EQ(ZenityFolderChooserArgs(u"Where", u"/"),
            (Args{"--file-selection", "--directory", "--title=Where", "--filename=/"}));
  EXPECT_EQ(ZenityFolderChooserArgs(u"Where", u""),
            (Args{"--file-selection", "--directory", "--title=Where"}));
}

}  // namespace
}  // namespace corvax
