#pragma once
// Tests whose current graphics is a 640 x 480 context of the logging driver, so that what they
// draw can be read back from its log.
#include <gtest/gtest.h>

#include "recording_driver.h"

namespace corvax::testing {

class RecordingGraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupRendererModule();
    driver_ = New<TRecording2DDriver>();
    SelectGraphicsDriver(driver_, 0);
    graphics_ = Cast<TPlex2DGraphics>(CreateGraphicsContext(640, 480, 0, 0, 0));
    ASSERT_TRUE(graphics_);
    MakeGraphicsCurrent(graphics_);
  }
  void TearDown() override {
    MakeGraphicsCurrent(nullptr);
    SelectGraphicsDriver(nullptr, 0);
  }
  CallLog& Log() { return driver_->log; }

  Ref<TRecording2DDriver> driver_;
  Ref<TPlex2DGraphics> graphics_;
};

}  // namespace corvax::testing
