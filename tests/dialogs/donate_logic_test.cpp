// The donation prompt's texts and stored choice over the memory registry.
#include <gtest/gtest.h>

#include "dialogs/donate_logic.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_widgets.h"

namespace quillet::dialogs {
namespace {

TEST(DialogNumber, TwoDigitsBelowTenUnchangedAbove) {
  EXPECT_EQ(DialogNumber(3), "03");
  EXPECT_EQ(DialogNumber(0), "00");
  EXPECT_EQ(DialogNumber(10), "10");
  EXPECT_EQ(DialogNumber(99), "99");
  EXPECT_EQ(DialogNumber(123), "123");
}

TEST(PutProduct, ReplacesEveryExactPlaceholder) {
  EXPECT_EQ(PutProduct("Support \"%s\"", "Quillet"), "Support \"Quillet\"");
  EXPECT_EQ(PutProduct("%s and %s", "Q"), "Q and Q");
  EXPECT_EQ(PutProduct("%S stays, %", "Q"), "%S stays, %");
  EXPECT_EQ(PutProduct("100%s", "%s"), "100%s") << "the product is not searched again";
}

class Prompt : public ::testing::Test {
 protected:
  Prompt() : scoped(registry) {}
  void Store(const std::string& name, const std::string& value) {
    CreateKeyAt(kCurrentUser, "Brask\\Support");
    RegistryStore s;
    s.SetRoot(kCurrentUser);
    s.Open("Brask\\Support", true);
    s.WriteText(name, value);
  }
  MemoryBackend registry;
  ScopedRegistry scoped;
  testing::FakeCheckBox box;
};

TEST_F(Prompt, ShowPutsTheProductInFreshTextsAndTicksFromTheStoredChoice) {
  DonateTexts texts = DesignedDonateTexts();
  box.SetChecked(false);
  DonateFormShow(3, "Quillet", texts, box);
  EXPECT_EQ(texts.caption, "Support \"Quillet\"");
  EXPECT_EQ(texts.first_line, "\"Quillet\" is Freeware. You may use it for FREE as long as you like.");
  EXPECT_EQ(texts.show_box, "Show this dialog when \"Quillet\" starts");
  EXPECT_NE(texts.appeal.find("make \"Quillet\" and other Brask Software better."), std::string::npos);
  EXPECT_TRUE(box.Checked()) << "nothing stored counts as shown";
  for (auto [stored, ticked] : {std::pair{"1", true}, {"0", false}, {"yes", false}, {"", true}}) {
    Store("03", stored);
    DonateTexts fresh = DesignedDonateTexts();
    DonateFormShow(3, "Quillet", fresh, box);
    EXPECT_EQ(box.Checked(), ticked) << stored;
  }
}

TEST_F(Prompt, CloseStoresTheBoxUnderTheTwoDigitName) {
  box.SetChecked(false);
  DonateFormClose(3, box);
  EXPECT_EQ(ReadUserText("Brask\\Support", "03"), "0");
  box.SetChecked(true);
  DonateFormClose(3, box);
  EXPECT_EQ(ReadUserText("Brask\\Support", "03"), "1");
  DonateFormClose(123, box);
  EXPECT_EQ(ReadUserText("Brask\\Support", "12"), "1") << "cut to two characters on writing";
}

TEST_F(Prompt, NumberZeroReadsButNeverWrites) {
  Store("00", "0");
  DonateTexts texts = DesignedDonateTexts();
  DonateFormShow(0, "Quillet", texts, box);
  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  DonateFormClose(0, box);
  EXPECT_EQ(ReadUserText("Brask\\Support", "00"), "0");
  DeleteKeyAt(kCurrentUser, "Brask");
  DonateFormClose(0, box);
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, "Brask"));
}

}  // namespace
}  // namespace quillet::dialogs
