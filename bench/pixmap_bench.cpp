// Pixel conversion, image loading, masking and resizing, each beside a baseline from the same
// run: memcpy of the same bytes for row conversion, the plain library decode of the same file
// for PNG and JPEG loading.
#include <png.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

#include <jpeglib.h>

#include <corvax/pixmap/pixmap_module.h>
#include <corvax/stream/bank.h>

namespace {

using corvax::Ref;
using corvax::TBank;
using corvax::TPixmap;

constexpr int kConvertSide = 2048;

// A picture with smooth areas and noise, so encoders neither collapse nor balloon it.
Ref<TPixmap> Picture(int w, int h, int format) {
  corvax::StartupPixmapModule();
  Ref<TPixmap> p = corvax::PixmapCreate(w, h, format);
  std::mt19937 random(12345);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const unsigned noise = random() & 0x0F;
      const unsigned r = (x * 255 / w) ^ noise, g = (y * 255 / h) + noise, b = (x + y) & 0xFF;
      p->SetPixel(x, y, 0xC0000000u | (r & 0xFF) << 16 | (g & 0xFF) << 8 | b);
    }
  }
  return p;
}

void SetPixelRate(benchmark::State& state, std::int64_t pixelsPerIteration) {
  state.counters["Mpixel/s"] =
      benchmark::Counter(static_cast<double>(pixelsPerIteration) * state.iterations() / 1e6,
                         benchmark::Counter::kIsRate);
}

// ---- Row conversion beside memcpy of the destination's bytes -------------------------------

void BM_MemcpyBaseline(benchmark::State& state) {
  const std::size_t bytes = std::size_t{kConvertSide} * kConvertSide * 4;
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);

void ConvertWhole(benchmark::State& state, int fromFormat) {
  const Ref<TPixmap> src = Picture(kConvertSide, kConvertSide, fromFormat);
  const Ref<TPixmap> dst =
      corvax::PixmapCreate(kConvertSide, kConvertSide, corvax::FORMAT_RGBA8888);
  for (auto _ : state) {
    for (int y = 0; y < kConvertSide; ++y) {
      corvax::ConvertPixelRow(src->PixelAddress(0, y), fromFormat, dst->PixelAddress(0, y),
                              corvax::FORMAT_RGBA8888, kConvertSide);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * dst->Capacity());
}

void BM_ConvertRGB888ToRGBA8888(benchmark::State& state) {
  ConvertWhole(state, corvax::FORMAT_RGB888);
}
BENCHMARK(BM_ConvertRGB888ToRGBA8888)->Unit(benchmark::kMillisecond);

void BM_ConvertBGRA8888ToRGBA8888(benchmark::State& state) {
  ConvertWhole(state, corvax::FORMAT_BGRA8888);
}
BENCHMARK(BM_ConvertBGRA8888ToRGBA8888)->Unit(benchmark::kMillisecond);

// ---- PNG loading beside a plain libpng decode of the same bytes -----------------------------

const Ref<TBank>& PngFile(int side, int format) {
  static Ref<TBank> rgba1024, rgb4096;
  Ref<TBank>& file = format == corvax::FORMAT_RGBA8888 ? rgba1024 : rgb4096;
  if (!file) {
    file = TBank::CreateBank(0);
    corvax::PixmapSavePNG(Picture(side, side, format), file, 6);
  }
  return file;
}

struct MemoryReader {
  const std::uint8_t* next;
};

void LibpngDecode(benchmark::State& state, const Ref<TBank>& file) {
  for (auto _ : state) {
    MemoryReader reader{file->Buffer() + 8};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &reader, [](png_structp p, png_bytep data, png_size_t n) {
      auto* r = static_cast<MemoryReader*>(png_get_io_ptr(p));
      std::memcpy(data, r->next, n);
      r->next += n;
    });
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    std::vector<std::uint8_t> pixels(rowBytes * height);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + y * rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * file->Size());
}

void PixmapLoadOf(benchmark::State& state, const Ref<TBank>& file) {
  for (auto _ : state) {
    Ref<TPixmap> p = corvax::PixmapLoad(file);
    if (!p) state.SkipWithError("the file did not load");
    benchmark::DoNotOptimize(p.get());
  }
  state.SetBytesProcessed(state.iterations() * file->Size());
}

void BM_LibpngDecodeRGBA1024Baseline(benchmark::State& state) {
  LibpngDecode(state, PngFile(1024, corvax::FORMAT_RGBA8888));
}
BENCHMARK(BM_LibpngDecodeRGBA1024Baseline)->Unit(benchmark::kMillisecond);

void BM_PixmapLoadPNGRGBA1024(benchmark::State& state) {
  PixmapLoadOf(state, PngFile(1024, corvax::FORMAT_RGBA8888));
}
BENCHMARK(BM_PixmapLoadPNGRGBA1024)->Unit(benchmark::kMillisecond);

void BM_LibpngDecodeRGB4096Baseline(benchmark::State& state) {
  LibpngDecode(state, PngFile(4096, corvax::FORMAT_RGB888));
}
BENCHMARK(BM_LibpngDecodeRGB4096Baseline)->Unit(benchmark::kMillisecond);

void BM_PixmapLoadPNGRGB4096(benchmark::State& state) {
  PixmapLoadOf(state, PngFile(4096, corvax::FORMAT_RGB888));
}
BENCHMARK(BM_PixmapLoadPNGRGB4096)->Unit(benchmark::kMillisecond);

// ---- JPEG loading beside a plain libjpeg decode of the same bytes ---------------------------

const Ref<TBank>& JpegFile() {
  static Ref<TBank> file;
  if (!file) {
    file = TBank::CreateBank(0);
    corvax::PixmapSaveJPEG(Picture(2048, 2048, corvax::FORMAT_RGB888), file, 90);
  }
  return file;
}

// A plain libjpeg decode to RGB, into memory left unfilled as the decoder writes every byte.
void DecodeRaw(const Ref<TBank>& file) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file->Buffer(), static_cast<unsigned long>(file->Size()));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  const std::size_t rowBytes = std::size_t{cinfo.output_width} * cinfo.output_components;
  std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[rowBytes * cinfo.output_height]);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.get() + cinfo.output_scanline * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  benchmark::DoNotOptimize(pixels.get());
}

void BM_LibjpegDecode2048Baseline(benchmark::State& state) {
  const Ref<TBank>& file = JpegFile();
  for (auto _ : state) DecodeRaw(file);
  state.SetBytesProcessed(state.iterations() * file->Size());
}
BENCHMARK(BM_LibjpegDecode2048Baseline)->Unit(benchmark::kMillisecond);

void BM_PixmapLoadJPEG2048(benchmark::State& state) {
  PixmapLoadOf(state, JpegFile());
}
BENCHMARK(BM_PixmapLoadJPEG2048)->Unit(benchmark::kMillisecond);

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// The two decodes above taken in turns, so that a busy machine slows both alike: "ratio" is the
// loader's thread time over the plain decode's.
void BM_PixmapLoadJPEG2048OverRaw(benchmark::State& state) {
  const Ref<TBank>& file = JpegFile();
  double raw = 0, loader = 0;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    DecodeRaw(file);
    const double between = ThreadSeconds();
    benchmark::DoNotOptimize(corvax::PixmapLoad(file).get());
    loader += ThreadSeconds() - between;
    raw += between - start;
  }
  state.counters["ratio"] = raw > 0 ? loader / raw : 0;
}
BENCHMARK(BM_PixmapLoadJPEG2048OverRaw)->Unit(benchmark::kMillisecond)->MinTime(3);

// ---- Whole-image operations -----------------------------------------------------------------

void BM_PixmapMaskColour1024(benchmark::State& state) {
  Ref<TPixmap> p = Picture(1024, 1024, corvax::FORMAT_RGB888);
  // A mask-coloured border and blocks, so both kinds of pixel are common.
  for (int y = 0; y < 1024; ++y) {
    for (int x = 0; x < 1024; ++x) {
      if (x < 16 || y < 16 || (x / 64 + y / 64) % 3 == 0) p->SetPixel(x, y, 0xFFFF0000);
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(corvax::PixmapMaskColour(p, 255, 0, 0).get());
  SetPixelRate(state, 1024 * 1024);
}
BENCHMARK(BM_PixmapMaskColour1024)->Unit(benchmark::kMillisecond);

void BM_PixmapResize1024To1536(benchmark::State& state) {
  const Ref<TPixmap> p = Picture(1024, 1024, corvax::FORMAT_RGBA8888);
  for (auto _ : state) benchmark::DoNotOptimize(corvax::PixmapResize(p, 1536, 1536).get());
  SetPixelRate(state, 1536 * 1536);
}
BENCHMARK(BM_PixmapResize1024To1536)->Unit(benchmark::kMillisecond);

void BM_PixmapResize1024To512RGB(benchmark::State& state) {
  const Ref<TPixmap> p = Picture(1024, 1024, corvax::FORMAT_RGB888);
  for (auto _ : state) benchmark::DoNotOptimize(corvax::PixmapResize(p, 512, 512).get());
  SetPixelRate(state, 512 * 512);
}
BENCHMARK(BM_PixmapResize1024To512RGB)->Unit(benchmark::kMillisecond);

}  // namespace
