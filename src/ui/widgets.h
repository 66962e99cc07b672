#pragma once
// What page logic reads and sets on its controls. The Win32 controls implement these; tests use
// the in-memory fakes in tests/support/fake_widgets.h. One contract suite holds both to the same
// behaviour.

#include <functional>
#include <string>
#include <vector>

namespace quillet::ui {

using Event = std::function<void()>;
// A key typed into a control; the handler may set the key to 0 to swallow it.
using KeyEvent = std::function<void(char& key)>;

inline constexpr char kKeyEnter = 13;
inline constexpr char kKeyEscape = 27;

class ITextField {
 public:
  virtual ~ITextField() = default;
  virtual std::string Text() const = 0;
  // Text set by the program never fires the change event.
  virtual void SetText(const std::string& text) = 0;
  virtual void SetOnChange(Event handler) = 0;   // typing, pasting, picking
  virtual void SetOnKeyPress(KeyEvent handler) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetFocus() = 0;
};

class ICheckBox {
 public:
  virtual ~ICheckBox() = default;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;  // never fires the click event
  virtual void SetOnClick(Event handler) = 0;
};

// Entries of a list control: combo box drop-down, list box.
class IItemList {
 public:
  virtual ~IItemList() = default;
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  virtual std::vector<std::string> Items() const = 0;
  virtual void SetItems(const std::vector<std::string>& items) = 0;  // selection: none
  virtual int Add(const std::string& item) = 0;                       // returns its index
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int ItemIndex() const = 0;  // -1 when nothing is selected
  virtual void SetItemIndex(int index) = 0;
  // First entry equal to the text without regard to letter case, or -1.
  virtual int FindExact(const std::string& text) const = 0;
};

// Drop-down combo box, with free text or a fixed list. Virtual bases, so one implementation of
// the text part and one of the list part can serve several controls.
class IComboBox : public virtual ITextField, public virtual IItemList {};

class IListBox : public virtual IItemList {
 public:
  virtual void SetOnClick(Event handler) = 0;  // selection changed by the user
};

class ICheckList {
 public:
  virtual ~ICheckList() = default;
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  virtual void SetItems(const std::vector<std::string>& items) = 0;  // all unmarked
  virtual bool Checked(int index) const = 0;
  virtual void SetChecked(int index, bool checked) = 0;
};

// Two columns over lines "name=value", split at the first "=", one fixed title row.
class IGrid {
 public:
  virtual ~IGrid() = default;
  virtual void SetTitles(const std::string& left, const std::string& right) = 0;
  virtual int RowCount() const = 0;  // data rows, without the title row
  virtual std::string Line(int row) const = 0;
  virtual std::string Name(int row) const = 0;
  virtual std::string Value(int row) const = 0;
  virtual void AddLine(const std::string& line) = 0;
  virtual void AddLines(const std::vector<std::string>& lines) = 0;
  virtual void SetLines(const std::vector<std::string>& lines) = 0;  // selection: none
  virtual void Clear() = 0;
  virtual int Selected() const = 0;  // -1 when no row is selected
  virtual void SetSelected(int row) = 0;
  virtual void SetOnSelect(Event handler) = 0;  // a row picked by the user
};

class IUpDown {
 public:
  virtual ~IUpDown() = default;
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetRange(int low, int high) = 0;
};

class ILabel {
 public:
  virtual ~ILabel() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

// Shows one icon; the handle is the platform's (an HICON on Windows), 0 for none. The view takes
// ownership and releases the icon it showed before.
class IIconView {
 public:
  virtual ~IIconView() = default;
  virtual void SetIcon(void* icon) = 0;
  virtual void* Icon() const = 0;
};

}  // namespace quillet::ui
