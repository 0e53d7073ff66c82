#include <cstdint>
#include <cstring>
#include <vector>

#include <corvax/audio/audio_sample.h>
#include <corvax/runtime/exceptions.h>

// Every conversion passes through big-endian 16-bit stereo, so each format needs only a
// conversion to and from that one.
namespace corvax {
namespace {

using Bytes = std::uint8_t;

[[noreturn]] void Unimplemented() {
  ThrowRuntimeError(u"Unimplemented sample format conversion");
}

// 8-bit u becomes the 16-bit value with high byte u - 128 and low byte u, so that 0 and 255
// reach the ends of the 16-bit range.
void Put8AsHub(Bytes u, Bytes* out) {
  out[0] = static_cast<Bytes>(u - 128);
  out[1] = u;
}

void ToHub(const Bytes* in, int from, Bytes* out, int count) {
  for (int i = 0; i < count; ++i, out += 4) {
    switch (from) {
      case Mono8:
        Put8AsHub(in[i], out);
        Put8AsHub(in[i], out + 2);
        break;
      case Mono16LE:
        out[0] = out[2] = in[2 * i + 1];
        out[1] = out[3] = in[2 * i];
        break;
      case Mono16BE:
        out[0] = out[2] = in[2 * i];
        out[1] = out[3] = in[2 * i + 1];
        break;
      case Stereo8:
        Put8AsHub(in[2 * i], out);
        Put8AsHub(in[2 * i + 1], out + 2);
        break;
      case Stereo16LE:
        out[0] = in[4 * i + 1];
        out[1] = in[4 * i];
        out[2] = in[4 * i + 3];
        out[3] = in[4 * i + 2];
        break;
      default:
        Unimplemented();
    }
  }
}

int HubValue(const Bytes* p) {
  return static_cast<std::int16_t>((p[0] << 8) | p[1]);
}

Bytes To8(int value) {
  return static_cast<Bytes>((value + 32768) / 257);
}

void FromHub(const Bytes* in, Bytes* out, int to, int count) {
  for (int i = 0; i < count; ++i, in += 4) {
    const int left = HubValue(in);
    const int right = HubValue(in + 2);
    const int mono = (left + right) / 2;
    switch (to) {
      case Mono8:
        out[i] = To8(mono);
        break;
      case Mono16LE:
        out[2 * i] = static_cast<Bytes>(mono);
        out[2 * i + 1] = static_cast<Bytes>(mono >> 8);
        break;
      case Mono16BE:
        out[2 * i] = static_cast<Bytes>(mono >> 8);
        out[2 * i + 1] = static_cast<Bytes>(mono);
        break;
      case Stereo8:
        out[2 * i] = To8(left);
        out[2 * i + 1] = To8(right);
        break;
      case Stereo16LE:
        out[4 * i] = in[1];
        out[4 * i + 1] = in[0];
        out[4 * i + 2] = in[3];
        out[4 * i + 3] = in[2];
        break;
      default:
        Unimplemented();
    }
  }
}

}  // namespace

void ConvertSamples(const void* source, int fromFormat, void* destination, int toFormat,
                    int count) {
  if (BytesPerFrame(fromFormat) == 0 || BytesPerFrame(toFormat) == 0) Unimplemented();
  const auto* in = static_cast<const Bytes*>(source);
  auto* out = static_cast<Bytes*>(destination);
  if (count <= 0) return;
  if (fromFormat == toFormat) {
    std::memcpy(out, in, static_cast<std::size_t>(count) * BytesPerFrame(fromFormat));
  } else if (toFormat == Stereo16BE) {
    ToHub(in, fromFormat, out, count);
  } else if (fromFormat != Stereo16BE) {
    std::vector<Bytes> hub(static_cast<std::size_t>(count) * 4);
    ToHub(in, fromFormat, hub.data(), count);
    FromHub(hub.data(), out, toFormat, count);
  } else {
    FromHub(in, out, toFormat, count);
  }
}

}  // namespace corvax
