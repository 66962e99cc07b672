// The skin gallery opened and closed many times under one skin: every control skin is made,
// painted and taken off each time, so a leak in any of them shows in the process's GDI objects.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "gallery.h"
#include "gdi_flat.h"

using namespace quillet;

int main() {
  ui::Application().Initialize();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  ui::TForm host(nullptr, "Host");
  gallery::MakeGallerySkin(host, "").Loaded();
  bench::GdiFlat("open/close cycles of the skin gallery", 200, [] {
    auto g = std::make_unique<gallery::TGalleryForm>(nullptr);
    g->Show();
    testing::Pump(30);
  });
  return 0;
}
