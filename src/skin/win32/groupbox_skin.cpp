#include "skin/win32/groupbox_skin.h"

#include "skin/ctl/groupbox.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

bool TSkinGroupBox::BeforeMessage(ui::Message& m) {
  if (!IsForeign() && AnswerPaintMessage(*this, m)) return false;
  return TSkinControl::BeforeMessage(m);
}

void TSkinGroupBox::AfterMessage(ui::Message& m) {
  // A foreign box has painted itself; the skin's line and caption go over that.
  if (m.msg == WM_PAINT && IsForeign()) return PaintFrame(reinterpret_cast<HDC>(m.wparam));
  TSkinControl::AfterMessage(m);
}

void TSkinGroupBox::Paint(HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!data_ || w <= 0 || h <= 0 || !canvas_.Resize(w, h)) return;
  const ui::TWinControl* control = Control();
  HDC cdc = canvas_.Dc();
  const std::wstring text = Text();
  const bool rtl = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_RTLREADING;
  const Palette pal = ControlPalette(Elements());
  {
    ui::gdi::Select font(cdc, Font());
    GroupBoxInput in;
    in.width = w;
    in.height = h;
    in.zeroHeight = MeasureText(cdc, L"0", DT_SINGLELINE, w).cy;
    constexpr UINT kFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    if (!text.empty()) {
      const SIZE size = MeasureText(cdc, text, kFlags, w);
      in.textWidth = size.cx;
      in.textHeight = size.cy;
    }
    in.rightAligned = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_RIGHT;
    in.foreign = IsForeign();
    in.dpi = dpi_;
    const GroupBoxPaint p = PlanGroupBox(in);
    if (in.foreign) BitBlt(cdc, 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
    DrawGroupBox(canvas_.View(), in, p, pal);
    if (!text.empty()) {
      const COLORREF color = !Enabled() ? pal.disabledText
                              : control  ? ui::ToColorRef(control->Font().color)
                                         : pal.buttonText;
      DrawTextIn(cdc, text, p.text, kFlags | (p.textRight ? DT_RIGHT : 0) | (rtl ? DT_RTLREADING : 0), color);
    }
  }
  PaintGraphicChildren(cdc);
  canvas_.CopyTo(dc, r.left, r.top, w, h, 0, 0);
}

}  // namespace quillet::skin::win32
