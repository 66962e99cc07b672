#include "dialogs/artwork.h"

#include "base/dpi.h"
#include "ui/gdi.h"

namespace quillet::dialogs {

using namespace quillet::ui;

HBITMAP MakeDonateBitmap(int dpi) {
  const auto px = [dpi](int length) { return base::ScaleToDpi(length, dpi); };
  const int w = px(62), h = px(31);
  gdi::ScreenDC screen;
  gdi::Bitmap bmp(CreateCompatibleBitmap(screen, w, h));
  {
    gdi::MemoryDC dc(screen);
    dc.Select(bmp.Get());
    // The corners take the bottom-left pixel's colour, which a transparent picture lets through.
    RECT all{0, 0, w, h};
    gdi::Brush magenta(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(dc, &all, magenta.Get());
    // A calm accent pill with a lighter top half.
    gdi::Brush fill(CreateSolidBrush(RGB(47, 111, 179))), light(CreateSolidBrush(RGB(86, 143, 204)));
    gdi::Pen pen(CreatePen(PS_SOLID, px(1), RGB(31, 78, 130))), none(CreatePen(PS_NULL, 0, 0));
    {
      gdi::Select b(dc, fill.Get()), p(dc, pen.Get());
      RoundRect(dc, px(1), px(2), w - px(1), h - px(2), px(12), px(12));
    }
    {
      gdi::Select b(dc, light.Get()), p(dc, none.Get());
      RoundRect(dc, px(3), px(4), w - px(3), h / 2 + px(1), px(8), px(8));
    }
    LOGFONTA lf{};
    lf.lfHeight = -px(12);
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    gdi::Font font(CreateFontIndirectA(&lf));
    gdi::Select f(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT text{0, px(1), w, h};
    DrawTextA(dc, "Donate", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  return bmp.Release();
}

HBITMAP MakeSolidBitmap(COLORREF color) {
  gdi::ScreenDC screen;
  gdi::Bitmap bmp(CreateCompatibleBitmap(screen, 1, 1));
  {
    gdi::MemoryDC dc(screen);
    dc.Select(bmp.Get());
    SetPixel(dc, 0, 0, color);
  }
  return bmp.Release();
}

HICON LoadProgramIcon(int size) {
  if (size == 0) size = GetSystemMetrics(SM_CXICON);
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace quillet::dialogs
