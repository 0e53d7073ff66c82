#pragma once
/// @file
/// @ingroup audio
/// Raw sample buffers, conversion between formats, and the chain of sample loaders.
/// Call first: OpenSound (audio_driver.h) for playing; ReadAudioSample for the samples
/// themselves. Example: examples/sound.cpp.
#include <corvax/audio/sample_format.h>
#include <corvax/runtime/object.h>
#include <corvax/runtime/registration_chain.h>
#include <corvax/stream/stream.h>
#include <corvax/stream/url.h>
#include <cstdint>
#include <memory>

namespace corvax {

/// Frames of audio in memory: length frames at hertz frames a second, in a SampleFormat.
class TAudioSample : public Object {
 public:
  /// @return A new owned sample with the same length, hertz, format and frames.
  /// @sa Convert
  Ref<TAudioSample> Copy();
  /// Unknown formats throw "Unimplemented sample format conversion".
  /// @param toFormat A SampleFormat id.
  /// @return A new owned sample in the given format, same length and hertz.
  /// @sa ConvertSamples, Copy
  Ref<TAudioSample> Convert(int toFormat);

  /// Owned, uninitialised memory of length frames. A negative length or an unknown format
  /// throws TRuntimeException.
  /// @param length The number of frames.
  /// @param hertz Frames a second.
  /// @param format A SampleFormat id.
  /// @return The new sample.
  /// @sa WrapAudioSample
  static Ref<TAudioSample> MakeAudioSample(int length, int hertz, int format);
  /// Over memory the caller keeps alive; capacity -1, so it is never freed here.
  /// @param samples The first frame's bytes.
  /// @param length The number of frames.
  /// @param hertz Frames a second.
  /// @param format A SampleFormat id.
  /// @return The sample over the caller's memory.
  /// @sa MakeAudioSample
  static Ref<TAudioSample> WrapAudioSample(void* samples, int length, int hertz, int format);

  /// The first frame's bytes.
  std::uint8_t* samples = nullptr;
  /// The number of frames.
  int length = 0;
  /// Frames a second.
  int hertz = 0;
  /// A SampleFormat id.
  int format = 0;
  /// Bytes owned by this sample, or -1 when the memory is borrowed.
  int capacity = 0;

 private:
  // What samples points at when the sample made its own memory; empty when it is borrowed.
  std::unique_ptr<std::uint8_t[]> owned_;
};

/// TAudioSample::MakeAudioSample: owned, uninitialised memory of length frames. A negative
/// length or an unknown format throws TRuntimeException.
/// @param length The number of frames.
/// @param hertz Frames a second.
/// @param format A SampleFormat id.
/// @return The new sample.
/// @sa WrapAudioSample
Ref<TAudioSample> MakeAudioSample(int length, int hertz, int format);
/// TAudioSample::WrapAudioSample: over memory the caller keeps alive, never freed here.
/// @param samples The first frame's bytes.
/// @param length The number of frames.
/// @param hertz Frames a second.
/// @param format A SampleFormat id.
/// @return The sample over the caller's memory.
/// @sa MakeAudioSample
Ref<TAudioSample> WrapAudioSample(void* samples, int length, int hertz, int format);

/// Converts count frames. Unknown formats throw "Unimplemented sample format conversion".
/// @param source The frames to convert.
/// @param fromFormat Their SampleFormat id.
/// @param[out] destination Room for count frames in toFormat.
/// @param toFormat The SampleFormat id to convert to.
/// @param count The number of frames.
/// @sa TAudioSample::Convert
void ConvertSamples(const void* source, int fromFormat, void* destination, int toFormat, int count);

/// A loader turns a stream into a sample, or Null when the data is not its format. Creating a
/// loader puts it at the front of the chain, so the newest loader is asked first.
class TAudioSampleLoader : public Object, public ChainMember<TAudioSampleLoader> {
 public:
  TAudioSampleLoader();
  /// Never closes the stream.
  /// @param stream The stream, read from its current position.
  /// @return A new owned sample, or Null when the data is not this loader's format.
  /// @sa ReadAudioSample
  virtual Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) = 0;
  /// @return The loader made just before this one, or Null for the oldest.
  /// @sa FirstLoader
  const Ref<TAudioSampleLoader>& NextLoader() const { return NextInChain(); }
  /// @return The newest loader, or Null before any was made.
  /// @sa NextLoader
  static Ref<TAudioSampleLoader> FirstLoader();
};

/// Asks each loader in turn, newest first. An unseekable stream throws "Stream is not seekable".
/// Loaders' stream exceptions count as refusals.
/// @param url The sample's url.
/// @return A new owned sample; Null when the url cannot be opened or no loader accepts it.
/// @sa OpenSound, TAudioSampleLoader::ReadSample
Ref<TAudioSample> ReadAudioSample(const Url& url);

}  // namespace corvax
