// The choosers run whatever "zenity" the PATH finds; a script stands in for it here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include <corvax/stream/filesystem.h>
#include <corvax/system/system_module.h>

namespace corvax {
namespace {

namespace fs = std::filesystem;

class ZenityChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupSystemModule();
    dir_ = fs::temp_directory_path() / ("corvax-zenity-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    savedPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", dir_.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // A zenity that records its arguments, one a line, prints the answer and exits with status.
  void FakeZenity(const std::string& answer, int status) {
    const fs::path script = dir_ / "zenity";
    std::ofstream(script) << "#!/bin/sh\n"
                          << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                          << (dir_ / "args").string() << "'\n"
                          << "echo 'GTK noise' >&2\n"
                          << "printf '%s\\n' '" << answer << "'\n"
                          << "exit " << status << "\n";
    fs::permissions(script, fs::perms::owner_all);
  }
  std::string RecordedArgs() const {
    std::ostringstream text;
    text << std::ifstream(dir_ / "args").rdbuf();
    return text.str();
  }

  fs::path dir_;
  std::string savedPath_;
};

TEST_F(ZenityChooser, FileChooserReturnsTheChosenPath) {
  FakeZenity("/home/u/pictures/sunny day.png", 0);
  EXPECT_EQ(ChooseFile(u"Open picture", u"Image Files:png,jpg;Text:txt", 0, u"/data/pic.jpg"),
            u"/home/u/pictures/sunny day.png");
  EXPECT_EQ(RecordedArgs(),
            "--file-selection\n--title=Open picture\n--filename=/data/pic.jpg\n"
            "--file-filter=Image Files | *.png *.PNG *.jpg *.JPG\n"
            "--file-filter=Text | *.txt *.TXT\n");
}

TEST_F(ZenityChooser, CancelledOrMissingChoosersGiveTheEmptyString) {
  FakeZenity("/ignored", 1);
  EXPECT_EQ(ChooseFile(u"Save", u"", 1, u""), u"");
  EXPECT_EQ(RecordedArgs(), "--file-selection\n--title=Save\n--save\n--confirm-overwrite\n");
  fs::remove(dir_ / "zenity");
  EXPECT_EQ(ChooseFile(u"Open"), u"");
  EXPECT_EQ(ChooseFolder(u"Folder"), u"");
}

TEST_F(ZenityChooser, FolderChooserStartsInTheFullPath) {
  FakeZenity("/chosen", 0);
  EXPECT_EQ(ChooseFolder(u"Where to?", u"."), u"/chosen");
  EXPECT_EQ(RecordedArgs(), "--file-selection\n--directory\n--title=Where to?\n--filename=" +
                                ToUtf8(WorkingDirectory()) + "/\n");
}

}  // namespace
}  // namespace corvax
