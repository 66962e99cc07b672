#include "visibility/visibility_sheet.h"

namespace quillet::visibility {

VisibilitySheet::VisibilitySheet(ui::TComponent& owner, ui::TTabSheet& sheet) {
  using ui::Make;
  using ui::Bounds;
  using ui::ComboStyle;
  auto label = [&](const char* name, const char* caption, Bounds r) -> ui::TLabel& {
    ui::TLabel& l = Make<ui::TLabel>(owner, &sheet, name, r);
    l.SetCaption(caption);
    return l;
  };
  // Creation order is tab order.
  ui::TLabel& hidden_at = label("Label1", "Hidden &Icon at : ", {8, 8, 170, 13});
  US = &Make<ui::TComboBox>(owner, &sheet, "US", Bounds{8, 24, 170, 21}, ComboStyle::DropDownList);
  label("Label2", "Location :", {190, 8, 170, 13});
  OHide = &Make<ui::TComboBox>(owner, &sheet, "OHide", Bounds{190, 24, 170, 21},
                               ComboStyle::DropDownList);
  HDO = &Make<ui::TComboBox>(owner, &sheet, "HDO", Bounds{372, 24, 170, 21}, ComboStyle::DropDownList);
  hidden_at.SetFocusControl(OHide);  // its accelerator goes to the location, not to the root
  Make<ui::TBevel>(owner, &sheet, "Bevel1", Bounds{8, 56, 689, 2}).SetShape(ui::BevelShape::TopLine);
  label("Label3", "CLSID", {8, 71, 48, 13});
  TTA = &Make<ui::TEdit>(owner, &sheet, "TTA", Bounds{60, 68, 440, 21});
  label("Label4", "Caption", {8, 98, 48, 13});
  CCap = &Make<ui::TEdit>(owner, &sheet, "CCap", Bounds{60, 95, 440, 21});
  Button7 = &Make<ui::TButton>(owner, &sheet, "Button7", Bounds{512, 67, 185, 50});
  Button7->SetCaption("&Add to List (Hide)");
  HList = &Make<ui::TGrid>(owner, &sheet, "HList", Bounds{8, 126, 689, 326});
  HList->SetColumnWidths(280, 387);
  BHide = &Make<ui::TButton>(owner, &sheet, "BHide", Bounds{8, 460, 90, 25});
  BHide->SetCaption("&Hide");
  BShow = &Make<ui::TButton>(owner, &sheet, "BShow", Bounds{104, 460, 90, 25});
  BShow->SetCaption("&Show");
  Rem = &Make<ui::TButton>(owner, &sheet, "Rem", Bounds{577, 460, 120, 25});
  Rem->SetCaption("&Remove from List");

  page_ = std::make_unique<VisibilityPage>(*US, *OHide, *HDO, *TTA, *CCap, *HList);
  VisibilityPage& page = *page_;
  Button7->OnClick = [&page] { page.Button7Click(); };
  BHide->OnClick = [&page] { page.BHideClick(); };
  BShow->OnClick = [&page] { page.BShowClick(); };
  Rem->OnClick = [&page] { page.RemClick(); };
}

VisibilitySheet::~VisibilitySheet() {
  for (ui::TComboBox* c : {US, OHide, HDO}) c->SetOnChange(nullptr);
  HList->SetOnSelect(nullptr);
  for (ui::TButton* b : {Button7, BHide, BShow, Rem}) b->OnClick = nullptr;
}

}  // namespace quillet::visibility
