#include "gl_attributes.h"

#include <SDL2/SDL.h>

#include <corvax/graphics/graphics_flags.h>

namespace corvax {

GLBufferRequest BufferRequestForFlags(int flags) {
  const auto wanted = [flags](int flag) { return (flags & flag) ? 1 : 0; };
  GLBufferRequest request;
  request.doubleBuffer = wanted(GRAPHICS_BACKBUFFER);
  request.alphaBits = wanted(GRAPHICS_ALPHABUFFER);
  request.depthBits = wanted(GRAPHICS_DEPTHBUFFER);
  request.stencilBits = wanted(GRAPHICS_STENCILBUFFER);
  request.accumBits = wanted(GRAPHICS_ACCUMBUFFER);
  return request;
}

void ApplyBufferRequest(const GLBufferRequest& request) {
  // Resetting also drops whatever a previous request or the application left behind
  // (including context sharing, which the caller sets afterwards when it wants it).
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, request.doubleBuffer);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, request.alphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, request.depthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, request.stencilBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, request.accumBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, request.accumBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, request.accumBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, request.accumBits);
}

}  // namespace corvax
