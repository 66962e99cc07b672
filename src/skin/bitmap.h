// A portable 32-bit bitmap: top-down rows of 0x00RRGGBB pixels, the layout of a 32-bit
// DIB section, so the painters can draw straight into one on Windows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace quillet::skin {

// Colours in the system's colour order (red in the low byte), as the skin's INI text and the
// colour table hold them.
using base::ColorRef;
// Pixels as they lie in a 32-bit DIB (blue in the low byte).
using Pixel = std::uint32_t;

constexpr Pixel kMagenta = 0xFF00FF;  // the transparent colour of every skin bitmap

constexpr Pixel PixelFromColorRef(ColorRef c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr ColorRef ColorRefFromPixel(Pixel p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}
constexpr Pixel Rgb(int r, int g, int b) {
  return (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
         static_cast<Pixel>(b & 0xFF);
}

using base::Rect;

// A non-owning view on pixels; stride counts pixels.
struct BitmapView {
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

class Bitmap32 {
 public:
  Bitmap32() = default;
  Bitmap32(int width, int height, Pixel fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  void Clear() { *this = Bitmap32(); }

  Pixel At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Pixel p) { pixels_[Index(x, y)] = p; }
  // Writes only inside the bitmap; the drawing code in the skin maker relies on the clipping.
  void Put(int x, int y, Pixel p) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = p;
  }
  void Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }
  void FillRect(const Rect& r, Pixel p);

  Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  BitmapView View() { return {pixels_.data(), width_, height_, width_}; }
  const std::vector<Pixel>& Pixels() const { return pixels_; }

  Bitmap32 Crop(const Rect& r) const;         // parts outside the bitmap come out black
  Bitmap32 MirroredLeftRight() const;
  Bitmap32 FlippedTopBottom() const;
  Bitmap32 Transposed() const;  // rows become columns
  void Blit(const Bitmap32& src, int dx, int dy);  // clipped plain copy

  bool operator==(const Bitmap32&) const = default;

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// Reads a device-independent bitmap file ("BM" header). Takes 1, 4, 8, 16, 24 and 32 bits per
// pixel, uncompressed or with bit fields, bottom-up or top-down. Anything else, or any size
// that does not fit the bytes given, gives false and leaves `out` empty.
bool ReadBmp(const std::uint8_t* data, std::size_t size, Bitmap32& out, std::string* error = nullptr);
inline bool ReadBmp(const std::vector<std::uint8_t>& data, Bitmap32& out, std::string* error = nullptr) {
  return ReadBmp(data.data(), data.size(), out, error);
}

// Writes a 24-bit bottom-up bitmap file.
std::vector<std::uint8_t> WriteBmp(const Bitmap32& bmp);

// The largest bitmap the reader accepts, in pixels; a skin bitmap is a few thousand.
constexpr std::int64_t kMaxBmpPixels = 16 * 1024 * 1024;

}  // namespace quillet::skin
