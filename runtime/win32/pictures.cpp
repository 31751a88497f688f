#include "runtime/win32/pictures.h"

#include <cstdlib>
#include <cstring>

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

UniqueIcon IconFromFile(const std::vector<std::uint8_t>& file, int size) {
  auto u16 = [&](std::size_t at) { return static_cast<unsigned>(file[at] | (file[at + 1] << 8)); };
  auto u32 = [&](std::size_t at) { return static_cast<std::size_t>(u16(at) | (u16(at + 2) << 16)); };
  if (file.size() < 6 || u16(2) != 1) return nullptr;
  const std::size_t count = u16(4);
  if (file.size() < 6 + 16 * count) return nullptr;
  std::size_t best = count;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int width = file[entry] == 0 ? 256 : file[entry];
    const int bestWidth = best == count ? 0 : (file[6 + 16 * best] == 0 ? 256 : file[6 + 16 * best]);
    const bool fits = width >= size;
    // The smallest image at least `size` wide, else the largest.
    if (best == count || (fits && (bestWidth < size || width < bestWidth)) ||
        (!fits && bestWidth < size && width > bestWidth)) {
      best = i;
    }
  }
  if (best == count) return nullptr;
  const std::size_t bytes = u32(6 + 16 * best + 8);
  const std::size_t offset = u32(6 + 16 * best + 12);
  if (offset > file.size() || bytes > file.size() - offset) return nullptr;
  return UniqueIcon(CreateIconFromResourceEx(const_cast<PBYTE>(file.data() + offset),
                                             static_cast<DWORD>(bytes), TRUE, 0x00030000, size, size,
                                             LR_DEFAULTCOLOR));
}

}  // namespace mivello::win32
