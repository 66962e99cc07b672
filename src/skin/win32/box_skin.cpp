#include "skin/win32/box_skin.h"

#include <algorithm>

#include "skin/ctl/box.h"
#include "skin/painter.h"
#include "skin/win32/skin_data.h"
#include "ui/gdi.h"

namespace quillet::skin::win32 {

void TSkinBox::PaintBar(HDC dc) {
  RECT r{};
  GetClientRect(hwnd_, &r);
  const TDataSkinObject* back = ToolbarBackground(Elements(), data_->Options);
  if (!back || !canvas_.Resize(r.right, r.bottom)) return FillFace(dc, r);
  DrawElement(canvas_.View(), {0, 0, r.right, r.bottom}, *back, 1, std::max(1, back->Frame));
  canvas_.CopyTo(dc, 0, 0, r.right, r.bottom, 0, 0);
}

bool TSkinBox::BeforeMessage(ui::Message& m) {
  if (!toolbar_) return TSkinControl::BeforeMessage(m);
  switch (m.msg) {
    case WM_ERASEBKGND:
      PaintBar(reinterpret_cast<HDC>(m.wparam));
      m.result = 1;
      return false;
    case WM_PRINTCLIENT:
      PaintBar(reinterpret_cast<HDC>(m.wparam));
      PaintGraphicChildren(reinterpret_cast<HDC>(m.wparam));
      m.result = 0;
      return false;
    case WM_PAINT: {
      if (const ui::gdi::PaintDC dc(hwnd_); dc) PaintGraphicChildren(dc);
      m.result = 0;
      return false;
    }
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

bool TSkinBoxH::BeforeMessage(ui::Message& m) {
  if (m.msg == WM_ERASEBKGND && m.wparam) {
    RECT r{};
    GetClientRect(hwnd_, &r);
    FillFace(reinterpret_cast<HDC>(m.wparam), r);
    m.result = 0;
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinBoxH::AfterMessage(ui::Message& m) {
  if (m.msg == WM_CTLCOLORSTATIC) {
    SetBkMode(reinterpret_cast<HDC>(m.wparam), TRANSPARENT);
    m.result = reinterpret_cast<std::intptr_t>(data_->FaceBrush());
    return;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinTabSheet::PaintSheet(HDC dc) {
  RECT r{};
  GetClientRect(hwnd_, &r);
  FillFace(dc, r);
  PaintGraphicChildren(dc);
}

bool TSkinTabSheet::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_PAINT: {
      if (m.wparam) {
        PaintSheet(reinterpret_cast<HDC>(m.wparam));
      } else if (const ui::gdi::PaintDC dc(hwnd_); dc) {
        PaintSheet(dc);
      }
      m.result = 0;
      return false;
    }
    case WM_PRINTCLIENT:
      PaintSheet(reinterpret_cast<HDC>(m.wparam));
      m.result = 0;
      return false;
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(hwnd_, &r);
      FillFace(reinterpret_cast<HDC>(m.wparam), r);
      m.result = 1;
      return false;
    }
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

}  // namespace quillet::skin::win32
