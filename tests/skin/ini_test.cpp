#include <gtest/gtest.h>

#include "skin/quick_ini.h"

using namespace quillet::skin;

TEST(QuickIni, TrimsDropsCommentsAndFindsSections) {
  TQuickIni ini;
  ini.LoadText("  ; comment\r\n\t[Main]  \r\n\r\n key = value ; not a comment \n;x=1\r[ Spaced ]\nk=2\n[OTHER]\nk=3");
  EXPECT_EQ(ini.ReadString("main", "KEY", "d"), "value ; not a comment");
  EXPECT_EQ(ini.ReadString("Main", "x", "d"), "d");
  EXPECT_EQ(ini.ReadString("other", "k", "d"), "3");
  EXPECT_EQ(ini.ReadString("Spaced", "k", "d"), "d");  // spaces inside the brackets are part of the name
  EXPECT_EQ(ini.ReadString(" Spaced ", "k", "d"), "2");
  EXPECT_EQ(ini.ReadString("missing", "k", "d"), "d");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Main", "Spaced", "OTHER"}));
}

TEST(QuickIni, FirstMatchingKeyWinsEvenWhenEmpty) {
  TQuickIni ini;
  ini.LoadText("[s]\nnoequals\na=\na=second\nb = \n=x\n[t]\na=other");
  EXPECT_EQ(ini.ReadString("s", "a", "def"), "def");
  EXPECT_EQ(ini.ReadString("s", "b", "def"), "def");
  EXPECT_EQ(ini.ReadString("s", "", "def"), "def");  // "noequals" has the empty key and no value
  EXPECT_EQ(ini.ReadString("t", "a", "def"), "other");
}

TEST(QuickIni, StopsAtNul) {
  TQuickIni ini;
  const std::string text("[s]\na=1\0\nb=2", 13);
  ini.LoadText(text);
  EXPECT_EQ(ini.ReadString("s", "a", ""), "1");
  EXPECT_EQ(ini.ReadString("s", "b", "none"), "none");
}

TEST(QuickIni, Integers) {
  TQuickIni ini;
  ini.LoadText("[n]\nhex=0x1F\nHEX=0X1f\nbare=0x\ndollar=$1F\nneg=-42\nplus=+7\nbad=12a\nbig=2147483648\n"
               "min=-2147483648\nall=$FFFFFFFF\nnegdollar=-$10\nspace=1 2\nempty=\nxbad=0xZZ");
  EXPECT_EQ(ini.ReadInteger("n", "hex", -1), 31);
  EXPECT_EQ(ini.ReadInteger("n", "bare", -1), -1);
  EXPECT_EQ(ini.ReadInteger("n", "dollar", -1), 31);
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -42);
  EXPECT_EQ(ini.ReadInteger("n", "plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("n", "bad", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "big", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "min", 5), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("n", "all", 5), -1);
  EXPECT_EQ(ini.ReadInteger("n", "negdollar", 5), -16);
  EXPECT_EQ(ini.ReadInteger("n", "space", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "empty", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "xbad", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "missing", 9), 9);
}

TEST(QuickIni, ColorText) {
  EXPECT_EQ(ParseColorText("235 233 235"), 235u + 233u * 256 + 235u * 65536);
  EXPECT_EQ(ParseColorText("1,2,3"), 0x030201u);
  EXPECT_EQ(ParseColorText(" 10 ; 20 -30 "), 0x1E140Au);
  EXPECT_EQ(ParseColorText("7"), 7u);
  EXPECT_EQ(ParseColorText("999 0 99999999999"), 0xFF00FFu);  // a number never spills into the next channel
}
