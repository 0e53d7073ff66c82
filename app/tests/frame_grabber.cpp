// Loaded into a program with LD_PRELOAD, this saves the program's first frames exactly as they
// are about to be shown: the back buffer, read just before each SDL_GL_SwapWindow. The program
// itself is not changed. FRAME_GRABBER_DIR names the folder for frame-000.ppm, frame-001.ppm,
// ...; FRAME_GRABBER_FRAMES how many frames to keep (8 when unset). Frames that are black all
// over are not kept: they are the buffers of a new context that nothing has drawn into yet
// (opening graphics presents a few while it primes them and measures the retrace).
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <SDL2/SDL.h>

namespace {

constexpr int kDefaultFrames = 8;

// The back buffer, bottom row first; empty when it is black all over.
std::vector<unsigned char> ReadBackBuffer(int width, int height) {
  std::vector<unsigned char> rows(static_cast<std::size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  for (unsigned char value : rows) {
    if (value != 0) return rows;
  }
  return {};
}

// True when the frame was drawn into and saved.
bool SaveBackBuffer(SDL_Window* window, const std::string& path) {
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(window, &width, &height);
  if (width <= 0 || height <= 0) return false;
  const std::vector<unsigned char> rows = ReadBackBuffer(width, height);
  if (rows.empty()) return false;
  // Written whole under a temporary name, so a reader never sees half a frame.
  const std::string partial = path + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (!file) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", width, height);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  for (int y = height - 1; y >= 0; --y) std::fwrite(&rows[y * stride], 1, stride, file);
  std::fclose(file);
  return std::rename(partial.c_str(), path.c_str()) == 0;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using Swap = void (*)(SDL_Window*);
  static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  static int saved = 0;
  const char* dir = std::getenv("FRAME_GRABBER_DIR");
  const char* frames = std::getenv("FRAME_GRABBER_FRAMES");
  const int limit = frames ? std::atoi(frames) : kDefaultFrames;
  if (dir && saved < limit) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%03d.ppm", saved);
    if (SaveBackBuffer(window, dir + std::string(name))) ++saved;
  }
  real(window);
}
