#pragma once
// The standard controls: buttons, check boxes, edits, combo boxes, list boxes, group boxes and
// panels (windowed), and labels, images and bevels (graphic).

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/subclass.h"
#include "ui/gdi.h"

namespace quillet::ui {

class TButton : public TWinControl {
 public:
  TButton(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TButton"; }
  bool Default() const { return default_; }
  void SetDefault(bool d);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool c) { cancel_ = c; }
  // A button with a modal result closes its modal form with that result when clicked.
  void SetModalResult(int r) { modal_result_ = r; }
  void Click() override;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void WndProc(Message& m) override;

 private:
  bool default_ = false, cancel_ = false;
  int modal_result_ = 0;
};

class TCheckBox : public TWinControl, public ICheckBox {
 public:
  TCheckBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TCheckBox"; }
  bool Checked() const override;
  void SetChecked(bool checked) override;
  void SetOnClick(Event handler) override { OnClick = std::move(handler); }

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;

 private:
  bool checked_ = false;
};

class TEdit : public TWinControl, public ITextField {
 public:
  TEdit(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TEdit"; }
  std::string Text() const override { return WindowTextRaw(); }
  std::string Caption() const override { return WindowTextRaw(); }
  void SetText(const std::string& text) override;
  void SetOnChange(Event h) override { OnChange = std::move(h); }
  void SetOnKeyPress(KeyEvent h) override { OnKeyPress = std::move(h); }
  void SetEnabled(bool e) override { TControl::SetEnabled(e); }
  bool Enabled() const override { return TControl::Enabled(); }
  void SetFocus() override { TWinControl::SetFocus(); }
  void SetReadOnly(bool r);
  void SetMaxLength(int n);

  Event OnChange;
  KeyEvent OnKeyPress;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;
  void TextChanged() override { SetWindowTextRaw(caption_); }

 private:
  bool read_only_ = false;
  int max_length_ = 0;
};

// The messages of one kind of list window, so combo and list boxes share their item handling.
struct ListMessages {
  unsigned add, insert, remove, reset, get_cursel, set_cursel, find_exact, get_count;
};

// The entries of a combo or list box: a copy kept beside the window, so that reading them costs
// no round trip and they survive the window being re-created.
class ItemMirror {
 public:
  explicit ItemMirror(const ListMessages& msgs) : msgs_(msgs) {}
  void Attach(HWND h);  // fills a new window from the copy
  void Detach(HWND h);  // keeps the selection before the window goes
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int i) const { return items_.at(static_cast<size_t>(i)); }
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(HWND h, const std::vector<std::string>& items);
  int Add(HWND h, const std::string& item);
  void Delete(HWND h, int index);
  void Clear(HWND h);
  int ItemIndex(HWND h) const;
  void SetItemIndex(HWND h, int index);
  int FindExact(HWND h, const std::string& text) const;

 private:
  ListMessages msgs_;
  std::vector<std::string> items_;
  int index_ = -1;  // while there is no window
};

enum class ComboStyle { DropDown, DropDownList };

class TComboBox : public TWinControl, public IComboBox {
 public:
  TComboBox(TComponent* owner, std::string name, ComboStyle style = ComboStyle::DropDown);
  const char* ClassName() const override { return "TComboBox"; }

  std::string Text() const override;
  std::string Caption() const override { return Text(); }
  void SetText(const std::string& text) override;
  void SetOnChange(Event h) override { OnChange = std::move(h); }
  void SetOnKeyPress(KeyEvent h) override { OnKeyPress = std::move(h); }
  void SetEnabled(bool e) override { TControl::SetEnabled(e); }
  bool Enabled() const override { return TControl::Enabled(); }
  void SetFocus() override { TWinControl::SetFocus(); }

  int Count() const override { return items_.Count(); }
  std::string Item(int i) const override { return items_.Item(i); }
  std::vector<std::string> Items() const override { return items_.Items(); }
  void SetItems(const std::vector<std::string>& items) override;
  int Add(const std::string& item) override { return items_.Add(hwnd_, item); }
  void Delete(int index) override { items_.Delete(hwnd_, index); }
  void Clear() override { items_.Clear(hwnd_); }
  int ItemIndex() const override { return items_.ItemIndex(hwnd_); }
  void SetItemIndex(int index) override;
  int FindExact(const std::string& text) const override { return items_.FindExact(hwnd_, text); }
  void SetDropDownCount(int n) { drop_down_count_ = n; }
  HWND EditHandle() const { return edit_keys_.Hwnd(); }

  Event OnChange;
  KeyEvent OnKeyPress;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;
  void BoundsChanged() override;
  void TextChanged() override { SetText(caption_); }

 private:
  // Keys typed into the combo box's own edit reach OnKeyPress first, while the window lives.
  class EditKeys : public Subclass {
   public:
    explicit EditKeys(TComboBox& box) : Subclass(Kind::ComboEdit), box_(box) {}

   protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    TComboBox& box_;
  };
  void Change();
  ComboStyle style_;
  ItemMirror items_;
  int drop_down_count_ = 8;
  EditKeys edit_keys_{*this};
};

class TListBox : public TWinControl, public IListBox {
 public:
  TListBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TListBox"; }
  int Count() const override { return items_.Count(); }
  std::string Item(int i) const override { return items_.Item(i); }
  std::vector<std::string> Items() const override { return items_.Items(); }
  void SetItems(const std::vector<std::string>& items) override { items_.SetItems(hwnd_, items); }
  int Add(const std::string& item) override { return items_.Add(hwnd_, item); }
  void Delete(int index) override { items_.Delete(hwnd_, index); }
  void Clear() override { items_.Clear(hwnd_); }
  int ItemIndex() const override { return items_.ItemIndex(hwnd_); }
  void SetItemIndex(int index) override { items_.SetItemIndex(hwnd_, index); }
  int FindExact(const std::string& text) const override { return items_.FindExact(hwnd_, text); }
  void SetOnClick(Event h) override { OnClick = std::move(h); }

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override { items_.Attach(hwnd_); }
  void DestroyWnd() override { items_.Detach(hwnd_); }
  void WndProc(Message& m) override;

 private:
  ItemMirror items_;
};

// A frame with a caption; holds other controls.
class TGroupBox : public TWinControl {
 public:
  TGroupBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TGroupBox"; }

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void PaintWindow(HDC dc) override;
};

enum class BevelKind { None, Lowered, Raised };

class TPanel : public TWinControl {
 public:
  TPanel(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TPanel"; }
  void SetBevelOuter(BevelKind b) { outer_ = b; Invalidate(); }
  void SetBevelInner(BevelKind b) { inner_ = b; Invalidate(); }

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void PaintWindow(HDC dc) override;

 private:
  BevelKind outer_ = BevelKind::Raised, inner_ = BevelKind::None;
  bool transparent_ = false, parent_background_ = true;
};

class TLabel : public TGraphicControl, public ILabel {
 public:
  TLabel(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TLabel"; }
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { TControl::SetCaption(c); }
  void SetAlignment(Align a) { align_ = a; Invalidate(); }
  void SetWordWrap(bool w) { word_wrap_ = w; Invalidate(); }
  void SetTransparent(bool t) { transparent_ = t; Invalidate(); }
  // The control that takes the focus when the caption's underlined letter is pressed with Alt.
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* c) { focus_control_ = c; }
  void Paint(HDC dc) override;
  // The font the caption is drawn in. At 96 DPI it is the label's own. At other scales a face does
  // not always grow in step with the layout, so where the caption would be cut the face is made
  // a little smaller, just enough for the text to stand whole.
  HFONT TextFont(HDC dc);

 private:
  UINT TextFlags() const;
  Align align_ = Align::Left;
  bool word_wrap_ = false, transparent_ = true;
  TWinControl* focus_control_ = nullptr;
  struct Fit {
    int dpi = 0, width = 0, height = 0;
    std::string caption;
    FontSpec font;
    int font_dpi = 0;  // the DPI the face is made for
  } fit_;
};

class TImage : public TGraphicControl, public IIconView {
 public:
  TImage(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TImage"; }
  // The image takes the handles it is given and releases them.
  void SetIcon(void* icon) override;
  void* Icon() const override { return icon_.Get(); }
  // An icon made for each DPI the image is drawn at: `load` is asked for an icon of `size` pixels
  // at 96 DPI scaled to the image's DPI, and again when that changes. SetIcon drops the source.
  void SetIconSource(std::function<HICON(int size)> load, int size);
  // A picture drawn for each DPI the image is drawn at: `make` is given the DPI, and asked again
  // when it changes. SetBitmap drops the source.
  void SetBitmapSource(std::function<HBITMAP(int dpi)> make);
  void SetBitmap(HBITMAP bitmap);
  void SetStretch(bool s) { stretch_ = s; Invalidate(); }
  void SetCenter(bool c) { center_ = c; Invalidate(); }
  void SetTransparent(bool t) { transparent_ = t; Invalidate(); }
  void Paint(HDC dc) override;

 private:
  gdi::Icon icon_;
  gdi::Bitmap bitmap_;
  bool stretch_ = false, center_ = false, transparent_ = false;
  std::function<HICON(int size)> icon_source_;
  int icon_size_ = 0;         // at 96 DPI, for the source
  int icon_made_size_ = 0;    // what the source last made, in pixels
  std::function<HBITMAP(int dpi)> bitmap_source_;
  int bitmap_made_dpi_ = 0;
};

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine };

class TBevel : public TGraphicControl {
 public:
  TBevel(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TBevel"; }
  void SetShape(BevelShape s) { shape_ = s; Invalidate(); }
  void SetStyle(BevelKind k) { style_ = k; Invalidate(); }
  void Paint(HDC dc) override;

 private:
  BevelShape shape_ = BevelShape::Box;
  BevelKind style_ = BevelKind::Lowered;
};

}  // namespace quillet::ui
