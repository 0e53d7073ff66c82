// A capture is a listener on the graphics core's frame hook, which runs just before each present:
// the back buffer then holds the finished frame. It goes last on the hook, after anything else
// drawn there.
#include <corvax/plex2d/capture.h>
#include <corvax/runtime/start_once.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include <corvax/graphics/graphics_core.h>
#include <corvax/pixmap/png_loader.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/exit_actions.h>
#include <corvax/runtime/immortal.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/stream_functions.h>
#include <corvax/stream/url_text.h>
#include <corvax/system/hook.h>

#include "capture_worker.h"
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

// A GIF frame's delay is a 16-bit count of centiseconds.
constexpr std::int64_t kLongestGifDelay = 65535;

// How long each frame of a GIF is shown: as long as the captured frames were apart, at least the
// shortest delay a GIF has and at most the longest (every may be any positive int).
int GifDelay(int every, int hertz) {
  const std::int64_t delay = std::int64_t{every} * kCentisecondsPerSecond / hertz;
  return static_cast<int>(std::clamp<std::int64_t>(delay, 1, kLongestGifDelay));
}

// Hands one captured frame on; the frame's reference is the only one.
using FrameTaker = std::function<void(Ref<TPixmap> frame, int index)>;

struct Capture {
  bool running = false;
  CaptureFrames frames;
  int seen = 0;
  int captured = 0;
  FrameTaker take;
  // Ends the capture's file; false and a line on standard error when it cannot.
  std::function<bool()> finish;
  bool exitActionAdded = false;
};

Capture& State() {
  // Never destroyed: the exit action that finishes a capture may run after static destructors.
  static auto* const capture = &MakeImmortal<Capture>();
  return *capture;
}

Ref<TPixmap> BackBuffer() {
  return GrabPixmapAt(0, 0, CurrentGraphicsWidth(), CurrentGraphicsHeight());
}

// A driver may fail to read its back buffer (DirectX 7 reads it through GDI).
void SayNoPicture(const std::string& what) {
  std::fprintf(stderr, "capture: cannot %s: the graphics could not give its picture back\n",
               what.c_str());
}

Ref<Object> OnFrame(int, const Ref<Object>& data, const Ref<Object>&) {
  auto& capture = State();
  if (!capture.running || !CurrentGraphics()) return data;
  const int seen = capture.seen++;
  if (seen % capture.frames.every != 0) return data;
  Ref<TPixmap> frame = BackBuffer();
  if (!frame) {
    SayNoPicture("capture frame " + std::to_string(capture.captured));
    StopCapture();
    return data;
  }
  const int index = capture.captured++;
  // The taker may stop the capture (or start another); it is called on a copy.
  const FrameTaker take = capture.take;
  take(std::move(frame), index);
  if (capture.running && capture.frames.count > 0 && capture.captured >= capture.frames.count) {
    StopCapture();
  }
  return data;
}

void StopAtExit() {
  StopCapture();
}

// Starts a capture that Possible allowed.
bool Begin(CaptureFrames frames, FrameTaker take, std::function<bool()> finish) {
  StartupCaptureModule();
  auto& capture = State();
  capture =
      Capture{true, frames, 0, 0, std::move(take), std::move(finish), capture.exitActionAdded};
  InstallHook(FrameHookId(), &OnFrame, nullptr, kHookPriority);
  if (!capture.exitActionAdded) {
    capture.exitActionAdded = true;
    AddExitAction(&StopAtExit);
  }
  return true;
}

bool Possible(const std::string& what, CaptureFrames frames) {
  if (State().running) {
    std::fprintf(stderr, "capture: cannot capture %s: a capture runs already\n", what.c_str());
    return false;
  }
  if (frames.every >= 1 && frames.count >= 0) return true;
  std::fprintf(stderr,
               "capture: cannot capture %s: every %d frames, %d of them (every needs 1 or more, "
               "count 0 or more)\n",
               what.c_str(), frames.every, frames.count);
  return false;
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
    std::fprintf(stderr, "capture: cannot save %s %s: %s\n", what, UrlText(url).c_str(),
                 failure.what());
    return false;
  }
  if (!saved) {
    std::fprintf(stderr, "capture: cannot save %s %s: it cannot be written\n", what,
                 UrlText(url).c_str());
  }
  return saved;
}

// What the worker encoded, put where it goes on the drawing thread. The first failure is said
// and ends the capture; nothing more is written after it.
class EncodedOutput {
 public:
  using Put = std::function<bool(const CaptureWorker::Result& result)>;
  EncodedOutput(std::shared_ptr<CaptureWorker> worker, Put put)
      : worker_(std::move(worker)), put_(std::move(put)) {}

  void Take(Ref<TPixmap> frame, int index) {
    worker_->Submit(std::move(frame), index);
    if (!PutAll(worker_->TakeResults())) StopCapture();
  }
  bool Finish() { return PutAll(worker_->Finish()); }

 private:
  bool PutAll(const std::vector<CaptureWorker::Result>& results) {
    for (const CaptureWorker::Result& result : results) {
      if (failed_) return false;
      failed_ = !put_(result);
    }
    return !failed_;
  }

  std::shared_ptr<CaptureWorker> worker_;
  Put put_;
  bool failed_ = false;
};

bool BeginEncoded(CaptureFrames frames, const std::shared_ptr<EncodedOutput>& output) {
  return Begin(
      frames, [output](Ref<TPixmap> frame, int index) { output->Take(std::move(frame), index); },
      [output] { return output->Finish(); });
}

}  // namespace

bool CaptureToPng(const String& pattern, CaptureFrames frames) {
  const std::string what = ToUtf8(pattern);
  if (!Possible(what, frames)) return false;
  auto worker = std::make_shared<CaptureWorker>(
      [](const TPixmap& frame, std::vector<std::uint8_t>& bytes, std::string& error) {
        if (PixmapEncodePNG(frame, kCapturePngCompression, bytes)) return true;
        error = "libpng refuses it";
        return false;
      },
      [](std::vector<std::uint8_t>&, std::string&) { return true; });
  const auto put = [pattern](const CaptureWorker::Result& result) {
    if (result.index < 0) return true;
    const String name = PngName(pattern, result.index);
    if (!result.ok) {
      std::fprintf(stderr, "capture: cannot save frame %s: %s\n", ToUtf8(name).c_str(),
                   result.error.c_str());
      return false;
    }
    try {
      SaveBytes(result.bytes, name);
      return true;
    } catch (const std::exception&) {
      std::fprintf(stderr, "capture: cannot save frame %s: it cannot be written\n",
                   ToUtf8(name).c_str());
      return false;
    }
  };
  return BeginEncoded(frames, std::make_shared<EncodedOutput>(worker, put));
}

bool CaptureToGif(const Url& url, CaptureFrames frames) {
  const std::string name = UrlText(url);
  if (!Possible(name, frames)) return false;
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
  // The animation takes the size of its first frame. Only the worker touches it.
  auto gif = std::make_shared<GifAnimation>();
  const int hertz = CurrentGraphicsHertz() > 0 ? CurrentGraphicsHertz() : kAssumedHertz;
  const int delay = GifDelay(frames.every, hertz);
  auto worker = std::make_shared<CaptureWorker>(
      [gif, delay](const TPixmap& frame, std::vector<std::uint8_t>& bytes, std::string& error) {
        if (!gif->IsOpen() && !gif->Open(frame.Width(), frame.Height(), delay, error)) {
          return false;
        }
        const bool added = gif->AddFrame(frame, error);
        bytes = gif->TakeBytes();
        return added;
      },
      [gif](std::vector<std::uint8_t>& bytes, std::string& error) {
        if (!gif->IsOpen()) {
          error = "no frame was presented, so no GIF was written";
          return false;
        }
        const bool closed = gif->Close(error);
        bytes = gif->TakeBytes();
        return closed;
      });
  const auto put = [stream, name](const CaptureWorker::Result& result) {
    bool written = result.ok;
    if (!result.ok) {
      std::fprintf(stderr, "capture: %s: %s\n", name.c_str(), result.error.c_str());
    } else {
      try {
        written = WriteBlock(stream, result.bytes.data(), static_cast<int>(result.bytes.size())) ==
                  static_cast<int>(result.bytes.size());
      } catch (const std::exception&) {
        written = false;
      }
      if (!written) std::fprintf(stderr, "capture: %s: it cannot be written\n", name.c_str());
    }
    if (written && result.index >= 0) return true;
    // The last buffered bytes reach the file as it closes: a full disk shows only there.
    bool closed = false;
    try {
      closed = CloseStream(stream) == 0;
    } catch (const std::exception&) {
    }
    if (written && !closed) {
      std::fprintf(stderr, "capture: %s: it could not be closed\n", name.c_str());
    }
    return written && closed;
  };
  return BeginEncoded(frames, std::make_shared<EncodedOutput>(worker, put));
}

bool CaptureToSink(CaptureSink sink, CaptureFrames frames) {
  const std::string what = "to the program";
  if (!Possible(what, frames)) return false;
  return Begin(
      frames, [sink = std::move(sink)](Ref<TPixmap> frame, int index) { sink(frame, index); },
      [] { return true; });
}

bool StopCapture() {
  auto& capture = State();
  if (!capture.running) return true;
  capture.running = false;
  UninstallHook(FrameHookId(), &OnFrame, nullptr);
  const std::function<bool()> finish = std::move(capture.finish);
  capture.take = nullptr;
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
                 UrlText(url).c_str());
    return false;
  }
  const Ref<TPixmap> picture = BackBuffer();
  if (!picture) {
    SayNoPicture("save the screenshot " + UrlText(url));
    return false;
  }
  return SavePng(picture, url, kScreenshotPngCompression, "the screenshot");
}

void StartupCaptureModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupPlex2DModule();
}

}  // namespace corvax
