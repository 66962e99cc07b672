#include "skin/win32/edit_skin.h"

#include "skin/ctl/edit.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

// Copies the outer `thick` pixels of a w x h canvas, placed at (x, y) in the device context.
void CopyRing(const Canvas& c, HDC dc, int x, int y, int w, int h, int thick) {
  c.CopyTo(dc, x, y, w, thick, 0, 0);
  c.CopyTo(dc, x, y + h - thick, w, thick, 0, h - thick);
  c.CopyTo(dc, x, y + thick, thick, h - 2 * thick, 0, thick);
  c.CopyTo(dc, x + w - thick, y + thick, thick, h - 2 * thick, w - thick, thick);
}

bool IsDeviceContext(std::uintptr_t h) {
  const DWORD type = h ? GetObjectType(reinterpret_cast<HGDIOBJ>(h)) : 0;
  return type == OBJ_DC || type == OBJ_MEMDC;
}

}  // namespace

bool TSkinEdit::BeforeMessage(ui::Message& m) {
  if (updown_.Take(m, hwnd_, *data_, *form_skin_)) return false;
  if (m.msg == kPaintIntoMessage && m.lparam == kPaintIntoKey) {
    if (IsDeviceContext(m.wparam)) {
      ui::Message paint{WM_PAINT, m.wparam, 0, 0};
      PassOn(paint);
    }
    m.result = kPaintIntoKey;
    return false;
  }
  if (m.msg == WM_PRINTCLIENT && IsDeviceContext(m.wparam)) {
    // The edit leaves its text area as the clipping of the device context it printed into.
    const auto dc = reinterpret_cast<HDC>(m.wparam);
    {
      const ui::gdi::SavedState saved(dc);
      PassOn(m);
    }
    PrintBorder(dc);
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_NCPAINT:
      // The system has just drawn its sunken border again; a paint to come draws ours anyway.
      if (!GetUpdateRect(hwnd_, nullptr, FALSE)) PaintFrame(nullptr);
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinEdit::Paint(HDC dc, const RECT& r) {
  if (data_->SkinControls.Has(xcSpin)) updown_.Notice(hwnd_);
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!EditHasBorder(w, h, cr.right, cr.bottom) || !canvas_.Resize(w, h)) return;
  DrawEditBorder(canvas_.View(), ControlPalette(Elements()));
  CopyRing(canvas_, dc, 0, 0, w, h, kEditBorderWidth);
}

void TSkinEdit::PrintBorder(HDC dc) {
  RECT wr{}, cr{};
  GetWindowRect(hwnd_, &wr);
  GetClientRect(hwnd_, &cr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (!EditPrintsBorder(w, h, cr.right, cr.bottom) || !canvas_.Resize(w, h)) return;
  LOGBRUSH brush{};
  GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof brush, &brush);
  DrawEditPrintBorder(canvas_.View(), ControlPalette(Elements()), brush.lbColor & base::kRgbMask);
  CopyRing(canvas_, dc, 0, 0, w, h, kEditPrintBorderWidth);
}

}  // namespace quillet::skin::win32
