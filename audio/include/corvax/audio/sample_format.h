#pragma once
/// @file
/// @ingroup audio
/// Sample formats: frames of interleaved channels, left first. 8-bit samples are unsigned with
/// 128 as silence, 16-bit samples signed.
namespace corvax {

/// Sample format ids: channels, bits and byte order.
enum SampleFormat {
  Mono8 = 1,
  Mono16LE = 2,
  Mono16BE = 3,
  Stereo8 = 4,
  Stereo16LE = 5,
  Stereo16BE = 6,
};

/// Indexed by format id; entry 0 stands for "no format". Bytes are per frame.
///@{
inline constexpr int bytesPerSample[7] = {0, 1, 2, 2, 2, 4, 4};
inline constexpr int channelsPerSample[7] = {0, 1, 1, 1, 2, 2, 2};
///@}

/// Callers can test a format before using it.
/// @param format A SampleFormat id.
/// @return The bytes of one frame; 0 for ids outside the table.
/// @sa ChannelsOf
constexpr int BytesPerFrame(int format) {
  return format >= 0 && format < 7 ? bytesPerSample[format] : 0;
}
/// Callers can test a format before using it.
/// @param format A SampleFormat id.
/// @return The channels of a frame; 0 for ids outside the table.
/// @sa BytesPerFrame
constexpr int ChannelsOf(int format) {
  return format >= 0 && format < 7 ? channelsPerSample[format] : 0;
}

}  // namespace corvax
