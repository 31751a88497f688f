#include "runtime/win32/form_accessible.h"

#include <new>

#include "runtime/win32/form_window.h"

namespace mivello::win32 {
namespace {

BSTR Bstr(const String& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

long RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::StaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::Link:
      return ROLE_SYSTEM_LINK;
    case AccessibleRole::Graphic:
      return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::EditableText:
      return ROLE_SYSTEM_TEXT;
    case AccessibleRole::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
  }
  return ROLE_SYSTEM_CLIENT;
}

}  // namespace

FormAccessible* FormAccessible::Create(FormWindow& window) {
  // The system's object answers for the client area itself where it can be
  // had (Wine's cannot be made for this window); the form answers otherwise.
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(window.Handle(), OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&standard)))) {
    standard = nullptr;
  }
  auto* made = new (std::nothrow) FormAccessible(window, standard);
  if (made == nullptr && standard != nullptr) standard->Release();
  return made;
}

FormAccessible::FormAccessible(FormWindow& window, IAccessible* standard)
    : window_(&window),
      standard_(standard),
      elements_(AccessibleElements(window.TheForm(), window.Events())) {}

FormAccessible::~FormAccessible() {
  if (standard_ != nullptr) standard_->Release();
}

HRESULT FormAccessible::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG FormAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG FormAccessible::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT FormAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT FormAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT FormAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT FormAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT FormAccessible::Resolve(const VARIANT& child, const AccessibleElement*& element) const {
  element = nullptr;
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (child.vt != VT_I4 || child.lVal < 0 || static_cast<std::size_t>(child.lVal) > elements_.size()) {
    return E_INVALIDARG;
  }
  if (child.lVal != CHILDID_SELF) element = &elements_[static_cast<std::size_t>(child.lVal) - 1];
  return S_OK;
}

HWND FormAccessible::NativeOf(const AccessibleElement& element) const {
  return element.painted() ? nullptr : window_->ChildWindow(element.control);
}

HRESULT FormAccessible::get_accParent(IDispatch** parent) {
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (standard_ != nullptr) return standard_->get_accParent(parent);
  return AccessibleObjectFromWindow(window_->Handle(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
}

HRESULT FormAccessible::get_accChildCount(long* count) {
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (count == nullptr) return E_POINTER;
  *count = static_cast<long>(elements_.size());
  return S_OK;
}

HRESULT FormAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr) return E_INVALIDARG;
  // A native control is an object of its own; what the runtime paints is a
  // simple element, answered for by the form.
  if (HWND native = NativeOf(*element)) {
    return AccessibleObjectFromWindow(native, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(object));
  }
  return S_FALSE;
}

HRESULT FormAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_ != nullptr) return standard_->get_accName(child, name);
  if (element == nullptr) {
    const int length = GetWindowTextLengthW(window_->Handle());
    *name = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (*name == nullptr) return E_OUTOFMEMORY;
    GetWindowTextW(window_->Handle(), *name, length + 1);
    return S_OK;
  }
  *name = Bstr(element->name);
  return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT FormAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_ != nullptr) return standard_->get_accValue(child, value);
  return S_FALSE;
}

HRESULT FormAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr || element->description.empty()) return S_FALSE;
  *description = Bstr(element->description);
  return *description != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT FormAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  VariantInit(role);
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_ != nullptr) return standard_->get_accRole(child, role);
  role->vt = VT_I4;
  role->lVal = element == nullptr ? ROLE_SYSTEM_CLIENT : RoleOf(element->role);
  return S_OK;
}

HRESULT FormAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  VariantInit(state);
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_ != nullptr) return standard_->get_accState(child, state);
  state->vt = VT_I4;
  state->lVal = element == nullptr                      ? 0
                : element->role == AccessibleRole::Link ? STATE_SYSTEM_LINKED
                                                        : STATE_SYSTEM_READONLY;
  if (!IsWindowVisible(window_->Handle())) state->lVal |= STATE_SYSTEM_INVISIBLE;
  return S_OK;
}

HRESULT FormAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (help == nullptr) return E_POINTER;
  *help = nullptr;
  return S_FALSE;
}

HRESULT FormAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (file != nullptr) *file = nullptr;
  if (topic != nullptr) *topic = 0;
  return S_FALSE;
}

HRESULT FormAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (shortcut == nullptr) return E_POINTER;
  *shortcut = nullptr;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  return element == nullptr && standard_ != nullptr ? standard_->get_accKeyboardShortcut(child, shortcut)
                                                    : S_FALSE;
}

HRESULT FormAccessible::get_accFocus(VARIANT* focus) {
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (standard_ != nullptr) return standard_->get_accFocus(focus);
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
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr)
    return standard_ != nullptr ? standard_->get_accDefaultAction(child, action) : S_FALSE;
  if (element->role != AccessibleRole::Link) return S_FALSE;
  *action = SysAllocString(L"跳转");  // the system's word for following a link
  return *action != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT FormAccessible::accSelect(long, VARIANT) { return S_FALSE; }

HRESULT FormAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_ != nullptr)
    return standard_->accLocation(left, top, width, height, child);
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
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Resolve(start, element); FAILED(hr)) return hr;
  const long count = static_cast<long>(elements_.size());
  long to = 0;
  if (element == nullptr) {
    if (direction == NAVDIR_FIRSTCHILD)
      to = 1;
    else if (direction == NAVDIR_LASTCHILD)
      to = count;
    else
      return standard_->accNavigate(direction, start, end);
  } else if (direction == NAVDIR_NEXT) {
    to = start.lVal + 1;
  } else if (direction == NAVDIR_PREVIOUS) {
    to = start.lVal - 1;
  }
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
  // Native controls lie above everything the runtime paints.
  const HWND native =
      ChildWindowFromPointEx(window_->Handle(), point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  const std::optional<std::size_t> painted =
      native == window_->Handle() ? window_->HitTest(point) : std::nullopt;
  for (std::size_t k = 0; k < elements_.size(); ++k) {
    const bool reached = painted ? elements_[k].control == *painted : NativeOf(elements_[k]) == native;
    if (native != nullptr && reached) {
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
  if (element == nullptr)
    return standard_ != nullptr ? standard_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
  if (!element->hasAction()) return DISP_E_MEMBERNOTFOUND;
  // Run after this call has returned to the tool, as a mouse click would.
  return PostMessageW(window_->Handle(), kAccessibleClick, element->control, 0) ? S_OK : E_FAIL;
}

HRESULT FormAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT FormAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace mivello::win32
