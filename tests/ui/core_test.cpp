#include <gtest/gtest.h>

#include "ui/error_text.h"
#include "ui/properties.h"

namespace quillet::ui {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterBytesSortingAfterIt) {
  EXPECT_EQ(ErrorBoxText("Failed to create key Software\\X"), "Failed to create key Software\\X.");
  EXPECT_EQ(ErrorBoxText("Access is denied."), "Access is denied.");
  EXPECT_EQ(ErrorBoxText("Ends with a comma,"), "Ends with a comma,");  // ',' sorts before '.'
  EXPECT_EQ(ErrorBoxText("quoted \"x\""), "quoted \"x\"");            // '"' too
  EXPECT_EQ(ErrorBoxText("digit 5"), "digit 5.");
  EXPECT_EQ(ErrorBoxText("slash/"), "slash/.");                      // '/' is the byte after '.'
  EXPECT_EQ(ErrorBoxText("accent \xE9"), "accent \xE9.");           // high bytes sort after it
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(PropertyTable, ByNameWithoutRegardToCaseAndTyped) {
  PropertyTable t;
  std::string caption = "OK";
  bool flag = false;
  t.Publish("Caption", [&] { return PropValue::OfText(caption); },
            [&](const std::string& s) { caption = s; return true; });
  t.Publish("Default", [&] { return PropValue::OfBool(flag); }, [&](const std::string& s) {
    auto b = ParseBool(s);
    if (b) flag = *b;
    return b.has_value();
  });
  t.Publish("Count", [] { return PropValue::OfInt(-42); });
  EXPECT_EQ(t.Get("caption")->AsText(), "OK");
  EXPECT_TRUE(t.Set("DEFAULT", "true"));
  EXPECT_EQ(t.Get("Default")->AsText(), "True");
  EXPECT_FALSE(t.Set("Default", "yes"));
  EXPECT_FALSE(t.Set("Count", "3")) << "read-only";
  EXPECT_EQ(t.Get("Count")->AsText(), "-42");
  EXPECT_FALSE(t.Get("Missing").has_value());
  t.Publish("caption", [] { return PropValue::OfText("refined"); });
  EXPECT_EQ(t.Get("Caption")->AsText(), "refined");
  EXPECT_EQ(t.Names().size(), 3u);
  EXPECT_FALSE(ParseInt("12x").has_value());
  EXPECT_EQ(ParseInt("-7").value(), -7);
}

}  // namespace
}  // namespace quillet::ui
