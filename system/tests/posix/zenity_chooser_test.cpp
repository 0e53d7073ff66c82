// The choosers run whatever "zenity" the PATH finds; a script stands in for it here.
#include <gtest/gtest.h>

#include <algorithm>
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
  void FakeZenity(const std::string& answer, int status, const std::string& noise = "GTK noise") {
    FakeProgram("zenity", answer, status, noise);
  }
  // SDL runs zenity for its own boxes when no video driver is up (it passes --switch); this
  // one refuses SDL, so what answers a box is the framework's own way to zenity.
  void FakeProgram(const std::string& name, const std::string& answer, int status,
                   const std::string& noise) {
    const fs::path script = dir_ / name;
    std::ofstream(script) << "#!/bin/sh\n"
                          << "case \" $* \" in *\" --switch \"*|\" --version \") exit 255;; esac\n"
                          << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                          << (dir_ / (name + ".args")).string() << "'\n"
                          << "echo '" << noise << "' >&2\n"
                          << "printf '%s\\n' '" << answer << "'\n"
                          << "exit " << status << "\n";
    fs::permissions(script, fs::perms::owner_all);
  }
  std::string RecordedArgs(const std::string& name = "zenity") const {
    std::ostringstream text;
    text << std::ifstream(dir_ / (name + ".args")).rdbuf();
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
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ChooseFile(u"Save", u"", 1, u""), u"");
  EXPECT_EQ(RecordedArgs(), "--file-selection\n--title=Save\n--save\n--confirm-overwrite\n");
  // The user's own cancel is no failure: nothing to say.
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  fs::remove(dir_ / "zenity");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ChooseFile(u"Open"), u"");
  EXPECT_EQ(ChooseFolder(u"Folder"), u"");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot show a file chooser: zenity is not installed; kdialog is not "
            "installed\n"
            "corvax: cannot show a folder chooser: zenity is not installed; kdialog is not "
            "installed\n");
}

TEST_F(ZenityChooser, KdialogStandsInWhenZenityCannotShowItself) {
  // GTK without a display ends with the same status as a cancel; its complaint tells them apart.
  FakeZenity("", 1, "Gtk-WARNING **: cannot open display: :9");
  FakeProgram("kdialog", "/home/u/notes.txt", 0, "");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ChooseFile(u"Pick", u"Image Files:png,jpg;Text:txt", 0, u"/data/notes.txt"),
            u"/home/u/notes.txt");
  EXPECT_EQ(RecordedArgs("kdialog"),
            "--title\nPick\n--getopenfilename\n/data/notes.txt\n"
            "*.txt *.TXT|Text\n*.png *.PNG *.jpg *.JPG|Image Files\n");
  FakeProgram("kdialog", "/chosen", 0, "");
  EXPECT_EQ(ChooseFolder(u"Where?", u"/tmp"), u"/chosen");
  EXPECT_EQ(RecordedArgs("kdialog"), "--title\nWhere?\n--getexistingdirectory\n/tmp\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  // Neither can: the line says how each one failed.
  FakeZenity("", 255, "first line\nzenity: bad option");
  fs::remove(dir_ / "kdialog");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ChooseFile(u"Open", u"", 1, u""), u"");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot show a file chooser: zenity failed with exit status 255 (zenity: bad "
            "option); kdialog is not installed\n");
}

class DesktopFailure : public ZenityChooser {
 protected:
  void SetUp() override {
    ZenityChooser::SetUp();
    const char* display = std::getenv("DISPLAY");
    savedDisplay_ = display ? display : "";
  }
  void TearDown() override {
    if (savedDisplay_.empty()) {
      unsetenv("DISPLAY");
    } else {
      setenv("DISPLAY", savedDisplay_.c_str(), 1);
    }
    ZenityChooser::TearDown();
  }
  // An X display that does not exist: SDL cannot show its box there.
  void UnreachableDisplay() {
    setenv("DISPLAY", ":4242", 1);
    unsetenv("WAYLAND_DISPLAY");
  }

  std::string savedDisplay_;
};

TEST_F(DesktopFailure, MessageBoxesWithoutADisplayAnswerCancelAndSayWhy) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(AskConfirm(u"ok?"), 0);
  EXPECT_EQ(AskProceed(u"go on?"), -1);
  const std::string line =
      "corvax: cannot show a message box: no display (DISPLAY and WAYLAND_DISPLAY are unset)\n";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), line + line);
}

TEST_F(DesktopFailure, ZenityShowsTheBoxWhenSdlCannot) {
  UnreachableDisplay();
  ::testing::internal::CaptureStderr();
  FakeZenity("", 0);
  EXPECT_EQ(AskProceed(u"Save <changes> & quit?", 1), 1);
  EXPECT_EQ(RecordedArgs(),
            "--question\n--title=Corvax Application\n--text=Save <changes> & quit?\n--no-markup\n"
            "--icon-name=dialog-warning\n--ok-label=Yes\n--cancel-label=Cancel\n"
            "--extra-button=No\n");
  FakeZenity("No", 1);
  EXPECT_EQ(AskProceed(u"Save?"), 0);
  FakeZenity("", 1);
  EXPECT_EQ(AskProceed(u"Save?"), -1);
  EXPECT_EQ(AskConfirm(u"Sure?"), 0);
  FakeZenity("", 0);
  EXPECT_EQ(AskConfirm(u"Sure?"), 1);
  ShowNotice(u"Done.");
  EXPECT_EQ(RecordedArgs(), "--info\n--title=Corvax Application\n--text=Done.\n--no-markup\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(DesktopFailure, WhenNeitherWayWorksTheLineNamesBoth) {
  UnreachableDisplay();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(AskProceed(u"go on?"), -1);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.rfind("corvax: cannot show a message box: SDL: ", 0), 0u) << said;
  EXPECT_NE(said.find("; zenity is not installed\n"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST_F(DesktopFailure, OpeningInTheShellWithoutXdgOpenSaysSo) {
  ::testing::internal::CaptureStderr();
  OpenInShell(u"http://example.invalid/page");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot open http://example.invalid/page: xdg-open is not installed\n");
}

TEST_F(ZenityChooser, FolderChooserStartsInTheFullPath) {
  FakeZenity("/chosen", 0);
  EXPECT_EQ(ChooseFolder(u"Where to?", u"."), u"/chosen");
  EXPECT_EQ(RecordedArgs(), "--file-selection\n--directory\n--title=Where to?\n--filename=" +
                                ToUtf8(WorkingDirectory()) + "/\n");
}

}  // namespace
}  // namespace corvax
