#include "runtime/win32/pictures.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/pictures/decode.h"

namespace mivello::win32 {

// COM for the rest of the process, started only when a picture or an
// assistive tool needs it: starting it costs more than the window itself
// under some systems.
void StartComOnce() {
  struct Apartment {
    bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ~Apartment() {
      if (started) CoUninitialize();
    }
  };
  static Apartment apartment;
}

namespace {

ComPtr<IPicture> TryLoadPicture(const std::vector<std::uint8_t>& file) {
  ComPtr<IPicture> picture;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, file.size());
  if (memory == nullptr) return picture;
  void* bytes = GlobalLock(memory);
  if (bytes == nullptr) {
    GlobalFree(memory);
    return picture;
  }
  std::memcpy(bytes, file.data(), file.size());
  GlobalUnlock(memory);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) {
    GlobalFree(memory);
    return picture;
  }
  OleLoadPicture(stream.Get(), static_cast<LONG>(file.size()), FALSE, IID_IPicture,
                 reinterpret_cast<void**>(picture.Put()));
  return picture;
}

}  // namespace

ComPtr<IPicture> LoadPicture(const std::vector<std::uint8_t>& file) {
  if (file.empty()) return {};
  if (ComPtr<IPicture> picture = TryLoadPicture(file)) return picture;
  StartComOnce();
  return TryLoadPicture(file);
}

void DrawPicture(IPicture* picture, HDC dc, int x, int y, int width, int height) {
  if (picture == nullptr) return;
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  picture->get_Width(&himetricWidth);
  picture->get_Height(&himetricHeight);
  // Source rectangles are in HIMETRIC, measured from the bottom.
  picture->Render(dc, x, y, width, height, 0, himetricHeight, himetricWidth, -himetricHeight, nullptr);
}

// The icon file's images as the runtime reads them on every system (the
// same reader the Linux window uses, fuzzed there), made into an icon.
UniqueIcon IconFromFile(const std::vector<std::uint8_t>& file, int size) {
  const std::vector<pictures::Bitmap> images = pictures::IconImages(file);
  const pictures::Bitmap* best = nullptr;
  for (const pictures::Bitmap& image : images) {
    // The smallest image at least `size` wide, else the largest.
    const bool fits = image.width >= size;
    if (best == nullptr || (fits && (best->width < size || image.width < best->width)) ||
        (!fits && best->width < size && image.width > best->width)) {
      best = &image;
    }
  }
  if (best == nullptr) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = best->width;
  info.bmiHeader.biHeight = -best->height;  // rows from the top, as the bitmap has them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour == nullptr) return nullptr;
  // 0xAARRGGBB in memory is blue, green, red, alpha: a DIB's own order.
  std::memcpy(bits, best->pixels.data(), best->pixels.size() * sizeof best->pixels[0]);
  // The alpha decides where the system draws with it; where it draws through
  // the mask (some shell views, classic themes) every bit is 0, opaque as the
  // icon is. A monochrome bitmap's rows are whole 16-bit words.
  const std::vector<BYTE> opaque(static_cast<std::size_t>((best->width + 15) / 16 * 2 * best->height), 0);
  HBITMAP mask = CreateBitmap(best->width, best->height, 1, 1, opaque.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour};
  UniqueIcon result(mask != nullptr ? CreateIconIndirect(&icon) : nullptr);
  if (mask != nullptr) DeleteObject(mask);
  DeleteObject(colour);
  return result;
}

}  // namespace mivello::win32
