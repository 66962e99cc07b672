#include "skin/win32/header_skin.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "skin/ctl/header.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

int TSkinHeader::SectionAt(LPARAM lp) const {
  HDHITTESTINFO hit{};
  hit.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  const int i = static_cast<int>(SendMessageA(hwnd_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & HHT_ONHEADER) ? i : -1;
}

void TSkinHeader::SetHot(int section) {
  if (section == hot_) return;
  if (hot_ < 0) TrackLeave();
  hot_ = section;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TSkinHeader::Paint(HDC dc, const RECT&) {
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  if (cr.right <= 0 || cr.bottom <= 0 || !canvas_.Resize(cr.right, cr.bottom)) return;
  const TSkinElements& s = Elements();
  const Palette palette = ControlPalette(s);

  HeaderInput in;
  in.width = cr.right;
  in.height = cr.bottom;
  in.enabled = Enabled();
  struct Title {
    std::wstring text;
    int format = 0;
  };
  const int n = static_cast<int>(SendMessageW(hwnd_, HDM_GETITEMCOUNT, 0, 0));
  std::vector<int> order(static_cast<std::size_t>(n > 0 ? n : 0));
  if (n > 0 && !SendMessageW(hwnd_, HDM_GETORDERARRAY, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(order.data())))
    for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
  std::vector<Title> titles;
  for (int index : order) {
    RECT r{};
    SendMessageW(hwnd_, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(hwnd_, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    HeaderSection sec;
    sec.r = FromRECT(r);
    sec.hot = index == hot_;
    sec.pressed = index == pressed_;
    sec.sort = (item.fmt & HDF_SORTUP) ? HeaderSort::Up : (item.fmt & HDF_SORTDOWN) ? HeaderSort::Down : HeaderSort::None;
    in.sections.push_back(sec);
    titles.push_back({(item.fmt & HDF_OWNERDRAW) ? std::wstring() : std::wstring(text), item.fmt});
  }
  DrawHeader(canvas_.View(), in, s, palette);

  HDC cdc = canvas_.Dc();
  const ui::gdi::Select font(cdc, Font());
  for (std::size_t i = 0; i < in.sections.size(); ++i) {
    if (titles[i].text.empty()) continue;
    const int justify = titles[i].format & HDF_JUSTIFYMASK;
    const UINT align = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
    DrawTextIn(cdc, titles[i].text, HeaderTextRect(in.sections[i], s),
               align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX, HeaderTextColor(in.enabled, palette));
  }
  canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, 0, 0);
}

bool TSkinHeader::BeforeMessage(ui::Message& m) {
  if (Dead()) return TSkinControl::BeforeMessage(m);
  if (AnswerPaintMessage(*this, m)) return false;
  switch (m.msg) {
    case WM_LBUTTONDOWN:
      // Only sections that act as buttons look pressed; a press on a divider sizes a column.
      pressed_ = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & HDS_BUTTONS) ? SectionAt(m.lparam) : -1;
      if (pressed_ >= 0) InvalidateRect(hwnd_, nullptr, FALSE);
      return true;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinHeader::AfterMessage(ui::Message& m) {
  if (Dead()) return TSkinControl::AfterMessage(m);
  switch (m.msg) {
    case WM_MOUSEMOVE:
      SetHot(SectionAt(m.lparam));
      break;
    case WM_MOUSELEAVE:
      SetHot(-1);
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (pressed_ >= 0) {
        pressed_ = -1;
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

}  // namespace quillet::skin::win32
