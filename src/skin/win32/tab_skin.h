// The tab control skin (TSkinTab): tabs from the skin's "Tabs" picture on any of the four sides,
// the page frame from its pane picture, the tab under the pointer hot. A page control whose
// owner has Tag 7777 gets close boxes on its tabs.
#pragma once

#include <string>

#include "skin/ctl/tab.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/updown_skin.h"

namespace quillet::skin::win32 {

class TSkinTab : public TSkinControl {
 public:
  void AttachControl(TWinSkinForm& form, TSkinData& data, ui::TWinControl& control, bool transparent) override;
  void AttachWindow(HWND hwnd, TSkinData& data, TWinSkinForm& form) override;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;
  void Refresh() override;
  void Detach(bool windowGoing) override;

 private:
  void Prepare();
  TabStripPaint Plan();
  // Paints the client area; the pane only when `update` reaches it.
  void PaintClient(HDC dc, const RECT& update);
  // Each tab's image and text, onto a composition whose strip starts at `origin`.
  void DrawItems(HDC dc, const TabStripPaint& p, POINT origin);
  std::wstring ItemText(int index, int& image) const;
  void SetHot(int index);
  void CloseRequest(int index);

  bool close_boxes_ = false;
  bool padded_ = false;  // the tabs were widened to make room for close boxes
  TabImages images_;
  int hot_ = -1;
  TabStripPaint last_;   // as last painted: for close-box hits and strip repaints
  Canvas turn_canvas_;   // tabs on the left or right, composed as if they stood on top
  ChildUpDown scroller_{TSkinUpDown::Back::Face};
};

}  // namespace quillet::skin::win32
