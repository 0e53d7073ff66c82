#pragma once
/// @file
/// Raw sample buffers, conversion between formats, and the chain of sample loaders.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupAudioModule() for this module alone,
/// before any other call.
#include <corvax/audio/sample_format.h>
#include <corvax/runtime/object.h>
#include <corvax/stream/stream.h>
#include <corvax/stream/url.h>
#include <cstdint>

namespace corvax {

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

  std::uint8_t* samples = nullptr;
  int length = 0;
  int hertz = 0;
  int format = 0;
  /// Bytes owned by this sample, or -1 when the memory is borrowed.
  int capacity = 0;
};

Ref<TAudioSample> MakeAudioSample(int length, int hertz, int format);
Ref<TAudioSample> WrapAudioSample(void* samples, int length, int hertz, int format);

/// Converts count frames. Unknown formats throw "Unimplemented sample format conversion".
void ConvertSamples(const void* source, int fromFormat, void* destination, int toFormat, int count);

/// A loader turns a stream into a sample, or Null when the data is not its format. Creating a
/// loader puts it at the front of the chain, so the newest loader is asked first.
class TAudioSampleLoader : public Object {
 public:
  TAudioSampleLoader();
  virtual Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) = 0;
  const Ref<TAudioSampleLoader>& NextLoader() const { return next_; }
  static Ref<TAudioSampleLoader> FirstLoader();

 private:
  Ref<TAudioSampleLoader> next_;
};

/// Null when the url cannot be opened or no loader accepts it; an unseekable stream throws
/// "Stream is not seekable". Loaders' stream exceptions count as refusals.
Ref<TAudioSample> ReadAudioSample(const Url& url);

}  // namespace corvax
