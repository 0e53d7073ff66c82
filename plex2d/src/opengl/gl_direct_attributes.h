#pragma once
// The state the direct-drawing helpers change (the enables, the bound texture and the matrix
// mode), saved before they draw and put back after, as
// glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT) and glPopAttrib do.

namespace corvax::detail {

// Both need a current GL context; every push is matched by one pop, innermost first.
void PushDirectAttributes();
void PopDirectAttributes();

}  // namespace corvax::detail
