#pragma once
// Controls built on the common controls: page control with tab sheets, up-down, the two-column
// grid and the check list.

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/stdctrls.h"

namespace quillet::ui {

class TPageControl;

// One page of a page control; controls placed on it use the sheet's own coordinates.
class TTabSheet : public TWinControl {
 public:
  TTabSheet(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TTabSheet"; }
  // A sheet fills its page control's display area, which the tab control measures.
  Bounds DeviceBounds() const override;
  TPageControl* PageControl() const { return page_control_; }
  // A sheet whose tab is hidden keeps its controls but cannot be reached by the user.
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  int PageIndex() const;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  bool tab_visible_ = true;
};

enum class TabStyle { Tabs, Buttons, FlatButtons };

class TPageControl : public TWinControl {
 public:
  TPageControl(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TPageControl"; }
  // Adds a sheet at the end, owned by the page control's owner.
  TTabSheet& AddPage(std::string name, const std::string& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Page(int i) const { return pages_.at(static_cast<size_t>(i)); }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  // Tabs drawn as buttons; set after the window was made, it makes it anew.
  void SetStyle(TabStyle s);
  Event OnChange;  // the user picked another tab

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void WndProc(Message& m) override;
  void BoundsChanged() override;

 private:
  friend class TTabSheet;
  void RebuildTabs();
  // Where the sheets stand: in the window's pixels once it exists, an estimate in 96-DPI units before.
  Bounds SheetArea() const;
  void PlaceSheets();
  int TabIndexOf(TTabSheet* page) const;
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
  TabStyle style_ = TabStyle::Tabs;
};

// Arrow buttons that step a number shown in an edit.
class TUpDown : public TWinControl, public IUpDown {
 public:
  TUpDown(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TUpDown"; }
  void SetAssociate(TEdit* edit);
  int Position() const override;
  void SetPosition(int position) override;
  void SetRange(int low, int high) override;
  Event OnChanging;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;

 private:
  TEdit* associate_ = nullptr;
  int low_ = 0, high_ = 100, position_ = 0;
};

// Two columns over lines "name=value" with one title row, rows selected whole, no editing. The
// list view asks for the text of the rows it shows, so tens of thousands of lines cost nothing
// until they are seen.
class TGrid : public TWinControl, public IGrid {
 public:
  TGrid(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TGrid"; }
  void SetTitles(const std::string& left, const std::string& right) override;
  void SetColumnWidths(int left, int right);
  int RowCount() const override { return static_cast<int>(lines_.size()); }
  std::string Line(int row) const override { return lines_.at(static_cast<size_t>(row)); }
  std::string Name(int row) const override;
  std::string Value(int row) const override;
  void AddLine(const std::string& line) override;
  void AddLines(const std::vector<std::string>& lines) override;
  void SetLines(const std::vector<std::string>& lines) override;
  void Clear() override;
  int Selected() const override;
  void SetSelected(int row) override;
  void SetOnSelect(Event h) override { OnSelect = std::move(h); }
  Event OnSelect;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;

 private:
  void SyncCount(bool keep_view);
  std::vector<std::string> lines_;
  std::string titles_[2] = {"Name", "Value"};
  int widths_[2] = {150, 150};
  int selected_ = -1;    // while there is no window
  bool setting_ = false; // selection changed by the program
  std::string cell_;     // text handed to the list view
};

// A list of items with check marks, in as many columns as asked for.
class TCheckListBox : public TWinControl, public ICheckList {
 public:
  TCheckListBox(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TCheckListBox"; }
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int i) const override { return items_.at(static_cast<size_t>(i)); }
  void SetItems(const std::vector<std::string>& items) override;
  bool Checked(int i) const override { return marks_.at(static_cast<size_t>(i)); }
  void SetChecked(int i, bool checked) override;
  void SetColumns(int n);
  Event OnClickCheck;  // the user toggled a mark

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void WndProc(Message& m) override;

 private:
  void Toggle(int i);
  int ItemHeight() const;
  void Measure();
  void DpiChanged() override;
  std::vector<std::string> items_;
  std::vector<bool> marks_;
  int columns_ = 1;
};

}  // namespace quillet::ui
