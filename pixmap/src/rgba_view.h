#pragma once
#include <corvax/pixmap/pixmap.h>

namespace corvax {

// The pixmap itself when it already is RGBA, else an RGBA copy to read from.
inline Ref<TPixmap> RGBAView(const Ref<TPixmap>& p) {
  return p->Format() == FORMAT_RGBA8888 ? p : p->ConvertTo(FORMAT_RGBA8888);
}

}  // namespace corvax
