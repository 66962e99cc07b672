#include "skin/win32/progress_skin.h"

#include <commctrl.h>

#include "skin/ctl/progress.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

bool TSkinProgress::CanPaint() const { return data_ && Elements().Progress.HasBitmap(); }

bool TSkinProgress::BeforeMessage(ui::Message& m) {
  if (CanPaint() && AnswerPaintMessage(*this, m, /*withFrame=*/true)) return false;
  return TSkinControl::BeforeMessage(m);
}

void TSkinProgress::Paint(HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!CanPaint() || w <= 0 || h <= 0 || !canvas_.Resize(w, h)) return;
  const auto style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  PBRANGE range{};
  SendMessageA(hwnd_, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  ProgressInput in;
  in.width = w;
  in.height = h;
  in.vertical = style & PBS_VERTICAL;
  in.smooth = style & PBS_SMOOTH;
  in.min = range.iLow;
  in.max = range.iHigh;
  in.pos = static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0));
  BitmapView v = canvas_.View();
  FillSolid(v, {0, 0, w, h}, ParentFaceColor());
  DrawProgress(v, in, PlanProgress(in), Elements(), data_->Color(slot::Hilight));
  canvas_.CopyTo(dc, r.left, r.top, w, h, 0, 0);
}

}  // namespace quillet::skin::win32
