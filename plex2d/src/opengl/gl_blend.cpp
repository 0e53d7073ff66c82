#include "gl_blend.h"

#include <corvax/plex2d/blend.h>

namespace corvax::detail {

GLBlendState GLBlendStateFor(int mode) {
  switch (mode) {
    case BLEND_MASK:
      return {false, GL_ONE, GL_ZERO, true};
    case BLEND_ALPHA:
      return {true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, false};
    case BLEND_ADDITIVE:
      return {true, GL_SRC_ALPHA, GL_ONE, false};
    case BLEND_MULTIPLY:
      return {true, GL_DST_COLOR, GL_ZERO, false};
    default:
      return {};
  }
}

}  // namespace corvax::detail
