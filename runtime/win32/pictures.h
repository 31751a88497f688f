#pragma once
// The form's pictures on Windows: the GIFs decoded by Windows itself (OLE
// pictures), the icon by the runtime's own icon reader.
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/win32/handles.h"

namespace mivello::win32 {

// Starts COM on this thread once, for the rest of the process.
void StartComOnce();

// A GIF as an OLE picture (its first frame, transparency kept); empty when
// Windows cannot decode it.
ComPtr<IPicture> LoadPicture(const std::vector<std::uint8_t>& file);

// Draws `picture` with its top-left corner at `x`, `y`, `width` × `height` pixels.
void DrawPicture(IPicture* picture, HDC dc, int x, int y, int width, int height);

// The image of an icon file nearest `size` pixels square, as an icon handle;
// null when the file holds no image the runtime reads.
UniqueIcon IconFromFile(const std::vector<std::uint8_t>& file, int size);

}  // namespace mivello::win32
