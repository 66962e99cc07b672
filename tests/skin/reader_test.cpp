#include <gtest/gtest.h>

#include "skin/lzh.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"

using namespace quillet::skin;

namespace {

void Put32(std::vector<std::uint8_t>& v, std::int32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(x) >> (8 * i)));
}

// An archive by hand: header, skipped block, the name list, the sizes, the files.
std::vector<std::uint8_t> Archive(std::int32_t version, const std::string& names,
                                  const std::vector<std::int32_t>& sizes, const std::string& data,
                                  int skip = -1, std::int32_t listLength = -1) {
  std::vector<std::uint8_t> v;
  Put32(v, version);
  Put32(v, listLength >= 0 ? listLength : static_cast<std::int32_t>(names.size()));
  v.resize(16 + (skip >= 0 ? skip : TSkinReader::SkippedBlockSize(version)), 0xEE);
  v.insert(v.end(), names.begin(), names.end());
  for (auto s : sizes) Put32(v, s);
  v.insert(v.end(), data.begin(), data.end());
  return v;
}

std::string Str(const std::vector<std::uint8_t>& v) { return {v.begin(), v.end()}; }

}  // namespace

TEST(SkinReader, ReadsEveryVersionWithItsSkippedBlock) {
  const std::pair<int, int> versions[] = {{20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69}};
  for (auto [version, skip] : versions) {
    EXPECT_EQ(TSkinReader::SkippedBlockSize(version), skip);
    TSkinReader r;
    ASSERT_TRUE(r.OpenArchive(Archive(version, "Skin.INI\r\nA.bmp\r\n", {3, 2}, "iniab"))) << version;
    EXPECT_EQ(r.Version(), version);
    EXPECT_EQ(r.Names(), (std::vector<std::string>{"skin.ini", "a.bmp"}));
    EXPECT_EQ(Str(r.ExtractByName("A.BMP")), "ab");
    EXPECT_EQ(Str(r.ExtractByName("skin.ini")), "ini");
  }
}

TEST(SkinReader, OtherVersionsShowTheUpdateMessage) {
  for (int version : {0, 10000, 70001, 80000}) {
    TSkinReader r;
    EXPECT_FALSE(r.OpenArchive(Archive(version, "a\r\n", {1}, "x", 0)));
    EXPECT_EQ(r.Error(), "This is Older Skin File\rPlease update to new version !");
  }
}

TEST(SkinReader, NameListSplitsAtAnyLineBreak) {
  TSkinReader r;
  ASSERT_TRUE(r.OpenArchive(Archive(70000, "a\rb\nc\r\nd\n\ne", {1, 1, 1, 1, 1, 1}, "123456")));
  EXPECT_EQ(r.Names(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(Str(r.ExtractByName("e")), "6");
}

TEST(SkinReader, ExtractByFragmentTakesTheFirstMatchInTheCaseGiven) {
  TSkinReader r;
  ASSERT_TRUE(r.OpenArchive(Archive(70000, "one.bmp\r\nskin.ini\r\ntwo.ini\r\n", {1, 2, 3}, "abbccc")));
  std::vector<std::uint8_t> out = {9, 9};
  EXPECT_EQ(r.ExtractByFragment(".ini", out), "skin.ini");
  EXPECT_EQ(Str(out), "bb");
  EXPECT_EQ(r.ExtractByFragment(".INI", out), "");  // names are lower case; the fragment is not folded
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(r.ExtractByName("missing.bmp").empty());
}

TEST(SkinReader, DamagedArchivesFailCleanly) {
  TSkinReader r;
  const std::string damaged = TSkinReader::kDamagedSkinMessage;
  EXPECT_FALSE(r.OpenArchive({1, 2, 3}));
  EXPECT_EQ(r.Error(), damaged);
  EXPECT_FALSE(r.OpenArchive(Archive(70000, "a\r\n", {-1}, "x")));          // negative size
  EXPECT_FALSE(r.OpenArchive(Archive(70000, "a\r\nb\r\n", {1, 5}, "xyz")));  // past the end
  EXPECT_FALSE(r.OpenArchive(Archive(70000, "a\r\n", {}, "")));              // sizes missing
  EXPECT_FALSE(r.OpenArchive(Archive(70000, "a", {}, "", -1, 5000)));        // list longer than data
  EXPECT_FALSE(r.OpenArchive(Archive(70000, "a", {}, "", -1, -4)));          // negative list length
  EXPECT_FALSE(r.OpenArchive(Archive(30000, "", {}, "", 10)));               // header shorter than V
  std::string many;
  for (int i = 0; i < 1002; ++i) many += "f\r\n";
  EXPECT_FALSE(r.OpenArchive(Archive(70000, many, std::vector<std::int32_t>(1002, 0), "")));
  EXPECT_EQ(r.Error(), damaged);
  EXPECT_TRUE(r.Names().empty());
  std::string most;
  for (int i = 0; i < 1001; ++i) most += "f\r\n";
  EXPECT_TRUE(r.OpenArchive(Archive(70000, most, std::vector<std::int32_t>(1001, 0), "")));
}

TEST(SkinReader, OpensTheCompressedRawStream) {
  TSkinArchiveWriter w;
  w.Add("Skin.ini", {'[', 'a', ']'});
  w.Add("b.bmp", {1, 2, 3});
  TSkinReader r;
  ASSERT_TRUE(r.Open(w.RawStream()));
  EXPECT_EQ(r.Names(), (std::vector<std::string>{"skin.ini", "b.bmp"}));
  EXPECT_EQ(r.ExtractByName("b.bmp"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_FALSE(r.Open(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(SkinStream, StoredPropertyLayout) {
  TSkinDataCore data;
  EXPECT_TRUE(data.NoSkinLoaded());
  const std::vector<std::uint8_t> zero = {0, 0, 0, 0};
  EXPECT_FALSE(data.ReadSkinStream(zero.data(), zero.size()));  // length 0: no skin, no message
  EXPECT_TRUE(data.NoSkinLoaded());
  EXPECT_TRUE(data.LastMessage().empty());
  EXPECT_EQ(data.WriteSkinStream(), zero);

  std::vector<std::string> shown;
  data.OnMessage = [&](const std::string& m) { shown.push_back(m); };
  const std::vector<std::uint8_t> tooLong = {10, 0, 0, 0, 1, 2};
  EXPECT_FALSE(data.ReadSkinStream(tooLong.data(), tooLong.size()));
  const std::vector<std::uint8_t> negative = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_FALSE(data.ReadSkinStream(negative.data(), negative.size()));
  EXPECT_EQ(shown.size(), 2u);

  TSkinArchiveWriter w;
  w.Add("a.ini", {});
  std::vector<std::uint8_t> old = w.Archive();
  old[0] = 0x10;  // version 69904
  const auto prop = WrapSkinStream(TLZH::Encode(old));
  EXPECT_FALSE(data.ReadSkinStream(prop.data(), prop.size()));
  EXPECT_EQ(shown.back(), TSkinReader::kOlderSkinMessage);
  EXPECT_TRUE(data.NoSkinLoaded());

  // A size field past what any skin needs is refused before anything is decoded.
  EXPECT_FALSE(data.LoadFromRaw({0xFF, 0xFF, 0xFF, 0x0F, 0x55}));
  EXPECT_EQ(shown.back(), TSkinReader::kDamagedSkinMessage);

  const auto good = WrapSkinStream(w.RawStream());
  EXPECT_TRUE(data.ReadSkinStream(good.data(), good.size()));
  EXPECT_FALSE(data.NoSkinLoaded());
  EXPECT_EQ(data.WriteSkinStream(), good);
}
