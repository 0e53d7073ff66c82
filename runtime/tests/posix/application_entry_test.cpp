#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <corvax/runtime/application_entry.h>

#include "child_process.h"

namespace corvax {
namespace {

namespace fs = std::filesystem;
using testing::RunChild;

TEST(ApplicationDirectory, IsTheTextBeforeTheLastSlash) {
  EXPECT_EQ(ApplicationDirectoryOf(u"/usr/bin/prog"), u"/usr/bin");
  EXPECT_EQ(ApplicationDirectoryOf(u"C:/games/prog.exe"), u"C:/games");
  EXPECT_EQ(ApplicationDirectoryOf(u"prog"), u"");
  EXPECT_EQ(ToForwardSlashes(u"C:\\a\\b.exe"), u"C:/a/b.exe");
}

TEST(ApplicationDirectory, AtADriveRootKeepsTheSlash) {
  EXPECT_EQ(ApplicationDirectoryOf(u"C:/prog.exe"), u"C:/");
  EXPECT_EQ(ApplicationDirectoryOf(ToForwardSlashes(u"d:\\prog.exe")), u"d:/");
  EXPECT_EQ(ApplicationDirectoryOf(u"/prog"), u"/");
}

class ProcessStart : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("corvax-start-" + std::to_string(getpid()));
    fs::create_directories(root / "bin");
    fs::create_directories(root / "elsewhere");
    program = root / "bin" / "startup_probe";
    fs::copy_file(CORVAX_STARTUP_PROBE, program);
    std::ofstream(root / "bin" / "beside.txt") << "here";
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root, program;
};

TEST_F(ProcessStart, RecordsTheProcessAndWorksNextToTheExecutable) {
  const auto result = RunChild(program, {"info"}, root / "elsewhere");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string dir = fs::canonical(root).string();
  EXPECT_NE(result.out.find("launch=" + dir + "/elsewhere\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("appdir=" + dir + "/bin\n"), std::string::npos);
  EXPECT_NE(result.out.find("appfile=" + dir + "/bin/startup_probe\n"), std::string::npos);
  EXPECT_NE(result.out.find("title=Corvax Application\n"), std::string::npos);
  EXPECT_NE(result.out.find("args=2:info\n"), std::string::npos);
  EXPECT_NE(result.out.find("beside=found\n"), std::string::npos);
  EXPECT_NE(result.out.find("mainruns=1\n"), std::string::npos);
}

TEST_F(ProcessStart, UncaughtExceptionWritesItsTextAndExitsWithMinusOne) {
  const auto result = RunChild(program, {"throw"});
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.err, "boom");
  EXPECT_EQ(result.out.find("mainruns"), std::string::npos);
}

TEST_F(ProcessStart, FatalSignalsReportAndExitWithMinusOne) {
  for (const auto& [mode, number] : {std::pair{"signal", "15"}, std::pair{"segv", "11"}}) {
    const auto result = RunChild(program, {mode});
    EXPECT_EQ(result.status, 255) << mode;
    EXPECT_EQ(result.out, std::string("signal!:") + number + "\n");
    EXPECT_EQ(result.err, "Received Signal");
  }
}

}  // namespace
}  // namespace corvax
