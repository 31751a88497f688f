// The form's accessible object: focus and selection, where its elements
// are, moving between them and acting on them.
#include "runtime/win32/form_accessible.h"
#include "runtime/win32/form_window.h"

namespace mivello::win32 {

HRESULT FormAccessible::get_accFocus(VARIANT* focus) {
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (standard_) return standard_->get_accFocus(focus);
  if (focus == nullptr) return E_POINTER;
  VariantInit(focus);
  const HWND focused = GetFocus();
  for (std::size_t k = 0; k < elements_.size(); ++k) {
    if (focused != nullptr && NativeOf(elements_[k]) == focused) {
      focus->vt = VT_I4;
      focus->lVal = static_cast<long>(k) + 1;
      return S_OK;
    }
  }
  if (focused == window_->Handle()) {
    focus->vt = VT_I4;
    focus->lVal = CHILDID_SELF;
    return S_OK;
  }
  return S_FALSE;
}

HRESULT FormAccessible::get_accSelection(VARIANT* selection) {
  if (selection == nullptr) return E_POINTER;
  VariantInit(selection);
  return S_FALSE;
}

HRESULT FormAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(action, child, element); FAILED(hr)) return hr;
  if (element == nullptr) return standard_ ? standard_->get_accDefaultAction(child, action) : S_FALSE;
  if (element->role != AccessibleRole::Link) return S_FALSE;
  *action = SysAllocString(L"跳转");  // the system's word for following a link
  return *action != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT FormAccessible::accSelect(long, VARIANT) { return S_FALSE; }

HRESULT FormAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_) return standard_->accLocation(left, top, width, height, child);
  RECT r{};
  if (element == nullptr) {
    GetClientRect(window_->Handle(), &r);
  } else {
    r = window_->ClientPixelsOf(element->control);
  }
  MapWindowPoints(window_->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

HRESULT FormAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  VariantInit(end);
  if (direction < NAVDIR_UP || direction > NAVDIR_LASTCHILD) return E_INVALIDARG;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(start, element); FAILED(hr)) return hr;
  const long count = static_cast<long>(elements_.size());
  long to = 0;
  if (element == nullptr) {
    if (direction == NAVDIR_FIRSTCHILD) {
      to = 1;
    } else if (direction == NAVDIR_LASTCHILD) {
      to = count;
    } else {
      // The form's neighbours are the system's to tell; without its object, none.
      return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
  } else if (direction == NAVDIR_NEXT) {
    to = start.lVal + 1;
  } else if (direction == NAVDIR_PREVIOUS) {
    to = start.lVal - 1;
  }  // a simple element has no children, and the reading order has no left or right
  if (to < 1 || to > count) return S_FALSE;
  end->vt = VT_I4;
  end->lVal = to;
  return S_OK;
}

HRESULT FormAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  POINT point{x, y};
  ScreenToClient(window_->Handle(), &point);
  RECT client;
  GetClientRect(window_->Handle(), &client);
  if (!PtInRect(&client, point)) return S_FALSE;
  const std::optional<std::size_t> hit = window_->ElementAt(point);
  for (std::size_t k = 0; hit && k < elements_.size(); ++k) {
    if (elements_[k].control == *hit) {
      child->vt = VT_I4;
      child->lVal = static_cast<long>(k) + 1;
      return S_OK;
    }
  }
  child->vt = VT_I4;
  child->lVal = CHILDID_SELF;
  return S_OK;
}

HRESULT FormAccessible::accDoDefaultAction(VARIANT child) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr) return standard_ ? standard_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
  if (!element->hasAction()) return DISP_E_MEMBERNOTFOUND;
  // Run after this call has returned to the tool, as a mouse click would.
  return PostMessageW(window_->Handle(), kAccessibleClick, element->control, 0) ? S_OK : E_FAIL;
}

HRESULT FormAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT FormAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace mivello::win32
