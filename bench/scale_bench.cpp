// Skins at 150 %: our skin resampled from its 96-DPI pictures and drawn afresh at 144 DPI, and a
// large skin file resampled, each against loading the same skin at 96 DPI in the same run.
// Each line: "name: value ms (ratio N.NN x baseline)".
#include <cstdio>

#include "bench_util.h"
#include "skin/art/read_artwork.h"
#include "skin/scaled_elements.h"
#include "skin/skin_data.h"

using namespace quillet::skin;
using quillet::bench::BestOf;
using quillet::bench::Report;

namespace {

volatile int g_sink;

// The system a skin drawn for `dpi` is read with.
class SystemAt : public SkinSystem {
 public:
  explicit SystemAt(int dpi) : dpi_(dpi) {}
  int Dpi() const override { return dpi_; }

 private:
  int dpi_;
};

// A skin file's bytes loaded at 96 DPI, and the time loading takes: decompressing, opening the
// archive, reading the elements. That time is the baseline.
struct Loaded {
  TSkinDataCore data;
  double seconds = 0;
};

Loaded Load(const char* what, const std::vector<std::uint8_t>& raw, int rounds) {
  Loaded skin;
  skin.data.LoadFromRaw(raw);
  skin.seconds = BestOf(rounds, [&] {
    TSkinDataCore data;
    data.LoadFromRaw(raw);
    g_sink = data.Elements().Buttons.Bitmap.Width();
  });
  int pixels = 0;
  for (const ElementPicture& p : ElementPictures(skin.data.Elements())) pixels += p.picture->Width() * p.picture->Height();
  std::printf("%s: %zu bytes, %d pixels in its pictures, loaded at 96 DPI in %.3f ms\n", what, raw.size(), pixels,
              skin.seconds * 1e3);
  return skin;
}

void Resample(const char* name, const Loaded& skin, int dpi, int rounds) {
  Report(name, BestOf(rounds, [&] { g_sink = ScaleElements(skin.data.Elements(), dpi).Top.Frame; }), skin.seconds);
}

}  // namespace

int main() {
  const auto own = Load("our skin", art::PackSkin(art::DrawQuilletSkin()), 15);
  Resample("own_skin_resampled_150", own, 144, 15);
  const SystemAt at144(144);
  Report("own_skin_drawn_150",
         BestOf(15, [&] { g_sink = art::ReadSkinArtwork(art::DrawQuilletSkin(144), at144).Top.Frame; }), own.seconds);
  Report("own_skin_drawn_100", BestOf(15, [&] { g_sink = art::ReadSkinArtwork(art::DrawQuilletSkin()).Top.Frame; }),
         own.seconds);

  // A large skin: our own drawn eight times as large and read as a 96-DPI skin, many big pictures.
  const auto large = Load("large skin", art::PackSkin(art::DrawQuilletSkin(768)), 5);
  Resample("large_skin_resampled_150", large, 144, 5);
  Resample("large_skin_resampled_200", large, 192, 5);
  return 0;
}
