// A capture is a listener on the graphics core's frame hook, which runs just before each present:
// the back buffer then holds the finished frame. It goes last on the hook, after anything else
// drawn there.
#include <corvax/plex2d/capture.h>
#include <corvax/runtime/start_once.h>

#include <cstdio>
#include <exception>
#include <memory>

#include <corvax/graphics/graphics_core.h>
#include <corvax/pixmap/png_loader.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/exit_actions.h>
#include <corvax/runtime/immortal.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/stream_functions.h>
#include <corvax/system/hook.h>

#include "gif_animation.h"

namespace corvax {
namespace {

constexpr int kHookPriority = -10000;
// Captured PNG files favour speed over size: a capture runs while the program draws.
constexpr int kCapturePngCompression = 1;
constexpr int kScreenshotPngCompression = 6;
constexpr int kCentisecondsPerSecond = 100;
// The frame rate a GIF assumes for graphics that ask for none.
constexpr int kAssumedHertz = 60;

struct Capture {
  bool running = false;
  CaptureFrames frames;
  int seen = 0;
  int captured = 0;
  CaptureSink sink;
  // Ends the capture's file; false and a line on standard error when it cannot.
  std::function<bool()> finish;
  bool exitActionAdded = false;
};

Capture& State() {
  // Never destroyed: the exit action that finishes a capture may run after static destructors.
  static auto* const capture = &MakeImmortal<Capture>();
  return *capture;
}

std::string Utf8Of(const Url& url) {
  return url.AsObject() ? ToUtf8(url.AsObject()->ToString()) : std::string("Null");
}

Ref<TPixmap> BackBuffer() {
  return GrabPixmapAt(0, 0, CurrentGraphicsWidth(), CurrentGraphicsHeight());
}

Ref<Object> OnFrame(int, const Ref<Object>& data, const Ref<Object>&) {
  auto& capture = State();
  if (!capture.running || !CurrentGraphics()) return data;
  const int seen = capture.seen++;
  if (seen % capture.frames.every != 0) return data;
  const int index = capture.captured++;
  // The sink may stop the capture (or start another); it is called on a copy.
  const CaptureSink sink = capture.sink;
  sink(BackBuffer(), index);
  if (capture.running && capture.frames.count > 0 && capture.captured >= capture.frames.count) {
    StopCapture();
  }
  return data;
}

void StopAtExit() {
  StopCapture();
}

bool Begin(const char* what, CaptureFrames frames, CaptureSink sink, std::function<bool()> finish) {
  StartupCaptureModule();
  auto& capture = State();
  if (capture.running) {
    std::fprintf(stderr, "capture: cannot capture %s: a capture runs already\n", what);
    return false;
  }
  if (frames.every < 1 || frames.count < 0) {
    std::fprintf(stderr,
                 "capture: cannot capture %s: every %d frames, %d of them (every needs 1 or "
                 "more, count 0 or more)\n",
                 what, frames.every, frames.count);
    return false;
  }
  capture =
      Capture{true, frames, 0, 0, std::move(sink), std::move(finish), capture.exitActionAdded};
  InstallHook(FrameHookId(), &OnFrame, nullptr, kHookPriority);
  if (!capture.exitActionAdded) {
    capture.exitActionAdded = true;
    AddExitAction(&StopAtExit);
  }
  return true;
}

// The file name for one frame: the index in place of the mark, or before the extension.
String PngName(const String& pattern, int index) {
  String number = FromUtf8(std::to_string(index));
  if (number.size() < kCaptureIndexDigits) {
    number.insert(0, kCaptureIndexDigits - number.size(), u'0');
  }
  String name = pattern;
  if (const std::size_t mark = name.find(kCaptureIndexMark); mark != String::npos) {
    return name.replace(mark, 1, number);
  }
  const std::size_t dot = name.find_last_of(u'.');
  const std::size_t slash = name.find_last_of(u"/\\");
  if (dot == String::npos || (slash != String::npos && dot < slash)) return name + number;
  return name.insert(dot, number);
}

bool SavePng(const Ref<TPixmap>& frame, const Url& url, int compression, const char* what) {
  bool saved = false;
  try {
    saved = PixmapSavePNG(frame, url, compression);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "capture: cannot save %s %s: %s\n", what, Utf8Of(url).c_str(),
                 failure.what());
    return false;
  }
  if (!saved) {
    std::fprintf(stderr, "capture: cannot save %s %s: it cannot be written\n", what,
                 Utf8Of(url).c_str());
  }
  return saved;
}

}  // namespace

bool CaptureToPng(const String& pattern, CaptureFrames frames) {
  return Begin(
      ToUtf8(pattern).c_str(), frames,
      [pattern](const Ref<TPixmap>& frame, int index) {
        if (!SavePng(frame, PngName(pattern, index), kCapturePngCompression, "frame")) {
          StopCapture();
        }
      },
      [] { return true; });
}

bool CaptureToGif(const Url& url, CaptureFrames frames) {
  const std::string name = Utf8Of(url);
  Ref<TStream> stream;
  try {
    stream = OpenWriteStream(url);
  } catch (const std::exception&) {
  }
  if (!stream) {
    std::fprintf(stderr, "capture: cannot capture to %s: it cannot be opened for writing\n",
                 name.c_str());
    return false;
  }
  // The animation starts with its first frame, whose size it takes.
  auto gif = std::make_shared<GifAnimation>();
  auto opened = std::make_shared<bool>(false);
  const int hertz = CurrentGraphicsHertz() > 0 ? CurrentGraphicsHertz() : kAssumedHertz;
  const int delay = std::max(1, frames.every * kCentisecondsPerSecond / hertz);
  const auto sink = [gif, opened, stream, delay, name](const Ref<TPixmap>& frame, int) {
    std::string error;
    if (!*opened) {
      *opened = true;
      if (!gif->Open(stream, frame->Width(), frame->Height(), delay, error)) {
        std::fprintf(stderr, "capture: %s: %s\n", name.c_str(), error.c_str());
        StopCapture();
        return;
      }
    }
    if (!gif->AddFrame(frame, error)) {
      std::fprintf(stderr, "capture: %s: %s\n", name.c_str(), error.c_str());
      StopCapture();
    }
  };
  const auto finish = [gif, opened, stream, name] {
    if (!*opened) {
      CloseStream(stream);
      std::fprintf(stderr, "capture: %s: no frame was presented, so no GIF was written\n",
                   name.c_str());
      return false;
    }
    std::string error;
    if (!gif->Close(error)) {
      std::fprintf(stderr, "capture: %s: %s\n", name.c_str(), error.c_str());
      return false;
    }
    return true;
  };
  return Begin(name.c_str(), frames, sink, finish);
}

bool CaptureToSink(CaptureSink sink, CaptureFrames frames) {
  return Begin("to the program", frames, std::move(sink), [] { return true; });
}

bool StopCapture() {
  auto& capture = State();
  if (!capture.running) return true;
  capture.running = false;
  UninstallHook(FrameHookId(), &OnFrame, nullptr);
  const std::function<bool()> finish = std::move(capture.finish);
  capture.sink = nullptr;
  return finish ? finish() : true;
}

bool IsCapturing() {
  return State().running;
}

int CapturedFrameCount() {
  return State().captured;
}

bool SaveScreenshot(const Url& url) {
  StartupCaptureModule();
  if (!CurrentGraphics()) {
    std::fprintf(stderr, "capture: cannot save the screenshot %s: no graphics is current\n",
                 Utf8Of(url).c_str());
    return false;
  }
  return SavePng(BackBuffer(), url, kScreenshotPngCompression, "the screenshot");
}

void StartupCaptureModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupPlex2DModule();
}

}  // namespace corvax
