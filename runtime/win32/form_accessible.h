#pragma once
// The form window as assistive tools see it through Active Accessibility
// (which Windows also bridges to UI Automation): the native EDIT and BUTTON
// controls as their own objects, and every label and picture the runtime
// paints as a simple element of the form, in reading order.
#include <oleacc.h>
#include <windows.h>

#include <vector>

#include "runtime/win32/handles.h"
#include "runtime/window_model/accessibility.h"

namespace mivello::win32 {

class FormWindow;

// The message that an assistive tool's default action posts to the form:
// the Click of control wParam, delivered after the tool's call returned.
inline constexpr UINT kAccessibleClick = WM_APP + 1;

class FormAccessible final : public IAccessible {
 public:
  // A new object, or none when it cannot be made.
  static ComPtr<FormAccessible> Create(FormWindow& window);
  // The window is going away: every later call fails as disconnected.
  void Disconnect() noexcept { window_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: not offered; clients call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  FormAccessible(FormWindow& window, ComPtr<IAccessible> standard);
  ~FormAccessible() = default;
  // The element a child id names (1 is the first in reading order), null for
  // the form itself; fails for an id that names nothing or a window that is gone.
  HRESULT Resolve(const VARIANT& child, const AccessibleElement*& element) const;
  // How every getter of an element's property opens: its answer's place
  // checked and emptied, then the child resolved.
  template <typename Answer>
  HRESULT Start(Answer* answer, const VARIANT& child, const AccessibleElement*& element) const {
    if (answer == nullptr) return E_POINTER;
    Empty(*answer);
    return Resolve(child, element);
  }
  static void Empty(BSTR& text) { text = nullptr; }
  static void Empty(VARIANT& value) { VariantInit(&value); }
  static void Empty(IDispatch*& object) { object = nullptr; }
  HWND NativeOf(const AccessibleElement& element) const;

  LONG references_ = 1;
  FormWindow* window_;
  // The system's object for the client area, where there is one (Wine has
  // none for this window): every method answers without it too.
  ComPtr<IAccessible> standard_;
  std::vector<AccessibleElement> elements_;
};

}  // namespace mivello::win32
