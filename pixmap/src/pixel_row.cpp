#include <corvax/pixmap/pixel_format.h>
#include <corvax/pixmap/pixel_row.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CORVAX_HAS_X86_SHUFFLES 1
#endif

namespace corvax {
namespace {

using Byte = std::uint8_t;

// Packs r, g, b, a into the 32-bit word whose little-endian bytes are r, g, b, a.
inline std::uint32_t PackRGBA(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
  return r | (g << 8) | (b << 16) | (a << 24);
}

inline void Store(Byte* dst, std::uint32_t word) {
  std::memcpy(dst, &word, 4);
}

inline std::uint32_t Load(const Byte* src) {
  std::uint32_t word;
  std::memcpy(&word, src, 4);
  return word;
}

// Exchanges bytes 0 and 2 of each word: RGBA <-> BGRA.
inline std::uint32_t SwapRedBlue(std::uint32_t v) {
  return (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
}

// One value v repeated into red, green, blue with the given alpha.
inline std::uint32_t Splat(std::uint32_t v, std::uint32_t a) {
  return PackRGBA(v, v, v, a);
}

#ifdef CORVAX_HAS_X86_SHUFFLES
// Byte shuffles (SSSE3, on every x86-64 processor of the last fifteen years but not in the
// baseline instruction set) expand four pixels per instruction; they are chosen at run time.
bool HasByteShuffles() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}

// Returns how many pixels it expanded: each 16-byte load covers four pixels' 12 bytes, so the
// last few pixels are left to the caller rather than read past the row's end.
template <bool kSwapRedBlue>
__attribute__((target("ssse3"))) std::ptrdiff_t ExpandThreeBytesShuffled(const Byte* __restrict src,
                                                                         Byte* __restrict dst,
                                                                         std::ptrdiff_t count) {
  const __m128i order = kSwapRedBlue
                            ? _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1)
                            : _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  std::ptrdiff_t i = 0;
  for (; i + 6 <= count; i += 4) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i),
                     _mm_or_si128(_mm_shuffle_epi8(pixels, order), opaque));
  }
  return i;
}
#endif

// Three-byte pixels to RGBA. Without shuffles, four at a time: three 32-bit loads hold four
// pixels, which shifts split into four words; this beats what the vectoriser makes of the
// 3-to-4 byte pattern.
template <bool kSwapRedBlue>
void ExpandThreeBytes(const Byte* __restrict src, Byte* __restrict dst, std::ptrdiff_t count) {
  constexpr std::uint32_t kOpaque = 0xFF000000u;
  constexpr std::uint32_t kColour = 0x00FFFFFFu;
  auto put = [](Byte* d, std::uint32_t word) { Store(d, kSwapRedBlue ? SwapRedBlue(word) : word); };
  std::ptrdiff_t i = 0;
#ifdef CORVAX_HAS_X86_SHUFFLES
  if (HasByteShuffles()) i = ExpandThreeBytesShuffled<kSwapRedBlue>(src, dst, count);
#endif
  for (; i + 4 <= count; i += 4) {
    const Byte* s = src + 3 * i;
    Byte* d = dst + 4 * i;
    const std::uint32_t w0 = Load(s), w1 = Load(s + 4), w2 = Load(s + 8);
    put(d, (w0 & kColour) | kOpaque);
    put(d + 4, ((w0 >> 24 | w1 << 8) & kColour) | kOpaque);
    put(d + 8, ((w1 >> 16 | w2 << 16) & kColour) | kOpaque);
    put(d + 12, (w2 >> 8) | kOpaque);
  }
  for (; i < count; ++i) {
    const Byte* s = src + 3 * i;
    put(dst + 4 * i, PackRGBA(s[0], s[1], s[2], 255));
  }
}

void ExpandToRGBA(const Byte* __restrict src, int format, Byte* __restrict dst, int count) {
  switch (format) {
    case FORMAT_GREY8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, Splat(src[i], 255));
      break;
    case FORMAT_ALPHA8:
      for (std::ptrdiff_t i = 0; i < count; ++i)
        Store(dst + 4 * i, PackRGBA(255, 255, 255, src[i]));
      break;
    case FORMAT_BGR888:
      ExpandThreeBytes<true>(src, dst, count);
      break;
    case FORMAT_RGB888:
      ExpandThreeBytes<false>(src, dst, count);
      break;
    case FORMAT_BGRA8888:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, SwapRedBlue(Load(src + 4 * i)));
      break;
    case FORMAT_RGBA8888:
      std::memcpy(dst, src, static_cast<std::size_t>(count) * 4);
      break;
    // The single-channel colour formats and luminance carry alpha 1, not 255.
    case FORMAT_RED8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, PackRGBA(src[i], 0, 0, 1));
      break;
    case FORMAT_GREEN8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, PackRGBA(0, src[i], 0, 1));
      break;
    case FORMAT_BLUE8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, PackRGBA(0, 0, src[i], 1));
      break;
    case FORMAT_CHANNEL_ALPHA8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, PackRGBA(0, 0, 0, src[i]));
      break;
    case FORMAT_INTENSITY8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, Splat(src[i], src[i]));
      break;
    case FORMAT_LUMINANCE8:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, Splat(src[i], 1));
      break;
  }
}

inline Byte Average3(const Byte* p) {
  return static_cast<Byte>((p[0] + p[1] + p[2]) / 3);
}

// Takes one byte of each RGBA pixel.
void ReduceChannel(const Byte* __restrict src, int channel, Byte* __restrict dst, int count) {
  for (std::ptrdiff_t i = 0; i < count; ++i) dst[i] = src[4 * i + channel];
}

// Drops alpha from RGBA pixels, in red-green-blue or blue-green-red byte order.
template <bool kSwapRedBlue>
void ReduceThreeBytes(const Byte* __restrict src, Byte* __restrict dst, int count) {
  constexpr int kFirst = kSwapRedBlue ? 2 : 0;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    const Byte* s = src + 4 * i;
    Byte* d = dst + 3 * i;
    d[0] = s[kFirst];
    d[1] = s[1];
    d[2] = s[2 - kFirst];
  }
}

void ReduceFromRGBA(const Byte* __restrict src, Byte* __restrict dst, int format, int count) {
  switch (format) {
    case FORMAT_GREY8:
    case FORMAT_LUMINANCE8:
      for (std::ptrdiff_t i = 0; i < count; ++i) dst[i] = Average3(src + 4 * i);
      break;
    case FORMAT_ALPHA8:
    case FORMAT_CHANNEL_ALPHA8:
      ReduceChannel(src, 3, dst, count);
      break;
    case FORMAT_BGR888:
      ReduceThreeBytes<true>(src, dst, count);
      break;
    case FORMAT_RGB888:
      ReduceThreeBytes<false>(src, dst, count);
      break;
    case FORMAT_BGRA8888:
      for (std::ptrdiff_t i = 0; i < count; ++i) Store(dst + 4 * i, SwapRedBlue(Load(src + 4 * i)));
      break;
    case FORMAT_RGBA8888:
      std::memcpy(dst, src, static_cast<std::size_t>(count) * 4);
      break;
    case FORMAT_RED8:
      ReduceChannel(src, 0, dst, count);
      break;
    case FORMAT_GREEN8:
      ReduceChannel(src, 1, dst, count);
      break;
    case FORMAT_BLUE8:
      ReduceChannel(src, 2, dst, count);
      break;
    case FORMAT_INTENSITY8:
      for (std::ptrdiff_t i = 0; i < count; ++i) {
        const Byte* s = src + 4 * i;
        dst[i] = static_cast<Byte>((s[0] + s[1] + s[2] + s[3]) >> 2);
      }
      break;
  }
}

}  // namespace

void CopyPixelRow(const void* src, void* dst, int format, int count) {
  if (!IsPixelFormat(format) || count <= 0) return;
  std::memcpy(dst, src, static_cast<std::size_t>(count) * BytesPerPixel[format]);
}

void ConvertPixelRow(const void* src, int srcFormat, void* dst, int dstFormat, int count) {
  if (!IsPixelFormat(srcFormat) || !IsPixelFormat(dstFormat) || count <= 0) return;
  const auto* from = static_cast<const Byte*>(src);
  auto* to = static_cast<Byte*>(dst);
  if (srcFormat == dstFormat) {
    CopyPixelRow(src, dst, srcFormat, count);
  } else if (srcFormat == FORMAT_RGBA8888) {
    ReduceFromRGBA(from, to, dstFormat, count);
  } else if (dstFormat == FORMAT_RGBA8888) {
    ExpandToRGBA(from, srcFormat, to, count);
  } else {
    // Through the pivot a slice at a time, so no row needs a buffer of its own size.
    constexpr int kSlice = 512;
    alignas(16) Byte pivot[kSlice * 4];
    const int srcBytes = BytesPerPixel[srcFormat];
    const int dstBytes = BytesPerPixel[dstFormat];
    for (int done = 0; done < count; done += kSlice) {
      const int n = std::min(kSlice, count - done);
      ExpandToRGBA(from + static_cast<std::size_t>(done) * srcBytes, srcFormat, pivot, n);
      ReduceFromRGBA(pivot, to + static_cast<std::size_t>(done) * dstBytes, dstFormat, n);
    }
  }
}

}  // namespace corvax
