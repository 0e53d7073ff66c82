#pragma once
/// @file
/// @ingroup audio
/// Sample loaders for RIFF WAVE files with integer PCM and for Ogg Vorbis, and a Vorbis encoder.
#include <corvax/audio/audio_sample.h>
#include <corvax/stream/url.h>

namespace corvax {

/// Reads RIFF WAVE files with integer PCM.
class TAudioSampleLoaderWAV : public TAudioSampleLoader {
 public:
  /// Reads 8- or 16-bit PCM, mono or stereo.
  /// @param stream The stream, read from its current position.
  /// @return The sample; Null for anything else or a chunk that claims more bytes than the
  /// stream holds.
  Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) override;
};

/// Reads Ogg Vorbis files through libvorbisfile.
class TAudioSampleLoaderOGG : public TAudioSampleLoader {
 public:
  /// Decodes the whole file.
  /// @param stream The stream, read from its current position.
  /// @return The sample in Mono16LE or Stereo16LE; Null for data that is not Ogg Vorbis, fails
  /// to decode, ends before its stated length or has more than two channels.
  Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) override;
};

/// Reads four bytes with ReadBlock.
/// @param stream The stream.
/// @return The four bytes, one character each.
String ReadChunkTag(const Ref<TStream>& stream);

/// Encodes the sample as variable-bit-rate Ogg Vorbis.
/// @param sample The sample to encode.
/// @param url Where to write the file.
/// @param quality From -0.1 to 1.
/// @return 0 on success; -1 when the url cannot be opened for writing, the format is unknown or
/// the encoder refuses the parameters.
/// @sa TAudioSampleLoaderOGG
int WriteOggVorbis(const Ref<TAudioSample>& sample, const Url& url, float quality);

/// Makes the Ogg Vorbis loader once.
/// @sa StartupWavLoaderModule
void StartupOggLoaderModule();
/// Makes the WAV loader once; started after the Ogg Vorbis loader, it is asked first.
/// @sa StartupOggLoaderModule
void StartupWavLoaderModule();

}  // namespace corvax
