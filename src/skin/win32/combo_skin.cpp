#include "skin/win32/combo_skin.h"

#include <unordered_map>

#include "skin/ctl/combo.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

// The edit parts whose procedure leads to EditPartProc. A part whose procedure someone replaced
// after ours keeps its entry, without a skin, so that its messages still reach `prev`.
struct EditPart {
  TSkinComBox* skin = nullptr;
  WNDPROC prev = nullptr;
};
std::unordered_map<HWND, EditPart>& EditParts() {
  static std::unordered_map<HWND, EditPart> parts;
  return parts;
}

ColorRef BrushColour(HDC dc) {
  LOGBRUSH b{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof b, &b) && b.lbStyle == BS_SOLID) return b.lbColor & 0xFFFFFF;
  return GetSysColor(COLOR_WINDOW);
}

}  // namespace

TSkinComBox::~TSkinComBox() { UnhookEditPart(); }

void TSkinComBox::Attached() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(hwnd_, &info)) return;
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  if (style & CBS_DROPDOWN) {
    AttachPartSkin(*form_skin_, *data_, info.hwndList, MakeControlSkin(SkinClass::TComboxScrollBar, SkinMode::Normal));
    const HWND edit = GetWindow(hwnd_, GW_CHILD);
    if (!unicode_ && edit && edit != info.hwndList) HookEditPart(edit);
  } else if ((style & 3) == CBS_SIMPLE && info.hwndList && (GetWindowLongPtrA(info.hwndList, GWL_STYLE) & WS_CHILD)) {
    AttachPartSkin(*form_skin_, *data_, info.hwndList, MakeControlSkin(SkinClass::TSkinScrollbarH, SkinMode::Normal));
  }
}

void TSkinComBox::HookEditPart(HWND edit) {
  if (EditParts().count(edit)) return;
  const auto prev = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TSkinComBox::EditPartProc)));
  if (!prev) return;
  EditParts()[edit] = {this, prev};
  edit_ = edit;
}

void TSkinComBox::UnhookEditPart() {
  if (!edit_) return;
  auto it = EditParts().find(edit_);
  if (it != EditParts().end() && it->second.skin == this) {
    const bool ours = GetWindowLongPtrA(edit_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TSkinComBox::EditPartProc);
    if (IsWindow(edit_) && ours) {
      SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.prev));
      EditParts().erase(it);
    } else if (IsWindow(edit_)) {
      it->second.skin = nullptr;
    } else {
      EditParts().erase(it);
    }
  }
  edit_ = nullptr;
}

LRESULT CALLBACK TSkinComBox::EditPartProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto it = EditParts().find(h);
  if (it == EditParts().end()) return DefWindowProcA(h, msg, wp, lp);
  const WNDPROC prev = it->second.prev;
  if (msg == WM_NCDESTROY) {
    if (it->second.skin) it->second.skin->edit_ = nullptr;
    EditParts().erase(it);
    return CallWindowProcA(prev, h, msg, wp, lp);
  }
  const LRESULT result = CallWindowProcA(prev, h, msg, wp, lp);
  // The skin may have gone while the edit handled the message.
  it = EditParts().find(h);
  TSkinComBox* skin = it == EditParts().end() ? nullptr : it->second.skin;
  if (!skin || !skin->drawing_) return result;
  switch (msg) {
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      skin->PaintFrame(nullptr);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      skin->SetPressed(true);
      break;
    case WM_LBUTTONUP:
      skin->SetPressed(false);
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
  const TSkinElements& s = data_->Elements();
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
  in.cyVThumb = GetSystemMetrics(SM_CYVTHUMB);
  in.cxHScroll = GetSystemMetrics(SM_CXHSCROLL);
  in.background = BrushColour(dc);
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
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, p.keep.left, p.keep.top, p.keep.right, p.keep.bottom);
  canvas_.CopyTo(dc, 0, 0, in.width, in.height, 0, 0);
  RestoreDC(dc, saved);
}

}  // namespace quillet::skin::win32
