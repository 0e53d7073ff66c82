#include <corvax/audio/sample_loaders.h>

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <corvax/stream/open_url.h>

namespace corvax {
namespace {

constexpr int kFeedFrames = 1024;

// Interleaved floats in -1..1: 8-bit u as (u - 127.5) / 127.5, 16-bit s as s / 32768.
std::vector<float> ToFloats(const TAudioSample& sample, int channels) {
  const std::size_t count = static_cast<std::size_t>(sample.length) * channels;
  std::vector<float> floats(count);
  const std::uint8_t* in = sample.samples;
  for (std::size_t i = 0; i < count; ++i) {
    switch (sample.format) {
      case Mono8:
      case Stereo8:
        floats[i] = (in[i] - 127.5f) / 127.5f;
        break;
      case Mono16LE:
      case Stereo16LE:
        floats[i] = static_cast<std::int16_t>(in[2 * i] | (in[2 * i + 1] << 8)) / 32768.0f;
        break;
      default:
        floats[i] = static_cast<std::int16_t>((in[2 * i] << 8) | in[2 * i + 1]) / 32768.0f;
        break;
    }
  }
  return floats;
}

// Everything the encoder holds, cleared in reverse order however encoding ends.
class Encoder {
 public:
  Encoder() { vorbis_info_init(&info_); }
  ~Encoder() {
    if (streaming_) {
      ogg_stream_clear(&ogg_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
      vorbis_comment_clear(&comment_);
    }
    vorbis_info_clear(&info_);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool Setup(int channels, int hertz, float quality) {
    if (vorbis_encode_init_vbr(&info_, channels, hertz, quality) != 0) return false;
    vorbis_comment_init(&comment_);
    vorbis_comment_add_tag(&comment_, "ENCODER", "encoder_example");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    ogg_stream_init(&ogg_, std::rand());
    streaming_ = true;
    return true;
  }

  void WriteHeaders(const Ref<TStream>& stream) {
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
    ogg_stream_packetin(&ogg_, &header);
    ogg_stream_packetin(&ogg_, &comments);
    ogg_stream_packetin(&ogg_, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&ogg_, &page) != 0) WritePage(stream, page);
  }

  // Feeds frames (0 marks the end) and writes every page they complete, up to the last one.
  void Feed(const Ref<TStream>& stream, const float* frames, int count, int channels) {
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, count);
      for (int i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) buffer[c][i] = frames[i * channels + c];
      }
    }
    vorbis_analysis_wrote(&dsp_, count);
    bool ended = false;
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&ogg_, &packet);
        ogg_page page;
        while (!ended && ogg_stream_pageout(&ogg_, &page) != 0) {
          WritePage(stream, page);
          ended = ogg_page_eos(&page) != 0;
        }
      }
    }
  }

 private:
  static void WritePage(const Ref<TStream>& stream, const ogg_page& page) {
    stream->WriteBlock(page.header, static_cast<int>(page.header_len));
    stream->WriteBlock(page.body, static_cast<int>(page.body_len));
  }

  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state ogg_{};
  bool streaming_ = false;
};

}  // namespace

int WriteOggVorbis(const Ref<TAudioSample>& sample, const Url& url, float quality) {
  const int channels = ChannelsOf(sample->format);
  if (channels == 0) return -1;
  const std::vector<float> floats = ToFloats(*sample, channels);
  const Ref<TStream> stream = OpenWriteStream(url);
  if (!stream) return -1;
  struct Closer {
    const Ref<TStream>& stream;
    ~Closer() { stream->Close(); }
  } closer{stream};
  Encoder encoder;
  if (!encoder.Setup(channels, sample->hertz, quality)) return -1;
  encoder.WriteHeaders(stream);
  for (int done = 0; done < sample->length; done += kFeedFrames) {
    const int count = std::min(kFeedFrames, sample->length - done);
    encoder.Feed(stream, floats.data() + static_cast<std::size_t>(done) * channels, count,
                 channels);
  }
  encoder.Feed(stream, nullptr, 0, channels);
  return 0;
}

}  // namespace corvax
