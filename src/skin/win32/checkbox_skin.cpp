#include "skin/win32/checkbox_skin.h"

#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

bool TSkinCheckBox::CanPaint() const {
  if (!data_) return false;
  const TDataSkinButton& b = Elements().Buttons;
  return !(radio_ ? b.RadioBitmap : b.CheckBitmap).Empty();
}

CheckValue TSkinCheckBox::Value() const {
  if (const ui::TWinControl* c = Control())
    if (const auto state = c->GetProperty("State")) return CheckValueFromStateProperty(state->AsText());
  return CheckValueFromButtonState(static_cast<std::uint32_t>(SendMessageW(hwnd_, BM_GETSTATE, 0, 0)));
}

CheckValue TSkinObjImage::Value() const {
  const ui::TWinControl* c = Control();
  if (!c) return CheckValue::Unchecked;
  const auto state = c->GetProperty("State"), checked = c->GetProperty("Checked");
  const std::string stateText = state ? state->AsText() : "", checkedText = checked ? checked->AsText() : "";
  return CheckValueFromProperties(state ? &stateText : nullptr, checked ? &checkedText : nullptr);
}

bool TSkinCheckBox::BeforeMessage(ui::Message& m) {
  if (CanPaint() && AnswerPaintMessage(*this, m)) return false;
  return TSkinControl::BeforeMessage(m);
}

void TSkinCheckBox::AfterMessage(ui::Message& m) {
  if (!CanPaint()) return TSkinControl::AfterMessage(m);
  // Presses, the space key and the value reach the native button as messages it paints.
  if (UpdateHot(hwnd_, m, Enabled(), hot_) || NativeButtonPaints(m.msg)) return Repaint();
  TSkinControl::AfterMessage(m);
}

void TSkinCheckBox::Paint(HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!CanPaint() || w <= 0 || h <= 0 || !canvas_.Resize(w, h)) return;
  const TSkinElements& s = Elements();
  const ui::TWinControl* control = Control();
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  const std::wstring text = Text();
  CheckInput in;
  in.width = w;
  in.height = h;
  in.state.value = Value();
  in.state.enabled = Enabled();
  in.state.hot = hot_ && in.state.enabled;
  in.state.pressed = SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED;
  in.radio = radio_;
  in.focused = Focused();
  in.leftText = style & BS_LEFTTEXT;
  in.textEmpty = text.empty();
  in.windows6 = LOBYTE(LOWORD(GetVersion())) == 6;
  in.fontColor = control ? ui::ToColorRef(control->Font().color) : data_->Color(slot::ButtonText);
  const CheckPaint p = PlanCheckBox(in, s, ControlSystem());

  HDC cdc = canvas_.Dc();
  const bool overParent = transparent_ || data_->Options.Has(xoTransparent);
  if (overParent) PaintParentUnder(hwnd_, cdc);
  DrawCheckBox(canvas_.View(), s, p, radio_, overParent);
  if (!text.empty()) {
    ui::gdi::Select font(cdc, Font());
    UINT flags = DT_NOCLIP | DT_EXPANDTABS | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
    if (p.textRight) flags |= DT_RIGHT;
    if (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
    const SIZE size = MeasureText(cdc, text, flags, p.textArea.Width());
    const int y = p.textArea.top + (p.textArea.Height() - size.cy) / 2;
    const int x = p.textRight ? p.textArea.right - size.cx : p.textArea.left;
    DrawTextIn(cdc, text, {x, y, x + size.cx, y + size.cy}, flags, p.textColor);
    if (p.focusRect)
      DrawFocusFrame(cdc, TextFocusRect(p.textArea, size.cx, size.cy, p.textRight ? TextAlign::Right : TextAlign::Left, true));
  }
  canvas_.CopyTo(dc, r.left, r.top, w, h, 0, 0);
}

}  // namespace quillet::skin::win32
