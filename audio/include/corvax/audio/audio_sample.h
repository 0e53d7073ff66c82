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

namespace corvax {

/// Frames of audio in memory: length frames at hertz frames a second, in a SampleFormat.
class TAudioSample : public Object {
 public:
  ~TAudioSample() override;

  /// A new owned sample with the same length, hertz, format and frames.
  Ref<TAudioSample> Copy();
  /// A new owned sample in the given format, same length and hertz.
  Ref<TAudioSample> Convert(int toFormat);

  /// Owned, uninitialised memory of length frames. A negative length or an unknown format
  /// throws TRuntimeException.
  static Ref<TAudioSample> MakeAudioSample(int length, int hertz, int format);
  /// Over memory the caller keeps alive; capacity -1, so it is never freed here.
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
};

/// The same as the TAudioSample functions of these names.
///@{
Ref<TAudioSample> MakeAudioSample(int length, int hertz, int format);
Ref<TAudioSample> WrapAudioSample(void* samples, int length, int hertz, int format);
///@}

/// Converts count frames. Unknown formats throw "Unimplemented sample format conversion".
void ConvertSamples(const void* source, int fromFormat, void* destination, int toFormat, int count);

/// A loader turns a stream into a sample, or Null when the data is not its format. Creating a
/// loader puts it at the front of the chain, so the newest loader is asked first.
class TAudioSampleLoader : public Object, public ChainMember<TAudioSampleLoader> {
 public:
  TAudioSampleLoader();
  /// A new owned sample read from the stream's current position, or Null when the data is not
  /// this loader's format. Never closes the stream.
  virtual Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) = 0;
  /// The loader made just before this one, or Null for the oldest.
  const Ref<TAudioSampleLoader>& NextLoader() const { return NextInChain(); }
  /// The newest loader, or Null before any was made.
  static Ref<TAudioSampleLoader> FirstLoader();
};

/// Null when the url cannot be opened or no loader accepts it; an unseekable stream throws
/// "Stream is not seekable". Loaders' stream exceptions count as refusals.
Ref<TAudioSample> ReadAudioSample(const Url& url);

}  // namespace corvax
