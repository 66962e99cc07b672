#include "ui/buttons.h"

#include <algorithm>

#include "ui/popup_menu.h"

namespace quillet::ui {

namespace {

const char* LayoutName(GlyphLayout l) {
  switch (l) {
    case GlyphLayout::Right: return "blGlyphRight";
    case GlyphLayout::Top: return "blGlyphTop";
    case GlyphLayout::Bottom: return "blGlyphBottom";
    default: return "blGlyphLeft";
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Glyph

void TGlyph::Set(HBITMAP bitmap, int numGlyphs) {
  bitmap_.Reset(bitmap);
  count_ = std::clamp(numGlyphs, 1, 4);
}

void TGlyph::Publish(PropertyTable& props) {
  props.Publish("Glyph", [this] { return PropValue::OfHandle(reinterpret_cast<std::intptr_t>(bitmap_.Get())); });
  props.Publish("NumGlyphs", [this] { return PropValue::OfInt(count_); });
  props.Publish("Layout", [this] { return PropValue::OfEnum(LayoutName(layout)); });
  props.Publish("Spacing", [this] { return PropValue::OfInt(spacing); });
  props.Publish("Margin", [this] { return PropValue::OfInt(margin); });
}

void TGlyph::Draw(HDC dc, RECT r, const std::string& caption, HFONT font, bool enabled) const {
  gdi::Select selected(dc, font);
  RECT tr{0, 0, 0, 0};
  if (!caption.empty()) DrawTextA(dc, caption.c_str(), -1, &tr, DT_CALCRECT | DT_SINGLELINE);
  BITMAP bm{};
  const bool picture = bitmap_ && GetObjectA(bitmap_.Get(), sizeof bm, &bm);
  const int gw = picture ? bm.bmWidth / count_ : 0, gh = picture ? bm.bmHeight : 0;
  const base::GlyphPlacement at = base::PlaceGlyph(FromRECT(r), gw, gh, tr.right, tr.bottom, layout, spacing, margin);
  if (picture) {
    gdi::MemoryDC mem(dc);
    mem.Select(bitmap_.Get());
    const int image = !enabled && count_ >= 2 ? 1 : 0;
    gdi::CopyKeyed(dc, at.glyph.left, at.glyph.top, gw, gh, mem, image * gw, gw, gh);
  }
  if (caption.empty()) return;
  RECT text = ToRECT(at.text);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_NOCLIP);
}

// ---------------------------------------------------------------------------------------------
// Glyph button

TBitBtn::TBitBtn(TComponent* owner, std::string name) : TButton(owner, std::move(name)) { glyph_.Publish(props_); }

void TBitBtn::MakeCreateParams(CreateParams& p) {
  TButton::MakeCreateParams(p);
  p.style = (p.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::DrawContent(HDC dc, RECT r, bool enabled) { glyph_.Draw(dc, r, caption_, DrawingFont(), enabled); }

void TBitBtn::WndProc(Message& m) {
  switch (m.msg) {
    case BM_SETSTYLE:
      // Being the default button changes how it is drawn, not what kind of button it is.
      m.wparam = (m.wparam & ~static_cast<std::uintptr_t>(BS_TYPEMASK)) | BS_OWNERDRAW;
      break;
    case QM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lparam);
      RECT r = dis->rcItem;
      const bool down = dis->itemState & ODS_SELECTED;
      if (Default() || (dis->itemState & ODS_FOCUS)) {
        FrameRect(dis->hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
      }
      DrawFrameControl(dis->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
      constexpr int kFrameWidth = 3;  // the push frame DrawFrameControl draws
      RECT content = r;
      InflateRect(&content, -kFrameWidth, -kFrameWidth);
      if (down) OffsetRect(&content, 1, 1);
      DrawContent(dis->hDC, content, !(dis->itemState & ODS_DISABLED));
      if (dis->itemState & ODS_FOCUS) DrawFocusRect(dis->hDC, &content);
      m.result = TRUE;
      return;
    }
    default:
      break;
  }
  TButton::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Menu button

TMenuButton::TMenuButton(TComponent* owner, std::string name) : TBitBtn(owner, std::move(name)) {}

void TMenuButton::Click() {
  if (!menu_ || !hwnd_) return TBitBtn::Click();
  RECT r{};
  GetWindowRect(hwnd_, &r);
  menu_->Popup(r.left, r.bottom);
}

void TMenuButton::DrawContent(HDC dc, RECT r, bool enabled) {
  RECT arrow = r;
  arrow.left = std::max(r.left, r.right - Scaled(12));
  r.right = arrow.left;
  TBitBtn::DrawContent(dc, r, enabled);
  const int cx = (arrow.left + arrow.right) / 2, cy = (arrow.top + arrow.bottom) / 2;
  const HBRUSH ink = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  // A small triangle pointing down, one row narrower on each side per row.
  const int rows = Scaled(3);
  for (int i = 0; i < rows; ++i) {
    RECT line{cx - rows + i, cy - 1 + i, cx + rows + 1 - i, cy + i};
    FillRect(dc, &line, ink);
  }
}

// ---------------------------------------------------------------------------------------------
// Speed button

TSpeedButton::TSpeedButton(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  parent_color_ = true;
  glyph_.Publish(props_);
  PublishFlag(props_, "Flat", flat_, [this](bool b) { SetFlat(b); });
  PublishFlag(props_, "Down", down_, [this](bool b) { SetDown(b); });
  PublishFlag(props_, "Pressed", pressed_);
}

void TSpeedButton::SetFlat(bool f) {
  flat_ = f;
  Invalidate();
}

void TSpeedButton::SetDown(bool d) {
  if (d && group_ && parent_)
    for (TControl* c : parent_->Controls())
      if (auto* other = dynamic_cast<TSpeedButton*>(c); other && other != this && other->group_ == group_ && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
  down_ = d;
  Invalidate();
}

void TSpeedButton::Click() {
  // Clicking a grouped button that is down leaves it down; another of its group takes it up.
  if (group_ && !down_) SetDown(true);
  TControl::Click();
}

void TSpeedButton::WndProc(Message& m) {
  switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Enabled()) {
        pressed_ = true;
        SetCapture(hwnd_);
        Invalidate();
      }
      break;
    case WM_MOUSEMOVE:
      if (!hot_ && Enabled()) {
        hot_ = true;
        Invalidate();
      }
      break;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        ReleaseCapture();
        Invalidate();
        RECT r{};
        GetClientRect(hwnd_, &r);
        const POINT p{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
        if (PtInRect(&r, p)) Click();
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (pressed_ && reinterpret_cast<HWND>(m.lparam) != hwnd_) {
        pressed_ = false;
        Invalidate();
      }
      break;
    case QM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TSpeedButton::PaintWindow(HDC dc) {
  RECT r{};
  GetClientRect(hwnd_, &r);
  const bool sunk = pressed_ || down_;
  if (sunk) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (!flat_ || hot_) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  InflateRect(&r, -2, -2);
  if (sunk) OffsetRect(&r, 1, 1);
  glyph_.Draw(dc, r, caption_, DrawingFont(), Enabled());
  PaintControls(dc);
}

// ---------------------------------------------------------------------------------------------
// Tool bar

TToolBar::TToolBar(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  PublishFlag(props_, "Flat", flat_, [this](bool b) { SetFlat(b); });
}

TSpeedButton& TToolBar::AddButton(std::string name, const std::string& caption, int width) {
  TComponent& owner = Owner() ? *Owner() : *this;
  const int w = width > 0 ? width : button_w_;
  TSpeedButton& b = Make<TSpeedButton>(owner, this, std::move(name), {next_x_, 2, w, button_h_});
  b.SetCaption(caption);
  b.SetFlat(flat_);
  next_x_ += w;
  return b;
}

void TToolBar::SetFlat(bool f) {
  flat_ = f;
  for (TControl* c : Controls())
    if (auto* b = dynamic_cast<TSpeedButton*>(c)) b->SetFlat(f);
}

void TToolBar::PaintWindow(HDC dc) {
  RECT r{};
  GetClientRect(hwnd_, &r);
  r.top = r.bottom - 2;
  DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
  PaintControls(dc);
}

}  // namespace quillet::ui
