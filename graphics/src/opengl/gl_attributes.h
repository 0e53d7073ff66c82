#pragma once
// The frame-buffer request for a set of graphics flags. A size of 1 asks for the closest
// format that has such a buffer at all; 0 for none.
namespace corvax {

struct GLBufferRequest {
  int doubleBuffer = 0;
  int alphaBits = 0;
  int depthBits = 0;
  int stencilBits = 0;
  int accumBits = 0;  // for each of the accumulation buffer's four channels
};

GLBufferRequest BufferRequestForFlags(int flags);

// Sets SDL's OpenGL attributes for the next window and context: an OpenGL 1.1-compatible
// context (no core profile) with the buffers of the request.
void ApplyBufferRequest(const GLBufferRequest& request);

}  // namespace corvax
