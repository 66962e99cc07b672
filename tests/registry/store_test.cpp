// The store's own rules: conversions, the state of a store object, and the failure paths of an
// account that may not write under HKEY_LOCAL_MACHINE.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "registry/memory_backend.h"
#include "registry/registry_store.h"

namespace quillet {
namespace {

TEST(Conversions, KeyPathsSkipEmptyNames) {
  struct Case {
    const char* path;
    std::vector<std::string_view> names;
    const char* normal;
  } cases[] = {
      {"", {}, ""},
      {"\\\\", {}, ""},
      {"Software", {"Software"}, "Software"},
      {"\\Software\\\\Classes\\", {"Software", "Classes"}, "Software\\Classes"},
      {"a\\ b \\c", {"a", " b ", "c"}, "a\\ b \\c"},  // blanks are part of a name
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitKeyPath(c.path), c.names) << c.path;
    EXPECT_EQ(NormalizeRegPath(c.path), c.normal) << c.path;
  }
}

TEST(Conversions, FlagText) {
  EXPECT_EQ(FlagText(0), "True");
  EXPECT_EQ(FlagText(1), "False");
  EXPECT_EQ(FlagText(-1), "False");
}

TEST(Conversions, DecimalTextAndValue) {
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(9), "9");
  EXPECT_EQ(DecimalText(10), "10");
  EXPECT_EQ(DecimalText(50), "50");
  EXPECT_EQ(DecimalText(2147483647), "2147483647");
  EXPECT_EQ(DecimalText(-32), "-32");
  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("0"), 0);
  EXPECT_EQ(DecimalValue("48"), 48);
  EXPECT_EQ(DecimalValue("4 8"), 408);
  EXPECT_EQ(DecimalValue("x7"), 7);
  EXPECT_EQ(DecimalValue("3a"), 30);
  EXPECT_EQ(DecimalValue("-5"), 5);
  EXPECT_EQ(DecimalValue(" 32"), 32);
  // 32-bit arithmetic wraps: 4294967296 is 2^32, 4294967297 wraps to 1.
  EXPECT_EQ(DecimalValue("4294967297"), 1);
  EXPECT_EQ(DecimalValue("2147483648"), static_cast<std::int32_t>(0x80000000u));
  // Weights past 10^9 wrap too but keep adding: nothing here may be undefined behaviour.
  EXPECT_EQ(DecimalValue("1" + std::string(30, '0')), DecimalValue("1" + std::string(30, '0')));
}

class StoreTest : public ::testing::Test {
 protected:
  MemoryBackend backend;
  ScopedRegistry scope{backend};
};

TEST_F(StoreTest, OpenKeepsThePreviousKeyOnFailureAndSetRootCloses) {
  CreateKeyAt(kCurrentUser, "a\\b");
  RegistryStore store;
  EXPECT_EQ(store.Root(), kCurrentUser);  // the initial root
  ASSERT_TRUE(store.Open("a", false));
  EXPECT_FALSE(store.Open("nothing", false));
  EXPECT_TRUE(store.HasCurrentKey());
  EXPECT_EQ(store.CurrentPath(), "a");
  EXPECT_TRUE(store.Open("b", false));
  EXPECT_EQ(store.CurrentPath(), "a\\b");
  store.SetRoot(kCurrentUser);  // same root: nothing changes
  EXPECT_TRUE(store.HasCurrentKey());
  store.SetRoot(kLocalMachine);
  EXPECT_FALSE(store.HasCurrentKey());
  EXPECT_FALSE(store.Open("a", false));  // a lives under the other root
  EXPECT_TRUE(store.Open("a", true));
  EXPECT_TRUE(KeyExistsAt(kLocalMachine, "a"));
  EXPECT_TRUE(store.MakeKey("x\\y"));  // relative to the open key, which stays current
  EXPECT_EQ(store.CurrentPath(), "a");
  EXPECT_TRUE(KeyExistsAt(kLocalMachine, "a\\x\\y"));
  store.Close();
  EXPECT_EQ(store.CurrentPath(), "");
}

TEST_F(StoreTest, EraseThroughAnOpenKeyAndAKeyDeletedUnderAnOpenHandle) {
  CreateKeyAt(kCurrentUser, "p\\q\\r");
  RegistryStore store;
  ASSERT_TRUE(store.Open("p", false));
  EXPECT_TRUE(store.EraseKey("q"));
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, "p\\q"));

  RegistryStore holder;
  CreateKeyAt(kCurrentUser, "gone");
  ASSERT_TRUE(holder.Open("gone", false));
  EXPECT_TRUE(DeleteKeyAt(kCurrentUser, "gone"));
  EXPECT_EQ(holder.ReadText("v"), "");  // a deleted key reads empty
  EXPECT_THROW(holder.WriteText("v", "x"), ERegistryException);
}

TEST_F(StoreTest, AnEmptyPathNamesTheKeyItself) {
  CreateKeyAt(kCurrentUser, "k\\child");
  RegistryStore store;
  ASSERT_TRUE(store.Open("k", false));
  EXPECT_TRUE(store.HasKey(""));
  // Erasing the empty path relative to the open key takes the key's subtree and the key.
  EXPECT_TRUE(store.EraseKey(""));
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, "k"));
  // A root itself never goes, though everything below it does.
  CreateKeyAt(kCurrentUser, "z");
  RegistryStore top;
  EXPECT_FALSE(top.EraseKey("\\"));
  NameList names;
  ListSubkeys(kCurrentUser, "", names);
  EXPECT_TRUE(names.empty());
}

TEST_F(StoreTest, MachineWithoutWriteRights) {
  CreateKeyAt(kLocalMachine, "Software\\Existing");
  WriteMachineText("Software\\Existing", "v", "kept");
  backend.SetMachineReadOnly(true);

  auto error = [](auto f) -> std::string {
    try {
      f();
    } catch (const std::exception& e) {
      return e.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(error([] { CreateKeyAt(kLocalMachine, "Software\\New"); }),
            "Failed to create key Software\\New");
  EXPECT_EQ(error([] { WriteMachineText("Software\\Existing", "v", "x"); }),
            "Failed to set data for 'v'");
  EXPECT_EQ(error([] { WriteDword(kLocalMachine, "Software\\Existing", "d", 1); }),
            "Failed to set data for 'd'");
  EXPECT_EQ(error([] { RegisterText(kLocalMachine, "Software\\Existing", "03", "x"); }),
            "Error creating system registry entry");
  // Reads open with full access, so they come back empty; the existence test still answers.
  EXPECT_EQ(ReadMachineText("Software\\Existing", "v"), "");
  EXPECT_TRUE(KeyExistsAt(kLocalMachine, "Software\\Existing"));
  NameList names{"x"};
  ListSubkeys(kLocalMachine, "Software", names);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(DeleteKeyAt(kLocalMachine, "Software\\Existing"));
  EXPECT_TRUE(RemoveValue(kLocalMachine, "Software\\Existing", "v"));
  // The current user's keys are untouched by the switch.
  EXPECT_TRUE(WriteTextAt(kCurrentUser, "Software\\Mine", "v", "ok"));

  backend.SetMachineReadOnly(false);
  EXPECT_EQ(ReadMachineText("Software\\Existing", "v"), "kept");
  EXPECT_FALSE(KeyExistsAt(kLocalMachine, "Software\\New"));
}

TEST_F(StoreTest, AnyBytesInPathsAndNames) {
  // Paths are user text: control characters, high bytes, very long names.
  const std::string odd = std::string("a\x01\xff\x7f") + "]\"=@";
  EXPECT_TRUE(WriteTextAt(kCurrentUser, odd + "\\" + odd, odd, odd));
  EXPECT_EQ(ReadUserText(odd + "\\" + odd, odd), odd);
  const std::string huge(100000, '\\');
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, huge + "nothing"));
  EXPECT_THROW(WriteTextAt(kCurrentUser, "k", std::string(20000, 'n'), "x"), ERegistryException);
}

}  // namespace
}  // namespace quillet
