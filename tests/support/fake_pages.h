#pragma once
// Every page's logic over fake controls and a fake platform, for tests and benchmarks that drive
// the pages' writing actions without windows.

#include <string>

#include "builtin/builtin_page.h"
#include "creator/creator_page.h"
#include "icons/shell_icons_page.h"
#include "support/fake_platform.h"
#include "support/fake_widgets.h"
#include "support/sample_object.h"
#include "visibility/visibility_page.h"

namespace quillet::testing {

struct FakePages {
  FakePages() { creator_.Wire(); }

  FakePlatform platform_;
  ScopedPlatform platform_scope_{platform_};
  FakeComboBox RFCNum;
  FakeEdit RFName, RFDesc, RME, ShellName, RFCN, RFPar, RFDIcon;
  FakeCheckBox STMC, STD, STCP, STNN;
  FakeListBox List;
  FakeLabel Def;
  FakeIconView AII;
  creator::CreatorPage creator_{{RFCNum, RFName, RFDesc, RME, STMC, STD, STCP, STNN, ShellName, RFCN, RFPar, List,
                                 Def, RFDIcon, AII},
                                platform_.Folder() + "/"};
  FakeCheckList MCList, DList, NetList, CPList;
  builtin::BuiltInPage builtin_{MCList, DList, NetList, CPList};
  FakeComboBox US, OHide, HDO;
  FakeEdit TTA, CCap;
  FakeGrid HList;
  visibility::VisibilityPage visibility_{US, OHide, HDO, TTA, CCap, HList};
  FakeEdit IcNum, IsNum, Location;
  FakeUpDown INP, ISP;
  FakeLabel lblInfo;
  icons::ShellIconsPage icons_{IcNum, INP, lblInfo, IsNum, ISP, Location};
  FakeCheckBox show_box_;  // the donation prompt's
};

}  // namespace quillet::testing
