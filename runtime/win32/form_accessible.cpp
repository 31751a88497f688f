#include "runtime/win32/form_accessible.h"

#include <new>
#include <utility>

#include "runtime/win32/accessibility_library.h"
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

ComPtr<FormAccessible> FormAccessible::Create(FormWindow& window) {
  // The system's object answers for the client area itself where it can be
  // had; the form answers otherwise.
  ComPtr<IAccessible> standard;
  if (FAILED(StdAccessibleObject(window.Handle(), OBJID_CLIENT, IID_IAccessible,
                                 reinterpret_cast<void**>(standard.Put())))) {
    standard.Reset();
  }
  return ComPtr<FormAccessible>::Adopt(new (std::nothrow) FormAccessible(window, std::move(standard)));
}

FormAccessible::FormAccessible(FormWindow& window, ComPtr<IAccessible> standard)
    : window_(&window),
      standard_(std::move(standard)),
      elements_(AccessibleElements(window.TheForm(), window.Events())) {}

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
  if (standard_) return standard_->get_accParent(parent);
  return ObjectFromWindow(window_->Handle(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                          reinterpret_cast<void**>(parent));
}

HRESULT FormAccessible::get_accChildCount(long* count) {
  if (window_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (count == nullptr) return E_POINTER;
  *count = static_cast<long>(elements_.size());
  return S_OK;
}

HRESULT FormAccessible::get_accChild(VARIANT child, IDispatch** object) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(object, child, element); FAILED(hr)) return hr;
  if (element == nullptr) return E_INVALIDARG;
  // A native control is an object of its own; what the runtime paints is a
  // simple element, answered for by the form.
  if (HWND native = NativeOf(*element)) {
    return ObjectFromWindow(native, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                            reinterpret_cast<void**>(object));
  }
  return S_FALSE;
}

HRESULT FormAccessible::get_accName(VARIANT child, BSTR* name) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(name, child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_) return standard_->get_accName(child, name);
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
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(value, child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_) return standard_->get_accValue(child, value);
  return S_FALSE;
}

HRESULT FormAccessible::get_accDescription(VARIANT child, BSTR* description) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(description, child, element); FAILED(hr)) return hr;
  if (element == nullptr || element->description.empty()) return S_FALSE;
  *description = Bstr(element->description);
  return *description != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT FormAccessible::get_accRole(VARIANT child, VARIANT* role) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(role, child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_) return standard_->get_accRole(child, role);
  role->vt = VT_I4;
  role->lVal = element == nullptr ? ROLE_SYSTEM_CLIENT : RoleOf(element->role);
  return S_OK;
}

HRESULT FormAccessible::get_accState(VARIANT child, VARIANT* state) {
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(state, child, element); FAILED(hr)) return hr;
  if (element == nullptr && standard_) return standard_->get_accState(child, state);
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
  const AccessibleElement* element = nullptr;
  if (const HRESULT hr = Start(shortcut, child, element); FAILED(hr)) return hr;
  return element == nullptr && standard_ ? standard_->get_accKeyboardShortcut(child, shortcut) : S_FALSE;
}

}  // namespace mivello::win32
