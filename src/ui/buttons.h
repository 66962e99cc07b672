#pragma once
// Buttons with a picture: the glyph button, the menu button that drops a popup menu, the speed
// button of tool bars, and the tool bar that holds them. The toolkit draws them itself (owner
// drawn or of its own class), so whoever paints them instead reads everything by name:
// "Glyph" (a bitmap handle), "NumGlyphs", "Layout", "Spacing", "Margin", and for speed buttons
// "Flat", "Down" and "Pressed".

#include <string>

#include "base/glyph_layout.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/stdctrls.h"

namespace quillet::ui {

class TPopupMenu;

using base::GlyphLayout;

// A button's picture: up to four images side by side (up, disabled, clicked, down); the colour of
// its bottom-left pixel is transparent.
class TGlyph {
 public:
  // The glyph takes the handle.
  void Set(HBITMAP bitmap, int numGlyphs);
  GlyphLayout layout = GlyphLayout::Left;
  int spacing = 4;  // between the picture and the caption
  int margin = -1;  // from the edge the picture is on; -1 centres picture and caption together
  // Publishes the glyph's properties on a control.
  void Publish(PropertyTable& props);
  // The toolkit's own drawing: the picture (image 1 when disabled and there is one) and the
  // caption, placed by the layout inside r.
  void Draw(HDC dc, RECT r, const std::string& caption, HFONT font, bool enabled) const;

 private:
  gdi::Bitmap bitmap_;
  int count_ = 1;
};

class TBitBtn : public TButton {
 public:
  TBitBtn(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TBitBtn"; }
  TGlyph& Glyph() { return glyph_; }

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void WndProc(Message& m) override;
  // Draws the button's content (picture and caption) inside r.
  virtual void DrawContent(HDC dc, RECT r, bool enabled);

 private:
  TGlyph glyph_;
};

// A glyph button whose click drops its popup menu under it.
class TMenuButton : public TBitBtn {
 public:
  TMenuButton(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TMenuButton"; }
  void SetDropDownMenu(TPopupMenu* menu) { menu_ = menu; }
  void Click() override;

 protected:
  void DrawContent(HDC dc, RECT r, bool enabled) override;

 private:
  TPopupMenu* menu_ = nullptr;
};

// A button that never takes the focus; flat ones show their edge only under the pointer, and one
// with a group index stays down until another of its group goes down.
class TSpeedButton : public TWinControl {
 public:
  TSpeedButton(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TSpeedButton"; }
  TGlyph& Glyph() { return glyph_; }
  void SetFlat(bool f);
  void SetDown(bool d);
  void SetGroupIndex(int g) { group_ = g; }
  void Click() override;

 protected:
  void WndProc(Message& m) override;
  void PaintWindow(HDC dc) override;

 private:
  TGlyph glyph_;
  bool flat_ = false, down_ = false;
  int group_ = 0;
  bool pressed_ = false, hot_ = false;
};

// A bar of speed buttons, laid out left to right in the order they are added.
class TToolBar : public TWinControl {
 public:
  TToolBar(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TToolBar"; }
  TSpeedButton& AddButton(std::string name, const std::string& caption, int width = 0);
  void SetButtonSize(int width, int height) { button_w_ = width, button_h_ = height; }
  void SetFlat(bool f);

 protected:
  void PaintWindow(HDC dc) override;

 private:
  bool flat_ = false;
  int button_w_ = 24, button_h_ = 22, next_x_ = 2;
};

}  // namespace quillet::ui
