#pragma once
// In-memory stand-ins for the controls, held to the real controls' behaviour by the contract suite.

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "ui/widgets.h"

namespace quillet::testing {

class FakeItemList : public virtual ui::IItemList {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int i) const override { return items_.at(static_cast<size_t>(i)); }
  std::vector<std::string> Items() const override { return items_; }
  void SetItems(const std::vector<std::string>& items) override { items_ = items; index_ = -1; }
  int Add(const std::string& item) override { items_.push_back(item); return Count() - 1; }
  void Delete(int i) override {
    if (i < 0 || i >= Count()) return;
    items_.erase(items_.begin() + i);
    if (index_ == i) index_ = -1; else if (index_ > i) --index_;
  }
  void Clear() override { items_.clear(); index_ = -1; }
  int ItemIndex() const override { return index_; }
  void SetItemIndex(int i) override { index_ = (i >= 0 && i < Count()) ? i : -1; }
  int FindExact(const std::string& text) const override {
    for (int i = 0; i < Count(); ++i)
      if (base::EqualNoCase(items_[static_cast<size_t>(i)], text)) return i;
    return -1;
  }

 protected:
  std::vector<std::string> items_;
  int index_ = -1;
};

class FakeTextField : public virtual ui::ITextField {
 public:
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetOnChange(ui::Event h) override { on_change_ = std::move(h); }
  void SetOnKeyPress(ui::KeyEvent h) override { on_key_ = std::move(h); }
  void SetEnabled(bool e) override { enabled_ = e; }
  bool Enabled() const override { return enabled_; }
  void SetFocus() override { focused_ = true; }

  // What a user does.
  void Type(const std::string& text) {
    for (char c : text) {
      char key = c;
      if (on_key_) on_key_(key);
      if (key == 0) continue;
      text_ += key;
      if (on_change_) on_change_();
    }
  }
  void UserSetText(const std::string& text) {  // a paste over everything
    text_ = text;
    if (on_change_) on_change_();
  }
  // Returns the key after the handler (0 when it swallowed the key).
  char PressKey(char key) {
    if (on_key_) on_key_(key);
    return key;
  }
  bool focused_ = false;

 protected:
  std::string text_;
  ui::Event on_change_;
  ui::KeyEvent on_key_;
  bool enabled_ = true;
};

class FakeComboBox : public ui::IComboBox, public FakeTextField, public FakeItemList {
 public:
  // As the system's combo box: no selection means no text; clearing the entries empties it too.
  void SetItemIndex(int i) override {
    FakeItemList::SetItemIndex(i);
    text_ = index_ >= 0 ? items_[static_cast<size_t>(index_)] : std::string();
  }
  void Clear() override {
    FakeItemList::Clear();
    text_.clear();
  }
  void Pick(int i) {  // the user picks an entry from the drop-down
    SetItemIndex(i);
    if (on_change_) on_change_();
  }
};

class FakeListBox : public ui::IListBox, public FakeItemList {
 public:
  void SetOnClick(ui::Event h) override { on_click_ = std::move(h); }
  void Click(int i) {
    SetItemIndex(i);
    if (on_click_) on_click_();
  }

 private:
  ui::Event on_click_;
};

class FakeEdit : public FakeTextField {};

class FakeCheckBox : public ui::ICheckBox {
 public:
  bool Checked() const override { return checked_; }
  void SetChecked(bool c) override { checked_ = c; }
  void SetOnClick(ui::Event h) override { on_click_ = std::move(h); }
  void Click() {
    checked_ = !checked_;
    if (on_click_) on_click_();
  }

 private:
  bool checked_ = false;
  ui::Event on_click_;
};

class FakeCheckList : public ui::ICheckList {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int i) const override { return items_.at(static_cast<size_t>(i)); }
  void SetItems(const std::vector<std::string>& items) override {
    items_ = items;
    marks_.assign(items.size(), false);
  }
  bool Checked(int i) const override { return marks_.at(static_cast<size_t>(i)); }
  void SetChecked(int i, bool c) override { marks_.at(static_cast<size_t>(i)) = c; }

 private:
  std::vector<std::string> items_;
  std::vector<bool> marks_;
};

class FakeGrid : public ui::IGrid {
 public:
  void SetTitles(const std::string& l, const std::string& r) override { titles_ = {l, r}; }
  int RowCount() const override { return static_cast<int>(lines_.size()); }
  std::string Line(int r) const override { return lines_.at(static_cast<size_t>(r)); }
  std::string Name(int r) const override {
    const std::string& s = lines_.at(static_cast<size_t>(r));
    auto eq = s.find('=');
    return eq == std::string::npos ? s : s.substr(0, eq);
  }
  std::string Value(int r) const override {
    const std::string& s = lines_.at(static_cast<size_t>(r));
    auto eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
  }
  void AddLine(const std::string& line) override { lines_.push_back(line); }
  void AddLines(const std::vector<std::string>& l) override {
    lines_.insert(lines_.end(), l.begin(), l.end());
  }
  void SetLines(const std::vector<std::string>& l) override { lines_ = l; selected_ = -1; }
  void Clear() override { lines_.clear(); selected_ = -1; }
  int Selected() const override { return selected_; }
  void SetSelected(int r) override { selected_ = (r >= 0 && r < RowCount()) ? r : -1; }
  void SetOnSelect(ui::Event h) override { on_select_ = std::move(h); }
  void Click(int r) {
    SetSelected(r);
    if (on_select_) on_select_();
  }
  std::vector<std::string> titles_;

 private:
  std::vector<std::string> lines_;
  int selected_ = -1;
  ui::Event on_select_;
};

class FakeUpDown : public ui::IUpDown {
 public:
  int Position() const override { return pos_; }
  void SetPosition(int p) override { pos_ = std::clamp(p, low_, high_); }
  void SetRange(int l, int h) override { low_ = l; high_ = h; pos_ = std::clamp(pos_, l, h); }
  int low_ = 0, high_ = 100;

 private:
  int pos_ = 0;
};

class FakeLabel : public ui::ILabel {
 public:
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& c) override { caption_ = c; }

 private:
  std::string caption_;
};

class FakeIconView : public ui::IIconView {
 public:
  void SetIcon(void* icon) override { icon_ = icon; ++sets_; }
  void* Icon() const override { return icon_; }
  int sets_ = 0;

 private:
  void* icon_ = nullptr;
};

}  // namespace quillet::testing
