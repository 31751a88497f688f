#pragma once
// Ownership of Windows handles and COM objects: each released exactly once.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace mivello::win32 {

struct GdiObjectDeleter {
  void operator()(void* object) const noexcept { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct IconDeleter {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct WindowDeleter {
  void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// A COM interface pointer that releases its reference.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ComPtr& operator=(ComPtr&& other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_ != nullptr) p_->Release();
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  T** Put() { return &p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace mivello::win32
