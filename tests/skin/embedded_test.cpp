// The skin embedded in the executable: found through the resource API and loadable.
#include <gtest/gtest.h>

#include "skin/embedded_skin.h"
#include "skin/skin_data.h"

#include <windows.h>

using namespace quillet::skin;

TEST(EmbeddedSkin, TheResourceHoldsTheStoredPropertyAndLoads) {
  const auto bytes = EmbeddedSkinStream();
  ASSERT_GT(bytes.size(), 4u);
  const std::uint32_t n = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  EXPECT_EQ(n + 4u, bytes.size());
  TSkinDataCore data;
  ASSERT_TRUE(data.ReadSkinStream(bytes.data(), bytes.size()));
  EXPECT_FALSE(data.NoSkinLoaded());
  EXPECT_EQ(data.Elements().SkinName, "Quillet");
  EXPECT_EQ(data.Elements().Buttons.CheckFrame, 12);
}

#include "skin/win32_system.h"

TEST(Win32SkinSystem, AnswersWithTheSystemsValues) {
  const Win32SkinSystem system;
  EXPECT_EQ(system.SysColor(sys::BtnFace), GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
  EXPECT_EQ(system.Resolve(SysTColor(sys::WindowText)), GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF);
  EXPECT_EQ(system.Resolve(0x123456), 0x123456u);
  EXPECT_GT(system.HScrollArrowWidth(), 0);
}
