// Skin engine costs: decoding the embedded skin, reading its elements, painting two elements.
// Each line: "name: value unit (ratio N.NN x baseline)", the baseline measured in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "skin/lzh.h"
#include "skin/painter.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"
#ifdef _WIN32
#include "skin/embedded_skin.h"
#else
#include "skin/art/skin_art.h"
#endif

using namespace quillet::skin;
using Clock = std::chrono::steady_clock;

namespace {

volatile std::uint32_t g_sink;

// Best time of `rounds` runs of `body`, in seconds per call of it.
template <class F>
double Best(int rounds, int calls, F&& body) {
  double best = 1e9;
  for (int r = 0; r < rounds; ++r) {
    const auto t0 = Clock::now();
    for (int i = 0; i < calls; ++i) body();
    const double s = std::chrono::duration<double>(Clock::now() - t0).count() / calls;
    best = std::min(best, s);
  }
  return best;
}

std::vector<std::uint8_t> RawSkin() {
#ifdef _WIN32
  std::vector<std::uint8_t> raw;
  const auto prop = EmbeddedSkinStream();
  UnwrapSkinStream(prop.data(), prop.size(), raw);
  return raw;
#else
  return quillet::skin::art::PackSkin(quillet::skin::art::DrawQuilletSkin());
#endif
}

void Paint(const char* name, const TDataSkinObject& e, int frame, int frames, bool vertical, int w, int h) {
  Bitmap32 dest(w + 8, h + 8);
  const Rect r{4, 4, 4 + w, 4 + h};
  const double paint = Best(7, 400, [&] {
    DrawElement(dest.View(), r, e, frame, frames, vertical);
    g_sink = dest.At(5, 5);
  });
  const double fill = Best(7, 400, [&] {
    dest.FillRect(r, 0x123456);
    g_sink = dest.At(5, 5);
  });
  std::printf("%s: %.2f us (ratio %.2f x plain fill)\n", name, paint * 1e6, paint / fill);
}

}  // namespace

int main() {
  const std::vector<std::uint8_t> raw = RawSkin();
  if (raw.empty()) {
    std::fprintf(stderr, "no skin\n");
    return 1;
  }
  std::vector<std::uint8_t> archive = TLZH::Decode(raw);
  const double mb = archive.size() / 1e6;

  const double decode = Best(5, 10, [&] { g_sink = TLZH::Decode(raw).back(); });
  std::vector<std::uint8_t> copy(archive.size());
  const double memcopy = Best(5, 200, [&] {
    std::memcpy(copy.data(), archive.data(), archive.size());
    g_sink = copy[copy.size() / 2];
  });
  std::printf("skin_decode: %.1f MB/s (ratio %.2f x memcpy) [%zu bytes in, %zu out]\n", mb / decode,
              decode / memcopy, raw.size(), archive.size());

  TSkinReader reader;
  reader.OpenArchive(archive);
  std::vector<std::uint8_t> iniBytes;
  reader.ExtractByFragment(".ini", iniBytes);
  TQuickIni ini;
  ini.Load(iniBytes);
  TSkinElements elements;
  const double read = Best(5, 20, [&] { ReadSkinElements(ini, reader, elements); });
  const double open = Best(5, 20, [&] {
    TSkinReader r;
    g_sink = r.OpenArchive(archive);
  });
  std::printf("skin_read_elements: %.3f ms (ratio %.2f x opening the decoded archive)\n", read * 1e3, read / open);
  const double whole = Best(5, 10, [&] {
    TSkinReader r;
    r.Open(raw);
    std::vector<std::uint8_t> b;
    r.ExtractByFragment(".ini", b);
    TQuickIni q;
    q.Load(b);
    TSkinElements e;
    ReadSkinElements(q, r, e);
    g_sink = e.NoSkinLoaded;
  });
  std::printf("skin_load_total: %.3f ms (ratio %.2f x decode alone)\n", whole * 1e3, whole / decode);

  Paint("paint_buttons_145x49", elements.Buttons, 1, 5, false, 145, 49);
  Paint("paint_caption_727x24", elements.Top, 1, elements.Top.Frame, true, 727, 24);
  return 0;
}
