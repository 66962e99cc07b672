#include "dialogs/artwork.h"

namespace quillet::dialogs {

namespace {
HBITMAP MakeBitmap(HDC screen, int w, int h) { return CreateCompatibleBitmap(screen, w, h); }
}  // namespace

HBITMAP MakeDonateBitmap() {
  const int w = 62, h = 31;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = MakeBitmap(screen, w, h);
  HGDIOBJ old_bmp = SelectObject(dc, bmp);
  // The corners take the bottom-left pixel's colour, which a transparent picture lets through.
  RECT all{0, 0, w, h};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  // A calm accent pill with a lighter top half.
  HBRUSH fill = CreateSolidBrush(RGB(47, 111, 179));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(31, 78, 130));
  HGDIOBJ old_brush = SelectObject(dc, fill);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  RoundRect(dc, 1, 2, w - 1, h - 2, 12, 12);
  HBRUSH light = CreateSolidBrush(RGB(86, 143, 204));
  HPEN none = CreatePen(PS_NULL, 0, 0);
  SelectObject(dc, light);
  SelectObject(dc, none);
  RoundRect(dc, 3, 4, w - 3, h / 2 + 1, 8, 8);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(fill);
  DeleteObject(pen);
  DeleteObject(light);
  DeleteObject(none);
  LOGFONTA lf{};
  lf.lfHeight = -12;
  lf.lfWeight = FW_BOLD;
  lstrcpyA(lf.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text{0, 1, w, h};
  DrawTextA(dc, "Donate", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
  DeleteObject(font);
  SelectObject(dc, old_bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bmp;
}

HBITMAP MakeSolidBitmap(COLORREF color) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = MakeBitmap(screen, 1, 1);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  SetPixel(dc, 0, 0, color);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bmp;
}

HICON LoadProgramIcon(int size) {
  if (size == 0) size = GetSystemMetrics(SM_CXICON);
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace quillet::dialogs
