#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "creator/clsid_list.h"
#include "creator/icon_location.h"

namespace quillet::creator {
namespace {

using Lines = std::vector<std::string>;

TEST(ClsidListFile, EveryLineEndingGivesTheSameEntries) {
  EXPECT_EQ(ParseClsidList("A\r\n\r\nB"), (Lines{"A", "", "B"}));
  EXPECT_EQ(ParseClsidList("A\n\nB"), (Lines{"A", "", "B"}));
  EXPECT_EQ(ParseClsidList("A\r\rB"), (Lines{"A", "", "B"}));
  EXPECT_EQ(ParseClsidList("A\r\n\r\nB\r\n"), (Lines{"A", "", "B"}));
  // LF then CR is two breaks, not one.
  EXPECT_EQ(ParseClsidList("A\n\rB"), (Lines{"A", "", "B"}));
  EXPECT_EQ(FormatClsidList({"A", "", "B"}), "A\r\n\r\nB\r\n");
}

TEST(ClsidListFile, EmptyContentNulAndDuplicates) {
  EXPECT_TRUE(ParseClsidList("").empty());
  EXPECT_EQ(FormatClsidList({}), "");
  EXPECT_EQ(ParseClsidList("\r\n"), (Lines{""}));
  EXPECT_EQ(ParseClsidList(std::string("A\r\nB\0C\r\nD", 9)), (Lines{"A", "B"}));
  EXPECT_EQ(ParseClsidList(std::string("\0A", 2)), Lines{});
  EXPECT_EQ(ParseClsidList("x\r\nX\r\nx"), (Lines{"x", "X", "x"}));
  EXPECT_EQ(ParseClsidList(" {a} \t\r\n"), (Lines{" {a} \t"}));
}

TEST(ClsidListFile, FolderOfAPath) {
  EXPECT_EQ(FolderOf("C:\\Program Files\\Quillet\\quillet.exe"), "C:\\Program Files\\Quillet\\");
  EXPECT_EQ(FolderOf("/tmp/q/quillet.exe"), "/tmp/q/");
  EXPECT_EQ(FolderOf("quillet.exe"), "");
}

TEST(RandomClsid, FollowsTheGeneratorStepByStep) {
  Lcg random(0);
  // state 0 -> 1: upper bits of 1 * 16 are 0; next state 134775814.
  EXPECT_EQ(random.Below(16), 0u);
  EXPECT_EQ(random.State(), 1u);
  EXPECT_EQ(random.Below(16), static_cast<std::uint32_t>((134775814ull * 16) >> 32));
  EXPECT_EQ(random.State(), 134775814u);
  Lcg wraps(0xFFFFFFFFu);
  wraps.Below(16);
  EXPECT_EQ(wraps.State(), static_cast<std::uint32_t>(0xFFFFFFFFull * 134775813ull + 1));
}

TEST(RandomClsid, HasTheRegistryFormAndDiffersBySeed) {
  const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
  std::set<std::string> seen;
  for (std::uint32_t seed : {0u, 1u, 2u, 12345u, 0xFFFFFFFFu}) {
    Lcg random(seed);
    const std::string id = RandomClsid(random);
    EXPECT_EQ(id.size(), 38u);
    EXPECT_TRUE(std::regex_match(id, form)) << id;
    seen.insert(id);
  }
  EXPECT_EQ(seen.size(), 5u);
  // Same seed, same text: the generator has no hidden state.
  Lcg a(77), b(77);
  EXPECT_EQ(RandomClsid(a), RandomClsid(b));
}

TEST(TrimBlank, DropsSpacesAndControlCharacters) {
  EXPECT_EQ(TrimBlank(" \t{a b}\r\n "), "{a b}");
  EXPECT_EQ(TrimBlank("   "), "");
  EXPECT_EQ(TrimBlank(""), "");
}

TEST(IconIndex, AcceptedForms) {
  EXPECT_EQ(ParseIconIndex("3"), 3);
  EXPECT_EQ(ParseIconIndex("-3"), -3);
  EXPECT_EQ(ParseIconIndex("007"), 7);
  EXPECT_EQ(ParseIconIndex("0x1F"), 31);
  EXPECT_EQ(ParseIconIndex("0XaB"), 171);
  EXPECT_EQ(ParseIconIndex("-0x10"), -16);
  EXPECT_EQ(ParseIconIndex("-$10"), -16);
  EXPECT_EQ(ParseIconIndex("-x10"), -16);
  EXPECT_EQ(ParseIconIndex("2147483647"), 2147483647);
  EXPECT_EQ(ParseIconIndex("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseIconIndex("0xFFFFFFFF"), -1);
}

TEST(IconIndex, RejectedFormsNameTheText) {
  for (const char* bad : {"", "-", "3 ", "3a", "3,4", "2147483648", "-2147483649", "0x", "0x100000000",
                          "0xG", "$10", "x10", "--3", "+3", "-3-"}) {
    try {
      ParseIconIndex(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

TEST(IconLocationSplit, CutsOnlyAtAFirstCommaBeforeASignOrDigit) {
  auto at = [](const std::string& t) {
    const IconLocation l = SplitIconLocation(t);
    return l.file + "|" + std::to_string(l.index);
  };
  EXPECT_EQ(at("C:\\x.dll,3"), "C:\\x.dll|3");
  EXPECT_EQ(at("C:\\x.dll,-3"), "C:\\x.dll|-3");
  EXPECT_EQ(at("C:\\x.dll"), "C:\\x.dll|0");
  EXPECT_EQ(at("C:\\x.dll, 3"), "C:\\x.dll, 3|0");
  EXPECT_EQ(at("C:\\a,b\\x.dll"), "C:\\a,b\\x.dll|0");
  EXPECT_EQ(at("C:\\x.dll,"), "C:\\x.dll,|0");
  EXPECT_THROW(at("C:\\a,1b\\x.dll"), EConvertError);
  try {
    at("x.dll,2,5");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2,5' is not a valid integer value");
  }
}

}  // namespace
}  // namespace quillet::creator
