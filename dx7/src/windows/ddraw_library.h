#pragma once
// DirectDraw, loaded by name when the module starts, so that programs start on machines
// without it. Windows build only.
#include <ddraw.h>

namespace corvax::dx7 {

using DirectDrawCreateExFunction = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);

struct DirectDrawLibrary {
  // nullptr when "ddraw" could not be loaded or lacks the entry point.
  DirectDrawCreateExFunction createEx = nullptr;
};

// Loads the library on the first call; later calls give the same result.
const DirectDrawLibrary& LoadDirectDraw();

// The interface and device identifiers, written out here so that no import library is needed.
extern const GUID kIID_IDirectDraw7;
extern const GUID kIID_IDirect3D7;
extern const GUID kIID_HalDevice;
extern const GUID kIID_TnLHalDevice;

}  // namespace corvax::dx7
