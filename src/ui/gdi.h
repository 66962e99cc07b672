#pragma once
// Owners for GDI handles and scoped device-context changes. Everything that draws holds its
// objects, DCs and selections through these, so an error thrown half-way through a paint leaves
// nothing behind and every selection is undone before its object goes.
// Also the keyed copy the toolkit's pictures are drawn with.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace quillet::ui::gdi {

// An owned handle, freed by Free when the owner goes.
template <class Handle, class Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.h_, nullptr));
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }

  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // Hands the handle on; the caller frees it.
  Handle Release() { return std::exchange(h_, nullptr); }
  void Reset(Handle h = nullptr) {
    if (h_ && h_ != h) Free{}(h_);
    h_ = h;
  }

 private:
  Handle h_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DestroyIconHandle {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct DestroyImageListHandle {
  void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};

// An owned GDI object (font, brush, pen, bitmap).
template <class Handle>
using Object = Owned<Handle, DeleteGdiObject>;
using Font = Object<HFONT>;
using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Bitmap = Object<HBITMAP>;
// A region; one handed to SetWindowRgn is the system's once the call succeeds (Release it then).
using Region = Object<HRGN>;
// An icon or cursor the program made (not a shared one).
using Icon = Owned<HICON, DestroyIconHandle>;
using ImageList = Owned<HIMAGELIST, DestroyImageListHandle>;

// Selects an object into a DC and puts the previous one back.
class Select {
 public:
  Select(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  Select(const Select&) = delete;
  Select& operator=(const Select&) = delete;
  ~Select() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the whole state of a DC (selections, clipping, colours, modes) and restores it.
class SavedState {
 public:
  explicit SavedState(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;
  ~SavedState() {
    if (id_) RestoreDC(dc_, id_);
  }

 private:
  HDC dc_;
  int id_;
};

// A DC of a window, taken by Acquire and given back with ReleaseDC.
template <class Acquire>
class ReleasedDC {
 public:
  explicit ReleasedDC(HWND hwnd) : hwnd_(hwnd), dc_(Acquire{}(hwnd)) {}
  ReleasedDC(const ReleasedDC&) = delete;
  ReleasedDC& operator=(const ReleasedDC&) = delete;
  ~ReleasedDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

struct AcquireClientDC {
  HDC operator()(HWND hwnd) const { return GetDC(hwnd); }
};
struct AcquireWholeWindowDC {
  HDC operator()(HWND hwnd) const { return GetWindowDC(hwnd); }
};

// GetDC / ReleaseDC: a window's client-area DC, or the screen's for a null window.
using ClientDC = ReleasedDC<AcquireClientDC>;
// GetWindowDC / ReleaseDC: the DC of the whole window, its frame included.
using WholeWindowDC = ReleasedDC<AcquireWholeWindowDC>;

// The screen's DC, for measuring and for bitmaps like the screen's.
class ScreenDC : public ClientDC {
 public:
  ScreenDC() : ClientDC(nullptr) {}
};

// BeginPaint / EndPaint. EndPaint runs whatever happens while painting, so the window's update
// region is always validated and a failing paint is not asked for again and again.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(hwnd_, &ps_); }
  HDC Get() const { return dc_; }
  // The part of the client area that needs painting.
  const RECT& UpdateRect() const { return ps_.rcPaint; }
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A memory DC compatible with another DC (the screen's by default), deleted when it goes. A bitmap
// selected into it through Select() is put back out before the DC is deleted.
class MemoryDC {
 public:
  explicit MemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (!dc_) return;
    if (original_) SelectObject(dc_, original_);
    DeleteDC(dc_);
  }

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }
  // Selects a bitmap for the DC's life (or until the next one); the DC never owns it.
  void Select(HBITMAP bitmap) {
    HGDIOBJ old = SelectObject(dc_, bitmap);
    if (!original_) original_ = old;
  }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

// Copies columns [sx, sx + sw) of a bitmap `sh` pixels high, selected into `src`, onto the
// rectangle (x, y, w, h) of `dst`, leaving out the colour of the bitmap's bottom-left pixel.
inline void CopyKeyed(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sw, int sh) {
  GdiTransparentBlt(dst, x, y, w, h, src, sx, 0, sw, sh, GetPixel(src, 0, sh - 1));
}

}  // namespace quillet::ui::gdi
