#include "skin/win32/statusbar_skin.h"

#include <commctrl.h>

#include "skin/ctl/statusbar.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

// A part's text, or nothing for a part the program draws itself.
std::wstring PartText(HWND bar, int part) {
  const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
  if (HIWORD(info) & SBT_OWNERDRAW) return {};
  std::wstring text(LOWORD(info) + 1u, L'\0');
  SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(info));
  return text;
}

bool ParentMaximized(HWND h) { return IsZoomed(GetAncestor(h, GA_ROOT)); }

}  // namespace

bool TSkinStatusBar::BeforeMessage(ui::Message& m) {
  if (AnswerPaintMessage(*this, m)) return false;
  return TSkinControl::BeforeMessage(m);
}

void TSkinStatusBar::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case SB_SETTEXTA:
    case SB_SETTEXTW:
    case SB_SETPARTS:
    case SB_SIMPLE:
    case WM_SIZE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinStatusBar::Paint(HDC dc, const RECT&) {
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  if (cr.right <= 0 || cr.bottom <= 0 || !canvas_.Resize(cr.right, cr.bottom)) return;
  StatusInput in;
  in.width = cr.right;
  in.height = cr.bottom;
  in.grip = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & SBARS_SIZEGRIP) && !ParentMaximized(hwnd_);
  const bool simple = SendMessageA(hwnd_, SB_ISSIMPLE, 0, 0);
  std::vector<int> ids;
  if (simple) {
    in.parts.push_back({0, 0, cr.right, cr.bottom});
    ids.push_back(SB_SIMPLEID);
  } else {
    const int n = static_cast<int>(SendMessageA(hwnd_, SB_GETPARTS, 0, 0));
    for (int i = 0; i < n; ++i) {
      RECT pr{};
      SendMessageA(hwnd_, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&pr));
      in.parts.push_back(FromRECT(pr));
      ids.push_back(i);
    }
  }
  const TSkinElements& s = Elements();
  const StatusPaint p = PlanStatusBar(in);
  DrawStatusBar(canvas_.View(), p, s, ControlPalette(s));
  HDC cdc = canvas_.Dc();
  ui::gdi::Select font(cdc, Font());
  for (std::size_t i = 0; i < p.texts.size() && i < ids.size(); ++i) {
    const std::wstring text = PartText(hwnd_, ids[i]);
    if (!text.empty() && !IsEmpty(p.texts[i]))
      DrawTextIn(cdc, text, p.texts[i], DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX,
                 data_->Color(slot::ButtonText));
  }
  canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, 0, 0);
}

bool TSkinSizer::BeforeMessage(ui::Message& m) {
  if (AnswerPaintMessage(*this, m)) return false;
  return TSkinControl::BeforeMessage(m);
}

void TSkinSizer::Paint(HDC dc, const RECT&) {
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  if (cr.right <= 0 || cr.bottom <= 0 || !canvas_.Resize(cr.right, cr.bottom)) return;
  DrawSizeGrip(canvas_.View(), {0, 0, cr.right, cr.bottom}, ControlPalette(Elements()), true);
  canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, 0, 0);
}

}  // namespace quillet::skin::win32
