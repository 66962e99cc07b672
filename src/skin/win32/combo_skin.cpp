#include "skin/win32/combo_skin.h"

#include "skin/ctl/combo.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

// The style's low bits say which kind of combo box it is.
constexpr std::uint32_t kComboKindBits = CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST;

ColorRef BrushColor(HDC dc) {
  LOGBRUSH b{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof b, &b) && b.lbStyle == BS_SOLID)
    return b.lbColor & base::kRgbMask;
  return GetSysColor(COLOR_WINDOW);
}

}  // namespace

void TSkinComBox::Attached() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(hwnd_, &info)) return;
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  if (style & CBS_DROPDOWN) {
    AttachPartSkin(*form_skin_, *data_, info.hwndList, MakeControlSkin(SkinClass::TComboxScrollBar, SkinMode::Normal));
    const HWND edit = GetWindow(hwnd_, GW_CHILD);
    if (edit && edit != info.hwndList) edit_part_.Install(edit);
  } else if ((style & kComboKindBits) == CBS_SIMPLE && info.hwndList &&
             (GetWindowLongPtrA(info.hwndList, GWL_STYLE) & WS_CHILD)) {
    AttachPartSkin(*form_skin_, *data_, info.hwndList, MakeControlSkin(SkinClass::TSkinScrollbarH, SkinMode::Normal));
  }
}

LRESULT TSkinComBox::EditPart::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND edit = Hwnd();
  const LRESULT result = CallNext(msg, wp, lp);
  // The skin may have gone while the edit handled the message.
  if (FindOn(edit, Kind::EditPart) != this || !owner_.drawing_ || !owner_.Live()) return result;
  switch (msg) {
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      owner_.PaintFrame(nullptr);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      owner_.SetPressed(true);
      break;
    case WM_LBUTTONUP:
      owner_.SetPressed(false);
      break;
    default:
      break;
  }
  return result;
}

void TSkinComBox::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  PaintFrame(nullptr);
}

void TSkinComBox::AfterMessage(ui::Message& m) {
  if (UpdateHot(hwnd_, m, Enabled(), hot_, &button_)) return PaintFrame(nullptr);
  switch (m.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The button shows the focus; nothing else needs repainting.
      PaintFrame(nullptr);
      break;
    case WM_NCPAINT:
      // A paint to come draws the frame anyway.
      if (!GetUpdateRect(hwnd_, nullptr, FALSE)) PaintFrame(nullptr);
      break;
    case WM_DRAWITEM:
      PaintFrame(nullptr);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetPressed(true);
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    case ui::QM_COMMAND:
      if (HIWORD(m.wparam) == CBN_DROPDOWN || HIWORD(m.wparam) == CBN_CLOSEUP) {
        dropped_ = HIWORD(m.wparam) == CBN_DROPDOWN;
        if (!dropped_) pressed_ = false;
        PaintFrame(nullptr);
      }
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinComBox::Paint(HDC dc, const RECT& r) {
  const TSkinElements& s = Elements();
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  const int ox = origin.x - wr.left, oy = origin.y - wr.top;  // the client area in the window

  ComboInput in;
  in.width = r.right - r.left;
  in.height = r.bottom - r.top;
  const HWND focus = GetFocus();
  in.focused = focus && (focus == hwnd_ || IsChild(hwnd_, focus));
  // The button stays down while its list is open.
  in.pressed = pressed_ || dropped_;
  in.hot = hot_;
  in.enabled = Enabled();
  in.extended = extended_;
  in.leftScrollBar = (GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(hwnd_, &info)) {
    in.infoButton = Offset(FromRECT(info.rcButton), ox, oy);
    in.buttonInvisible = (info.stateButton & STATE_SYSTEM_INVISIBLE) != 0;
  }
  in.cyVThumb = SystemMetricAt(SM_CYVTHUMB, dpi_);
  in.cxHScroll = SystemMetricAt(SM_CXHSCROLL, dpi_);
  in.background = BrushColor(dc);
  if (extended_) {
    RECT cr{};
    GetClientRect(hwnd_, &cr);
    in.clientSmaller = cr.right < in.width || cr.bottom < in.height;
    RECT child{};
    if (const HWND first = GetWindow(hwnd_, GW_CHILD); first && GetWindowRect(first, &child))
      in.firstChild = Offset(FromRECT(child), -wr.left, -wr.top);
  }

  const ComboPaint p = PlanCombo(in, s);
  button_ = ToRECT(Offset(p.button, -ox, -oy));
  if (!p.draw || !canvas_.Resize(in.width, in.height)) return;
  // Transparent parts of the pictures show what the control drew.
  if (p.look != ComboLook::ButtonStrip) BitBlt(canvas_.Dc(), 0, 0, in.width, in.height, dc, 0, 0, SRCCOPY);
  DrawCombo(canvas_.View(), in, p, s, ControlPalette(s));
  const ui::gdi::SavedState saved(dc);
  ExcludeClipRect(dc, p.keep.left, p.keep.top, p.keep.right, p.keep.bottom);
  canvas_.CopyTo(dc, 0, 0, in.width, in.height, 0, 0);
}

}  // namespace quillet::skin::win32
