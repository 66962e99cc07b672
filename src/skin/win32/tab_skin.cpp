#include "skin/win32/tab_skin.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/ctl/tab_kinds.h"
#include "skin/skin_messages.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/skin_data.h"
#include "ui/comctrls.h"

namespace quillet::skin::win32 {

namespace {

constexpr int kMaxTabText = 80;
// The room a tab leaves around its text, the control's own and with a close box beside the text.
constexpr int kPaddingX = 6, kPaddingY = 3, kCloseBoxPaddingX = kPaddingX + 8;

Bitmap32 CopyOf(BitmapView v) {
  Bitmap32 b(v.width, v.height);
  for (int y = 0; y < v.height; ++y) std::copy(v.Row(y), v.Row(y) + v.width, b.Row(y));
  return b;
}

void Put(BitmapView v, const Bitmap32& b) {
  const int w = std::min(v.width, b.Width()), h = std::min(v.height, b.Height());
  for (int y = 0; y < h; ++y) std::copy(b.Row(y), b.Row(y) + w, v.Row(y));
}

void SetPadding(HWND tab, int x) {
  SendMessageA(tab, TCM_SETPADDING, 0, MAKELPARAM(x, kPaddingY));
  // The same font again has the control measure its tabs anew.
  SendMessageA(tab, WM_SETFONT, static_cast<WPARAM>(SendMessageA(tab, WM_GETFONT, 0, 0)), TRUE);
}

}  // namespace

void TSkinTab::Attached() {
  Prepare();
  scroller_.Attach(hwnd_, *data_, *form_skin_);
}

void TSkinTab::Refresh() {
  Prepare();
  TSkinControl::Refresh();
}

void TSkinTab::Prepare() {
  if (!data_ || !hwnd_) return;
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  const TabOrientation o = TabOrientationFromStyle(style);
  images_ = PrepareTabImages(Elements(), o, ControlSystem());
  ui::TWinControl* c = Control();
  const bool pageControl = c && dynamic_cast<ui::TPageControl*>(c);
  const auto ownerTag = c && c->Owner() ? static_cast<int>(c->Owner()->Tag()) : 0;
  close_boxes_ = TabHasCloseBoxes(pageControl, ownerTag, o);
  if (close_boxes_ != padded_) {
    padded_ = close_boxes_;
    SetPadding(hwnd_, padded_ ? kCloseBoxPaddingX : kPaddingX);
  }
}

void TSkinTab::Detach(bool windowGoing) {
  if (padded_ && !windowGoing && IsWindow(hwnd_)) SetPadding(hwnd_, kPaddingX);
  padded_ = false;
  TSkinControl::Detach(windowGoing);
}

TabStripPaint TSkinTab::Plan() {
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  if (TabOrientationFromStyle(style) != images_.orientation) Prepare();
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  TabStripInput in;
  in.width = cr.right;
  in.height = cr.bottom;
  RECT adjusted = cr;
  SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
  in.adjusted = FromRECT(adjusted);
  const int count = static_cast<int>(SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT ir{};
    SendMessageA(hwnd_, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ir));
    in.items.push_back(FromRECT(ir));
  }
  in.focused = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURFOCUS, 0, 0));
  in.hot = hot_ < count ? hot_ : -1;
  in.enabled = Enabled();
  in.closeBoxes = close_boxes_;
  if (const auto il = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd_, TCM_GETIMAGELIST, 0, 0)))
    ImageList_GetIconSize(il, &in.imageWidth, &in.imageHeight);
  AdjustInput(in);
  return PlanTabStrip(in, images_);
}

std::wstring TSkinTab::ItemText(int index, int& image) const {
  // The tab control keeps its items' texts in either form; the wide one loses nothing.
  wchar_t buf[kMaxTabText + 1] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = buf;
  item.cchTextMax = kMaxTabText + 1;
  image = -1;
  if (!SendMessageW(hwnd_, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
  std::wstring text(item.pszText ? item.pszText : L"");
  image = item.iImage;
  if (text.size() > kMaxTabText) text.resize(kMaxTabText);
  return text;
}

void TSkinTab::DrawItems(HDC dc, const TabStripPaint& p, POINT origin) {
  const auto il = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd_, TCM_GETIMAGELIST, 0, 0));
  const ui::gdi::Select font(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  for (const TabItemPaint& t : p.items) {
    int image = -1;
    const std::wstring text = ItemText(t.index, image);
    if (il && image >= 0 && !IsEmpty(t.image))
      ImageList_Draw(il, image, dc, t.image.left + origin.x, t.image.top + origin.y, ILD_TRANSPARENT);
    if (text.empty()) continue;
    RECT r = ToRECT(Offset(t.text, origin.x, origin.y));
    SetTextColor(dc, t.textColor);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  }
}

void TSkinTab::PaintClient(HDC dc, const RECT& update) {
  const TabStripPaint p = Plan();
  last_ = p;
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  if (!canvas_.Resize(cr.right, cr.bottom)) return;
  const ColorRef background = ParentFaceColor();
  RECT display = ToRECT(p.display), hit{};
  const bool pane = IntersectRect(&hit, &display, &update) != FALSE;
  if (pane) FillSolid(canvas_.View(), {0, 0, cr.right, cr.bottom}, background);

  const bool turned = p.orientation == TabOrientation::Left || p.orientation == TabOrientation::Right;
  if (!IsEmpty(p.strip) && !turned) {
    DrawStrip(SubView(canvas_.View(), p.strip), p, background);
    DrawItems(canvas_.Dc(), p, {p.strip.left, p.strip.top});
  } else if (!IsEmpty(p.strip) && turn_canvas_.Resize(p.width, p.height)) {
    DrawStrip(turn_canvas_.View(), p, background);
    DrawItems(turn_canvas_.Dc(), p, {0, 0});
    Put(SubView(canvas_.View(), p.strip), TurnTabStrip(CopyOf(turn_canvas_.View()), p.orientation));
  }
  if (pane) DrawPane(canvas_.View(), p);

  {
    const ui::gdi::SavedState saved(dc);
    // A visible scroller stays uncovered; tab controls of other programs may not clip it.
    if (const HWND scroller = scroller_.Window(); scroller && IsWindowVisible(scroller)) {
      RECT sr{};
      GetWindowRect(scroller, &sr);
      MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&sr), 2);
      ExcludeClipRect(dc, sr.left, sr.top, sr.right, sr.bottom);
    }
    if (pane) {
      canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, 0, 0);
    } else {
      canvas_.CopyTo(dc, p.strip.left, p.strip.top, p.strip.Width(), p.strip.Height(), p.strip.left, p.strip.top);
    }
  }
  if (pane) PaintGraphicChildren(dc);
}

void TSkinTab::DrawStrip(BitmapView composition, const TabStripPaint& p, ColorRef background) {
  DrawTabStrip(composition, p, images_, background);
}

void TSkinTab::DrawPane(BitmapView client, const TabStripPaint& p) { DrawTabPane(client, p, images_); }

void TSkinTabBtn::DrawStrip(BitmapView composition, const TabStripPaint& p, ColorRef background) {
  if (!DrawTabButtons(composition, p, Elements(), background)) TSkinTab::DrawStrip(composition, p, background);
}

void TSkinTab31::AdjustInput(TabStripInput& in) { in.adjusted = TabSetAdjusted(in.width, in.items); }

void TSkinAdvPage::DrawPane(BitmapView client, const TabStripPaint& p) {
  DrawAdvPane(client, p, Images(), Elements());
}

void TSkinTab::Paint(HDC dc, const RECT&) {
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  PaintClient(dc, cr);
}

bool TSkinTab::BeforeMessage(ui::Message& m) {
  if (scroller_.Take(m, hwnd_, *data_, *form_skin_)) return false;
  switch (m.msg) {
    case WM_PAINT: {
      scroller_.Notice(hwnd_);
      if (m.wparam) {
        Paint(reinterpret_cast<HDC>(m.wparam), {});
      } else {
        if (const ui::gdi::PaintDC dc(hwnd_); dc) PaintClient(dc, dc.UpdateRect());
      }
      m.result = 0;
      return false;
    }
    case WM_PRINTCLIENT:
      if (m.wparam) Paint(reinterpret_cast<HDC>(m.wparam), {});
      m.result = 0;
      return false;
    case WM_ERASEBKGND:
      // The paint covers the whole client area.
      m.result = 1;
      return false;
    case WM_LBUTTONDOWN:
      if (close_boxes_) {
        const int index = TabCloseBoxAt(last_, {static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))});
        if (index >= 0) {
          m.result = 0;
          CloseRequest(index);
          return false;
        }
      }
      return true;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinTab::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_MOUSEMOVE: {
      TCHITTESTINFO hit{};
      hit.pt = {static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
      const int index = Enabled() ? static_cast<int>(SendMessageA(hwnd_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) : -1;
      if (index >= 0) TrackLeave();
      SetHot(index);
      break;
    }
    case WM_MOUSELEAVE:
    case ui::QM_MOUSELEAVE:
      SetHot(-1);
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinTab::SetHot(int index) {
  if (index == hot_) return;
  hot_ = index;
  const RECT strip = ToRECT(last_.strip);
  InvalidateRect(hwnd_, &strip, FALSE);
}

void TSkinTab::CloseRequest(int index) {
  const HWND tab = hwnd_;
  const LRESULT keep = SendMessageA(form_skin_->Hwnd(), SKINMSG_CLOSETAB, reinterpret_cast<WPARAM>(tab),
                                    static_cast<LPARAM>(index));
  if (keep || !IsWindow(tab)) return;
  auto* pages = dynamic_cast<ui::TPageControl*>(Control());
  if (!pages) return;
  // The toolkit has no way to free one page on its own: the page is taken out of the control
  // and goes with its owner.
  int shown = 0;
  for (int i = 0; i < pages->PageCount(); ++i) {
    ui::TTabSheet* sheet = pages->Page(i);
    if (!sheet->TabVisible()) continue;
    if (shown++ == index) {
      sheet->SetTabVisible(false);
      break;
    }
  }
}

}  // namespace quillet::skin::win32
