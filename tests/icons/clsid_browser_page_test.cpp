#include "icons/clsid_browser_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"
#include "support/fake_widgets.h"

namespace quillet::icons {
namespace {

class ClsidBrowserPageTest : public ::testing::Test {
 protected:
  void Class(const std::string& name, const std::string& caption) {
    RegistryStore store;
    store.SetRoot(kClassesRoot);
    ASSERT_TRUE(store.Open("CLSID\\" + name, true));
    if (!caption.empty()) store.WriteText("", caption);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (int r = 0; r < c_list.RowCount(); ++r) out.push_back(c_list.Line(r));
    return out;
  }

  MemoryBackend backend;
  ScopedRegistry scope{backend};
  testing::FakePlatform platform;
  testing::ScopedPlatform platform_scope{platform};
  testing::FakeGrid c_list;
  ClsidBrowserPage page{c_list};
};

TEST_F(ClsidBrowserPageTest, ListsBracedClassesWithTheirCaptionsAndAppendsAtEachPress) {
  EXPECT_EQ(c_list.titles_, (std::vector<std::string>{"CLSID", "Caption"}));
  Class("{00000001-0000-0000-0000-000000000000}", "First");
  Class("{00000002-0000-0000-0000-000000000000}", "");
  Class("{00000003-0000-0000-0000-000000000000}", "a=b=c");
  Class("CLSID", "not a class");
  Class("Interface", "");
  c_list.AddLine("kept=above");

  page.Button9Click();
  const std::vector<std::string> once = {"{00000001-0000-0000-0000-000000000000}=First",
                                         "{00000002-0000-0000-0000-000000000000}=",
                                         "{00000003-0000-0000-0000-000000000000}=a=b=c"};
  std::vector<std::string> expected = {"kept=above"};
  expected.insert(expected.end(), once.begin(), once.end());
  EXPECT_EQ(Lines(), expected);
  EXPECT_EQ(c_list.Value(3), "a=b=c");

  page.GetCLSIDList();
  expected.insert(expected.end(), once.begin(), once.end());
  EXPECT_EQ(Lines(), expected);
}

TEST_F(ClsidBrowserPageTest, ACaptionThatIsNotTextEndsTheListWithTheRowsBeforeItShown) {
  Class("{00000001-0000-0000-0000-000000000000}", "First");
  Class("{00000002-0000-0000-0000-000000000000}", "");
  Class("{00000003-0000-0000-0000-000000000000}", "Third");
  RegistryStore store;
  store.SetRoot(kClassesRoot);
  store.Open("CLSID\\{00000002-0000-0000-0000-000000000000}", false);
  store.WriteNumber("", 5);
  store.Close();
  try {
    page.GetCLSIDList();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for ''");
  }
  EXPECT_EQ(Lines(), std::vector<std::string>{"{00000001-0000-0000-0000-000000000000}=First"});
}

TEST_F(ClsidBrowserPageTest, NoClassKeyLeavesTheListAsItWas) {
  c_list.AddLine("a=b");
  EXPECT_NO_THROW(page.GetCLSIDList());
  EXPECT_EQ(Lines(), std::vector<std::string>{"a=b"});
}

TEST_F(ClsidBrowserPageTest, CopyPutsOneCellOfTheSelectedRowOnTheClipboard) {
  platform.clipboard_ = "before";
  page.Button6Click();
  EXPECT_EQ(platform.clipboard_, "");  // empty list
  platform.clipboard_ = "before";
  page.Button8Click();
  EXPECT_EQ(platform.clipboard_, "");

  c_list.AddLines({"{1}=One", "{2}=x=y"});
  c_list.Click(1);
  page.Button6Click();
  EXPECT_EQ(platform.clipboard_, "{2}");
  page.Button8Click();
  EXPECT_EQ(platform.clipboard_, "x=y");
}

}  // namespace
}  // namespace quillet::icons
