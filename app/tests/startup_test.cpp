#include <gtest/gtest.h>

#include <filesystem>

#include "child_process.h"

namespace {

TEST(ApplicationStart, RegistersTheCursorAndEachFactoryOnce) {
  const auto result = corvax::testing::RunChild(CORVAX_START_PROBE, {}, "/");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(
      result.out.find("cursor=" + std::to_string(std::filesystem::file_size(CORVAX_CURSOR_PNG)) +
                      " png=1"),
      std::string::npos)
      << result.out;
  // Newest first, each once however often start-up is called.
  EXPECT_NE(result.out.find("factories=TTextStreamFactory THTTPStreamFactory TSocketStreamFactory "
                            "TXEndianStreamFactory TRamStreamFactory TBankStreamFactory "
                            "TDataStreamFactory \n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("loaders=TPixmapLoaderTGA TPixmapLoaderPNG TPixmapLoaderJPG "
                            "TPixmapLoaderBMP \n"),
            std::string::npos)
      << result.out;
}

}  // namespace
