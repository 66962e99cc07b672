#include "skin/bitmap.h"

#include <cstring>

namespace quillet::skin {

Bitmap32::Bitmap32(int width, int height, Pixel fill) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

void Bitmap32::FillRect(const Rect& r, Pixel p) {
  const int l = std::max(r.left, 0), t = std::max(r.top, 0);
  const int rr = std::min(r.right, width_), b = std::min(r.bottom, height_);
  for (int y = t; y < b; ++y) std::fill(Row(y) + l, Row(y) + std::max(l, rr), p);
}

Bitmap32 Bitmap32::Crop(const Rect& r) const {
  Bitmap32 out(r.Width(), r.Height());
  for (int y = 0; y < out.height_; ++y)
    for (int x = 0; x < out.width_; ++x) {
      const int sx = r.left + x, sy = r.top + y;
      if (sx >= 0 && sy >= 0 && sx < width_ && sy < height_) out.Set(x, y, At(sx, sy));
    }
  return out;
}

Bitmap32 Bitmap32::MirroredLeftRight() const {
  Bitmap32 out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, At(x, y));
  return out;
}

Bitmap32 Bitmap32::FlippedTopBottom() const {
  Bitmap32 out(width_, height_);
  for (int y = 0; y < height_; ++y) std::copy(Row(y), Row(y) + width_, out.Row(height_ - 1 - y));
  return out;
}

Bitmap32 Bitmap32::Transposed() const {
  Bitmap32 out(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(y, x, At(x, y));
  return out;
}

void Bitmap32::Blit(const Bitmap32& src, int dx, int dy) {
  for (int y = 0; y < src.height_; ++y)
    for (int x = 0; x < src.width_; ++x) Put(dx + x, dy + y, src.At(x, y));
}

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

// Position and width of the set bits of a channel mask, to scale a channel to 8 bits.
struct Channel {
  int shift = 0;
  int bits = 0;
  std::uint32_t mask = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  int Value(std::uint32_t px) const {
    if (!bits) return 0;
    const std::uint32_t v = (px & mask) >> shift;
    if (bits >= 8) return static_cast<int>(v >> (bits - 8));
    const std::uint32_t max = (1u << bits) - 1;
    return static_cast<int>((v * 255 + max / 2) / max);
  }
};

}  // namespace

bool ReadBmp(const std::uint8_t* data, std::size_t size, Bitmap32& out, std::string* error) {
  out.Clear();
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return Fail(error, "not a bitmap file");
  const std::uint32_t bitsOffset = Le32(data + 10);
  const std::uint32_t headerSize = Le32(data + 14);
  if (headerSize < 12 || headerSize > size - 14) return Fail(error, "bad header size");
  const std::uint8_t* h = data + 14;
  std::int64_t width, height;
  int bpp;
  std::uint32_t compression = 0, colorsUsed = 0;
  int paletteEntrySize = 4;
  if (headerSize == 12) {  // the old core header
    width = Le16(h + 4);
    height = static_cast<std::int16_t>(Le16(h + 6));
    bpp = Le16(h + 10);
    paletteEntrySize = 3;
  } else {
    if (headerSize < 40) return Fail(error, "bad header size");
    width = static_cast<std::int32_t>(Le32(h + 4));
    height = static_cast<std::int32_t>(Le32(h + 8));
    bpp = Le16(h + 14);
    compression = Le32(h + 16);
    colorsUsed = Le32(h + 32);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0) return Fail(error, "empty bitmap");
  if (width * height > kMaxBmpPixels) return Fail(error, "bitmap too large");

  std::uint32_t masks[3] = {0, 0, 0};
  std::size_t afterHeader = 14 + headerSize;
  if (compression == 3) {  // bit fields
    if (bpp != 16 && bpp != 32) return Fail(error, "bad bit fields");
    if (headerSize >= 52) {
      for (int i = 0; i < 3; ++i) masks[i] = Le32(h + 40 + 4 * i);
    } else {
      if (afterHeader + 12 > size) return Fail(error, "truncated bit fields");
      for (int i = 0; i < 3; ++i) masks[i] = Le32(data + afterHeader + 4 * i);
      afterHeader += 12;
    }
  } else if (compression != 0) {
    return Fail(error, "compressed bitmaps are not supported");
  } else if (bpp == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bpp == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  }

  std::vector<Pixel> palette;
  if (bpp == 1 || bpp == 4 || bpp == 8) {
    std::size_t count = colorsUsed ? colorsUsed : (1u << bpp);
    if (count > 256) count = 256;
    if (afterHeader + count * paletteEntrySize > size) return Fail(error, "truncated palette");
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* e = data + afterHeader + i * paletteEntrySize;
      palette.push_back(Rgb(e[2], e[1], e[0]));
    }
    palette.resize(1u << bpp, 0);  // indices past the table read as black
  } else if (bpp != 16 && bpp != 24 && bpp != 32) {
    return Fail(error, "unsupported bit depth");
  }

  const std::int64_t rowBytes = ((width * bpp + 31) / 32) * 4;
  if (bitsOffset > size || rowBytes * height > static_cast<std::int64_t>(size - bitsOffset))
    return Fail(error, "truncated pixel data");

  const Channel r(masks[0]), g(masks[1]), b(masks[2]);
  Bitmap32 bmp(static_cast<int>(width), static_cast<int>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data + bitsOffset + rowBytes * (topDown ? y : height - 1 - y);
    Pixel* dst = bmp.Row(y);
    for (int x = 0; x < width; ++x) {
      switch (bpp) {
        case 1: dst[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: dst[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
        case 8: dst[x] = palette[row[x]]; break;
        case 24: dst[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        case 16: {
          const std::uint32_t v = Le16(row + 2 * x);
          dst[x] = Rgb(r.Value(v), g.Value(v), b.Value(v));
          break;
        }
        default: {
          const std::uint32_t v = Le32(row + 4 * x);
          dst[x] = Rgb(r.Value(v), g.Value(v), b.Value(v));
          break;
        }
      }
    }
  }
  out = std::move(bmp);
  return true;
}

std::vector<std::uint8_t> WriteBmp(const Bitmap32& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  const std::size_t rowBytes = ((static_cast<std::size_t>(w) * 24 + 31) / 32) * 4;
  const std::size_t imageSize = rowBytes * h;
  std::vector<std::uint8_t> out(54 + imageSize, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  out[26] = 1;
  out[28] = 24;
  put32(34, static_cast<std::uint32_t>(imageSize));
  put32(38, 2835);  // 72 dots per inch
  put32(42, 2835);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = out.data() + 54 + rowBytes * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const Pixel p = bmp.At(x, y);
      row[3 * x] = static_cast<std::uint8_t>(p);
      row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
  return out;
}

}  // namespace quillet::skin
