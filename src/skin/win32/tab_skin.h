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
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;
  void Refresh() override;
  void Detach(bool windowGoing) override;

 protected:
  void Attached() override;
  // What the kinds of tab skin do differently with the tab control's plan.
  virtual void AdjustInput(TabStripInput&) {}
  virtual void DrawStrip(BitmapView composition, const TabStripPaint& p, ColorRef background);
  virtual void DrawPane(BitmapView client, const TabStripPaint& p);
  const TabImages& Images() const { return images_; }

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

// A page control whose tabs are buttons (TSkinTabBtn): each tab a button of the "Buttons" picture,
// the selected one pressed, and no page frame.
class TSkinTabBtn : public TSkinTab {
 protected:
  void DrawStrip(BitmapView composition, const TabStripPaint& p, ColorRef background) override;
  void DrawPane(BitmapView, const TabStripPaint&) override {}
};

// A tab set (TSkinTab31): its tabs hang from the edge of the pane above them.
class TSkinTab31 : public TSkinTab {
 protected:
  void AdjustInput(TabStripInput& in) override;
};

// A page control of another toolkit (TSkinAdvPage): its page frame from "SunkEdge" when the skin
// has one.
class TSkinAdvPage : public TSkinTab {
 protected:
  void DrawPane(BitmapView client, const TabStripPaint& p) override;
};

}  // namespace quillet::skin::win32
