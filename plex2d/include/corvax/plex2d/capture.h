#pragma once
/// @file
/// @ingroup plex2d
/// Capturing presented frames as pictures: PNG files, an animated GIF, or any function of the
/// program's, without changing what is shown. Each capture reads the back buffer just before the
/// present (on the graphics core's frame hook), so it sees the frame as it is shown, with both
/// the OpenGL and the DirectX 7 drivers. One capture runs at a time. Example:
/// examples/replay.cpp.
#include <functional>

#include <corvax/pixmap/pixmap.h>
#include <corvax/stream/url.h>

namespace corvax {

/// Which presented frames a capture takes.
struct CaptureFrames {
  int every = 1;  ///< every Nth presented frame, from the first one after the capture starts
  int count = 0;  ///< stop after this many; 0 captures until StopCapture
};

/// Receives each captured frame.
/// @param frame The back buffer, RGBA, top row first.
/// @param index 0 for the first frame captured, then 1, 2, ...
using CaptureSink = std::function<void(const Ref<TPixmap>& frame, int index)>;

/// In a PNG file name pattern this character stands for the frame's capture index, written with
/// kCaptureIndexDigits digits ("shot-#.png" gives shot-00000.png, shot-00001.png, ...).
inline constexpr char16_t kCaptureIndexMark = u'#';
/// Digits of the capture index in PNG file names.
inline constexpr int kCaptureIndexDigits = 5;

/// Captures frames to PNG files.
/// @param pattern A url or file path in which kCaptureIndexMark stands for the frame's index;
/// without the mark the index goes before the last ".".
/// @param frames Which frames.
/// @return False, with the reason in one line on standard error, when a capture runs already or
/// `frames` is not possible. A file that cannot be written ends the capture with one line too.
/// @sa CaptureToGif, StopCapture
bool CaptureToPng(const String& pattern, CaptureFrames frames = {});
/// Captures frames to one animated GIF (through giflib), looping for ever, each frame shown for
/// as long as the captured frames were apart at the graphics' refresh rate. The file is complete
/// once the capture stops (StopCapture, its count reached, or the program ending normally).
/// @param url Where the GIF goes.
/// @param frames Which frames.
/// @return False, with the reason in one line on standard error, when a capture runs already,
/// `frames` is not possible or the url cannot be opened for writing.
bool CaptureToGif(const Url& url, CaptureFrames frames = {});
/// Hands captured frames to a function of the program's.
/// @param sink Called with each captured frame.
/// @param frames Which frames.
/// @return False, with the reason in one line on standard error, when a capture runs already or
/// `frames` is not possible.
bool CaptureToSink(CaptureSink sink, CaptureFrames frames = {});
/// Ends the capture that runs, finishing its file; nothing when none runs.
/// @return False when the file could not be finished (said on standard error).
bool StopCapture();
/// @return Whether a capture runs.
bool IsCapturing();
/// @return Frames the running or latest capture took.
int CapturedFrameCount();

/// Saves the back buffer of the current graphics as a PNG file: what the next present shows.
/// @param url Where it goes.
/// @return False, with the reason in one line on standard error, when no graphics is current or
/// the url cannot be written.
bool SaveScreenshot(const Url& url);

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupCaptureModule();

}  // namespace corvax
