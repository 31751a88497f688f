// The Win32 form's painting: the labels and pictures the runtime draws, in
// the stored order, on exactly the pixels the hit test gives them.
#include "runtime/win32/form_window.h"
#include "runtime/win32/window_basics.h"
#include "runtime/window_model/paint_order.h"

namespace mivello::win32 {

void FormWindow::Paint(HDC dc) const {
  const FormModel& model = form_.Model();
  HGDIOBJ oldFont = SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i : PaintOrder(model)) {
    const ControlModel& c = model.controls[i];
    RECT r = PixelsOf(c.rect);
    if (c.kind == ControlClass::Picture) {
      DrawPicture(pictures_[i].Get(), dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (c.kind == ControlClass::Label) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      SetTextColor(dc, c.foreColour ? RGB(c.foreColour->red, c.foreColour->green, c.foreColour->blue)
                                    : GetSysColor(COLOR_BTNTEXT));
      DrawTextW(dc, Wide(c.caption).c_str(), static_cast<int>(c.caption.size()), &r,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  SelectObject(dc, oldFont);
}

}  // namespace mivello::win32
