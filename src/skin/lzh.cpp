#include "skin/lzh.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace quillet::skin {

namespace {

using Lzh = TLZH;

// The published position tables: for the first byte of a position, its upper six bits and the
// number of bits that byte and its continuation occupy.
constexpr std::array<std::uint8_t, 256> MakeDCode() {
  std::array<std::uint8_t, 256> t{};
  // Count of first-byte values for each upper-six-bit value.
  int at = 0;
  int code = 0;
  auto run = [&](int codes, int each) {
    for (int c = 0; c < codes; ++c, ++code)
      for (int i = 0; i < each; ++i) t[at++] = static_cast<std::uint8_t>(code);
  };
  run(1, 32);
  run(3, 16);
  run(8, 8);
  run(12, 4);
  run(24, 2);
  run(16, 1);
  return t;
}
constexpr std::array<std::uint8_t, 256> MakeDLen() {
  std::array<std::uint8_t, 256> t{};
  int at = 0;
  auto run = [&](int len, int count) {
    for (int i = 0; i < count; ++i) t[at++] = static_cast<std::uint8_t>(len);
  };
  run(3, 32);
  run(4, 48);
  run(5, 64);
  run(6, 48);
  run(7, 48);
  run(8, 16);
  return t;
}
constexpr auto kDCode = MakeDCode();
constexpr auto kDLen = MakeDLen();

// The adaptive Huffman tree shared by both directions.
struct Tree {
  std::uint16_t freq[Lzh::T + 1];
  std::uint16_t prnt[Lzh::T + Lzh::N_CHAR];
  std::uint16_t son[Lzh::T];

  Tree() {
    for (int i = 0; i < Lzh::N_CHAR; ++i) {
      freq[i] = 1;
      son[i] = static_cast<std::uint16_t>(i + Lzh::T);
      prnt[i + Lzh::T] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, j = Lzh::N_CHAR; j <= Lzh::R; i += 2, ++j) {
      freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
      son[j] = static_cast<std::uint16_t>(i);
      prnt[i] = prnt[i + 1] = static_cast<std::uint16_t>(j);
    }
    freq[Lzh::T] = 0xFFFF;
    prnt[Lzh::R] = 0;
  }

  // Halves the leaf counts and rebuilds the tree, keeping the counts sorted.
  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < Lzh::T; ++i) {
      if (son[i] >= Lzh::T) {
        freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
        son[j] = son[i];
        ++j;
      }
    }
    for (int i = 0, j2 = Lzh::N_CHAR; j2 < Lzh::T; i += 2, ++j2) {
      const unsigned f = freq[j2] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
      int k = j2 - 1;
      while (f < freq[k]) --k;
      ++k;
      std::memmove(&freq[k + 1], &freq[k], (j2 - k) * sizeof freq[0]);
      freq[k] = static_cast<std::uint16_t>(f);
      std::memmove(&son[k + 1], &son[k], (j2 - k) * sizeof son[0]);
      son[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < Lzh::T; ++i) {
      const int k = son[i];
      if (k >= Lzh::T)
        prnt[k] = static_cast<std::uint16_t>(i);
      else
        prnt[k] = prnt[k + 1] = static_cast<std::uint16_t>(i);
    }
  }

  void Update(int c) {
    if (freq[Lzh::R] == Lzh::MAX_FREQ) Reconstruct();
    c = prnt[c + Lzh::T];
    do {
      const unsigned k = ++freq[c];
      int l = c + 1;
      if (k > freq[l]) {
        while (k > freq[++l]) {
        }
        --l;
        freq[c] = freq[l];
        freq[l] = static_cast<std::uint16_t>(k);
        const int i = son[c];
        prnt[i] = static_cast<std::uint16_t>(l);
        if (i < Lzh::T) prnt[i + 1] = static_cast<std::uint16_t>(l);
        const int j = son[l];
        son[l] = static_cast<std::uint16_t>(i);
        prnt[j] = static_cast<std::uint16_t>(c);
        if (j < Lzh::T) prnt[j + 1] = static_cast<std::uint16_t>(c);
        son[c] = static_cast<std::uint16_t>(j);
        c = l;
      }
    } while ((c = prnt[c]) != 0);
  }
};

class BitReader {
 public:
  BitReader(const std::uint8_t* p, const std::uint8_t* end) : p_(p), end_(end) {}
  int Bit() {
    Fill();
    const int bit = (buf_ >> 15) & 1;
    buf_ = static_cast<std::uint16_t>(buf_ << 1);
    --len_;
    return bit;
  }
  int Byte() {
    Fill();
    const int byte = buf_ >> 8;
    buf_ = static_cast<std::uint16_t>(buf_ << 8);
    len_ -= 8;
    return byte;
  }

 private:
  void Fill() {
    while (len_ <= 8) {
      const unsigned next = p_ < end_ ? *p_++ : 0;
      buf_ = static_cast<std::uint16_t>(buf_ | (next << (8 - len_)));
      len_ += 8;
    }
  }
  const std::uint8_t* p_;
  const std::uint8_t* end_;
  std::uint16_t buf_ = 0;
  int len_ = 0;
};

std::unique_ptr<Tree> NewTree() {
  try {
    return std::make_unique<Tree>();
  } catch (const std::bad_alloc&) {
    throw ElzhException("LZH : Cannot get memory for dictionary tables");
  }
}

}  // namespace

int TLZH::DCode(int byte) { return kDCode[byte & 0xFF]; }
int TLZH::DLen(int byte) { return kDLen[byte & 0xFF]; }

std::vector<std::uint8_t> TLZH::Decode(const std::uint8_t* src, std::size_t size,
                                       std::uint32_t maxSize) {
  std::vector<std::uint8_t> out;
  if (size < 4) return out;  // no size field: nothing to write
  const std::uint32_t total = src[0] | (src[1] << 8) | (src[2] << 16) |
                              (static_cast<std::uint32_t>(src[3]) << 24);
  if (total > maxSize) throw ElzhException("LZH : Uncompressed size too large");
  if (total == 0) return out;
  const auto tree = NewTree();
  BitReader in(src + 4, src + size);
  std::uint8_t ring[N];
  std::memset(ring, ' ', N - F);
  std::memset(ring + (N - F), 0, F);
  unsigned r = N - F;
  out.resize(total);
  std::uint8_t* dst = out.data();
  std::uint8_t* const dstEnd = dst + total;
  while (dst < dstEnd) {
    int c = tree->son[R];
    while (c < T) c = tree->son[c + in.Bit()];
    c -= T;
    tree->Update(c);
    if (c < 256) {
      *dst++ = static_cast<std::uint8_t>(c);
      ring[r] = static_cast<std::uint8_t>(c);
      r = (r + 1) & (N - 1);
      continue;
    }
    int b = in.Byte();
    const unsigned high = static_cast<unsigned>(kDCode[b]) << 6;
    for (int j = kDLen[b] - 2; j > 0; --j) b = (b << 1) + in.Bit();
    const unsigned pos = high | (b & 0x3F);
    unsigned from = (r - pos - 1) & (N - 1);
    // A match may run past S only in a damaged stream; S bytes are what was asked for.
    const int len = static_cast<int>(std::min<std::ptrdiff_t>(c - 255 + THRESHOLD, dstEnd - dst));
    for (int k = 0; k < len; ++k) {
      const std::uint8_t v = ring[(from + k) & (N - 1)];
      *dst++ = v;
      ring[r] = v;
      r = (r + 1) & (N - 1);
    }
  }
  return out;
}

namespace {

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(int bit) {
    acc_ = static_cast<std::uint8_t>((acc_ << 1) | (bit & 1));
    if (++n_ == 8) {
      out_.push_back(acc_);
      acc_ = 0;
      n_ = 0;
    }
  }
  void PutBits(unsigned value, int count) {  // most significant first
    for (int i = count - 1; i >= 0; --i) Put((value >> i) & 1);
  }
  void Flush() {
    if (n_) out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - n_)));
    n_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint8_t acc_ = 0;
  int n_ = 0;
};

void EncodeChar(Tree& tree, BitWriter& out, int c) {
  // The path is walked leaf to root; its bits go out root first. Depth can pass 16 in a
  // skewed tree, so no fixed-width code word is used.
  std::uint8_t path[Lzh::T];
  int depth = 0;
  int k = tree.prnt[c + Lzh::T];
  do {
    path[depth++] = static_cast<std::uint8_t>(k & 1);
  } while ((k = tree.prnt[k]) != Lzh::R);
  while (depth > 0) out.Put(path[--depth]);
  tree.Update(c);
}

void EncodePosition(BitWriter& out, unsigned pos) {
  // The first byte value with these upper six bits begins the code; its length is d_len.
  static const auto table = [] {
    std::array<std::pair<std::uint8_t, std::uint8_t>, 64> t{};
    for (int b = 255; b >= 0; --b) t[kDCode[b]] = {static_cast<std::uint8_t>(b), kDLen[b]};
    return t;
  }();
  const auto [first, len] = table[pos >> 6];
  out.PutBits(first >> (8 - len), len);
  out.PutBits(pos & 0x3F, 6);
}

}  // namespace

std::vector<std::uint8_t> TLZH::Encode(const std::uint8_t* src, std::size_t size) {
  std::vector<std::uint8_t> out;
  const std::uint32_t total = static_cast<std::uint32_t>(size);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(total >> (8 * i)));
  if (size == 0) return out;
  const auto tree = NewTree();
  BitWriter bits(out);

  // Hash chains over the input; matches reach at most N - F back so the decoder's ring never
  // has to hold more than it does.
  constexpr int kHashBits = 15;
  constexpr int kMaxChain = 256;
  constexpr std::size_t kWindow = N - F;
  std::vector<std::int32_t> head(1u << kHashBits, -1);
  std::vector<std::int32_t> prev(size, -1);
  auto hash = [&](std::size_t i) {
    return ((src[i] << 10) ^ (src[i + 1] << 5) ^ src[i + 2]) & ((1u << kHashBits) - 1);
  };
  auto insert = [&](std::size_t i) {
    if (i + 2 >= size) return;
    const unsigned h = hash(i);
    prev[i] = head[h];
    head[h] = static_cast<std::int32_t>(i);
  };
  auto longest = [&](std::size_t i, std::size_t& dist) {
    int best = 0;
    if (i + 2 >= size) return best;
    const int maxLen = static_cast<int>(std::min<std::size_t>(F, size - i));
    int chain = kMaxChain;
    for (std::int32_t cand = head[hash(i)]; cand >= 0 && chain-- > 0; cand = prev[cand]) {
      if (i - cand > kWindow) break;
      int len = 0;
      while (len < maxLen && src[cand + len] == src[i + len]) ++len;
      if (len > best) {
        best = len;
        dist = i - cand;
        if (len == maxLen) break;
      }
    }
    return best;
  };

  std::size_t i = 0;
  while (i < size) {
    std::size_t dist = 0;
    int len = longest(i, dist);
    if (len > THRESHOLD) {
      // One step of lazy matching: a longer match at the next byte wins over this one.
      std::size_t dist2 = 0;
      insert(i);
      const int len2 = i + 1 < size ? longest(i + 1, dist2) : 0;
      if (len2 > len) {
        EncodeChar(*tree, bits, src[i]);
        ++i;
        len = len2;
        dist = dist2;
      } else {
        EncodeChar(*tree, bits, len + 255 - THRESHOLD);
        EncodePosition(bits, static_cast<unsigned>(dist - 1));
        for (int k = 1; k < len; ++k) insert(i + k);
        i += len;
        continue;
      }
      insert(i);
      EncodeChar(*tree, bits, len + 255 - THRESHOLD);
      EncodePosition(bits, static_cast<unsigned>(dist - 1));
      for (int k = 1; k < len; ++k) insert(i + k);
      i += len;
      continue;
    }
    insert(i);
    EncodeChar(*tree, bits, src[i]);
    ++i;
  }
  bits.Flush();
  return out;
}

}  // namespace quillet::skin
