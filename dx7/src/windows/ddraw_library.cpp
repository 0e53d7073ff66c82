#include "ddraw_library.h"

#include <windows.h>

namespace corvax::dx7 {

const GUID kIID_IDirectDraw7 = {
    0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
const GUID kIID_IDirect3D7 = {
    0xF5049E77, 0x4861, 0x11D2, {0xA4, 0x07, 0x00, 0xA0, 0xC9, 0x06, 0x29, 0xA8}};
const GUID kIID_HalDevice = {
    0x84E63DE0, 0x46AA, 0x11CF, {0x81, 0x6F, 0x00, 0x00, 0xC0, 0x20, 0x15, 0x6E}};
const GUID kIID_TnLHalDevice = {
    0xF5049E78, 0x4861, 0x11D2, {0xA4, 0x07, 0x00, 0xA0, 0xC9, 0x06, 0x29, 0xA8}};

const DirectDrawLibrary& LoadDirectDraw() {
  static const DirectDrawLibrary library = [] {
    DirectDrawLibrary loaded;
    // Kept loaded for the life of the process: DirectDraw objects may outlive any owner here.
    HMODULE module = LoadLibraryA("ddraw");
    if (!module) return loaded;
    // Through the generic function type, which converts to any other without a warning.
    const auto entry = reinterpret_cast<void (*)()>(GetProcAddress(module, "DirectDrawCreateEx"));
    loaded.createEx = reinterpret_cast<DirectDrawCreateExFunction>(entry);
    return loaded;
  }();
  return library;
}

}  // namespace corvax::dx7
