#include "builtin/builtin_sheet.h"

#include <string>

namespace quillet::builtin {

namespace {

constexpr int kLeft[2] = {8, 358};
constexpr int kTop[2] = {4, 250};
constexpr int kWidth = 339;
constexpr int kListHeight = 170;  // 11 rows of two columns, no scrolling
constexpr int kButtonHeight = 23;

}  // namespace

BuiltInSheet::BuiltInSheet(ui::TComponent& owner, ui::TTabSheet& sheet) {
  using ui::Make;
  using ui::Bounds;
  struct Design {
    int column, row;
    const char* label;
    const char* list;
    int number;  // the suffix of the buttons' names
  };
  // Creation order is tab order: top left, top right, bottom left, bottom right.
  const Design designs[4] = {
      {0, 0, "Create in My &Computer", "MCList", 1},
      {1, 0, "Create in My &Network Place", "NetList", 3},
      {0, 1, "Create in &Desktop", "DList", 2},
      {1, 1, "Create in Control &Panel", "CPList", 4},
  };
  for (const Design& d : designs) {
    const int x = kLeft[d.column], y = kTop[d.row];
    const std::string n = std::to_string(d.number);
    Place& p = places[d.number - 1];
    p.label = &Make<ui::TLabel>(owner, &sheet, "Label" + n, Bounds{x, y + 2, kWidth, 13});
    p.label->SetCaption(d.label);
    p.list = &Make<ui::TCheckListBox>(owner, &sheet, d.list, Bounds{x, y + 18, kWidth, kListHeight});
    p.list->SetColumns(2);
    const int by = y + 18 + kListHeight + 4;
    p.select_all = &Make<ui::TButton>(owner, &sheet, "A" + n, Bounds{x, by, 110, kButtonHeight});
    p.select_none = &Make<ui::TButton>(owner, &sheet, "N" + n, Bounds{x + 114, by, 111, kButtonHeight});
    p.invert = &Make<ui::TButton>(owner, &sheet, "I" + n, Bounds{x + 229, by, 110, kButtonHeight});
    p.apply = &Make<ui::TButton>(owner, &sheet, "Apply" + n,
                                 Bounds{x, by + kButtonHeight + 3, kWidth, kButtonHeight});
    p.select_all->SetCaption("Select All");
    p.select_all->SetTag(kSelectAll);
    p.select_none->SetCaption("Select None");
    p.select_none->SetTag(kSelectNone);
    p.invert->SetCaption("Invert Selection");
    p.invert->SetTag(kInvertSelection);
    p.apply->SetCaption("Apply Changes");
  }

  page_ = std::make_unique<BuiltInPage>(*places[0].list, *places[1].list, *places[2].list,
                                        *places[3].list);
  BuiltInPage& page = *page_;
  using Select = void (BuiltInPage::*)(int);
  using Apply = void (BuiltInPage::*)();
  const Select selects[4] = {&BuiltInPage::ANI1Click, &BuiltInPage::ANI2Click,
                             &BuiltInPage::ANI3Click, &BuiltInPage::ANI4Click};
  const Apply applies[4] = {&BuiltInPage::Apply1Click, &BuiltInPage::Apply2Click,
                            &BuiltInPage::Apply3Click, &BuiltInPage::Apply4Click};
  for (int i = 0; i < 4; ++i) {
    Place& p = places[i];
    for (ui::TButton* b : {p.select_all, p.select_none, p.invert})
      b->OnClick = [&page, b, select = selects[i]] { (page.*select)(static_cast<int>(b->Tag())); };
    p.apply->OnClick = [&page, apply = applies[i]] { (page.*apply)(); };
  }
}

BuiltInSheet::~BuiltInSheet() {
  for (Place& p : places)
    for (ui::TButton* b : {p.select_all, p.select_none, p.invert, p.apply}) b->OnClick = nullptr;
}

}  // namespace quillet::builtin
