#include "registry/vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "registry/registry_store.h"

namespace quillet::testing {

namespace {

void SetRaw(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
            const std::string& bytes) {
  RegistryBackend& b = DefaultRegistry();
  RegHandle key = 0;
  ASSERT_EQ(b.CreateKey(root, path, kAccessAll, &key), kOk);
  ASSERT_EQ(b.SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                       static_cast<std::uint32_t>(bytes.size())),
            kOk);
  b.CloseKey(key);
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

// The same class path in both hives' classes, with values and subkeys of their own and in common.
void FillBothClasses(const std::string& base) {
  const std::string user = "Software\\Classes\\" + base, machine = user;
  WriteMachineText(machine + "\\Both", "", "machine default");
  WriteMachineText(machine + "\\Both", "m", "machine m");
  WriteMachineText(machine + "\\Both", "x", "machine x");
  WriteTextAt(kCurrentUser, user + "\\Both", "", "user default");
  WriteTextAt(kCurrentUser, user + "\\Both", "u", "user u");
  WriteTextAt(kCurrentUser, user + "\\Both", "x", "user x");
  for (const char* k : {"\\Both\\mchild", "\\Both\\Shared"}) CreateKeyAt(kLocalMachine, machine + k);
  for (const char* k : {"\\Both\\uchild", "\\Both\\shared"}) CreateKeyAt(kCurrentUser, user + k);
  WriteMachineText(machine + "\\MachineOnly", "", "machine only");
  WriteTextAt(kCurrentUser, user + "\\UserOnly", "", "user only");
}

const std::vector<RegistryVector>& Vectors() {
  static const std::vector<RegistryVector> vectors = {
    {"PathsSkipEmptyComponentsAndIgnoreCase",
     [](const std::string& base) {
       const std::string clsid = "{0A1B2C3D-AAAA-BBBB-CCCC-DDDDEEEEFFFF}";
       WriteMachineText(base + "\\Software\\CLASSES\\CLSID\\" + clsid, "", "upper");
       std::string lower = clsid;
       for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
       EXPECT_EQ(ReadMachineText(base + "\\SOFTWARE\\Classes\\CLSID\\" + lower, ""), "upper");
       EXPECT_EQ(ReadMachineText(base + "\\\\Software\\\\CLASSES\\CLSID\\" + clsid + "\\", ""),
                 "upper");
       RegistryStore store;
       store.SetRoot(kLocalMachine);
       EXPECT_TRUE(store.Open("\\" + base + "\\software", false));
       EXPECT_EQ(store.CurrentPath(), base + "\\software");
       EXPECT_TRUE(store.Open("classes\\\\clsid\\", false));  // relative to the open key
       EXPECT_EQ(store.CurrentPath(), base + "\\software\\classes\\\\clsid\\");
       NameList names;
       store.SubkeyNames(names);
       ASSERT_EQ(names.size(), 1u);
       EXPECT_EQ(names[0], clsid);  // the case it was made in
       EXPECT_TRUE(store.HasKey(clsid));
       EXPECT_TRUE(store.HasKey("\\" + base + "\\SOFTWARE"));
       EXPECT_FALSE(store.Open("missing", false));
       EXPECT_EQ(store.CurrentPath(), base + "\\software\\classes\\\\clsid\\");  // unchanged
     }},
    {"EraseRemovesThreeLevelsAndMissingIsSilent",
     [](const std::string& base) {
       for (const char* p : {"\\top\\a\\a1\\a11", "\\top\\a\\a2", "\\top\\b\\b1\\b11", "\\top\\c"})
         CreateKeyAt(kLocalMachine, base + p);
       WriteMachineText(base + "\\top\\b\\b1\\b11", "v", "x");
       WriteMachineText(base + "\\top", "w", "y");
       EXPECT_TRUE(DeleteKeyAt(kLocalMachine, base + "\\top"));
       EXPECT_FALSE(KeyExistsAt(kLocalMachine, base + "\\top"));
       EXPECT_TRUE(KeyExistsAt(kLocalMachine, base));
       EXPECT_TRUE(DeleteKeyAt(kLocalMachine, base + "\\top"));
       RegistryStore store;
       store.SetRoot(kLocalMachine);
       EXPECT_FALSE(store.EraseKey(base + "\\top"));
       EXPECT_FALSE(store.EraseKey(base + "\\never\\was"));
     }},
    {"MissingKeysAndValuesReadEmpty",
     [](const std::string& base) {
       EXPECT_EQ(ReadMachineText(base + "\\nokey", "v"), "");
       CreateKeyAt(kLocalMachine, base + "\\k");
       EXPECT_EQ(ReadMachineText(base + "\\k", "novalue"), "");
       NameList list = {"stale", "entries"};
       EXPECT_TRUE(ListSubkeys(kLocalMachine, base + "\\nokey", list));
       EXPECT_TRUE(list.empty());
       list = {"stale"};
       EXPECT_TRUE(ListValues(kCurrentUser, base + "\\nokey", list));
       EXPECT_TRUE(list.empty());
       EXPECT_EQ(ReadDword(kCurrentUser, base + "\\nokey", "v"), 0);
       EXPECT_TRUE(RemoveValue(kLocalMachine, base + "\\k", "novalue"));
       EXPECT_TRUE(RemoveValue(kLocalMachine, base + "\\nokey", "novalue"));
       RegistryStore store;
       EXPECT_EQ(store.GetValueKind("x"), ValueKind::Other);  // no key open
       EXPECT_EQ(store.ReadText("x"), "");
       EXPECT_FALSE(store.EraseValue("x"));
       EXPECT_EQ(ErrorOf([&] { store.WriteText("x", "y"); }), "Failed to set data for 'x'");
       EXPECT_EQ(ErrorOf([&] { store.WriteText("", "y"); }), "Failed to set data for ''");
     }},
    {"TextValuesReadUpToTheirFirstNul",
     [](const std::string& base) {
       const std::string k = base + "\\text";
       SetRaw(kLocalMachine, k, "nul", kTypeSz, std::string("ab\0cd\0", 6));
       SetRaw(kLocalMachine, k, "empty", kTypeSz, "");
       SetRaw(kLocalMachine, k, "expand", kTypeExpandSz, std::string("%SystemRoot%\\x\0", 15));
       SetRaw(kLocalMachine, k, "bin", kTypeBinary, "\x01\x02");
       EXPECT_EQ(ReadMachineText(k, "nul"), "ab");
       EXPECT_EQ(ReadMachineText(k, "empty"), "");
       EXPECT_EQ(ReadMachineText(k, "expand"), "%SystemRoot%\\x");
       EXPECT_EQ(ErrorOf([&] { ReadMachineText(k, "bin"); }), "Invalid data type for 'bin'");
       RegistryStore store;
       store.SetRoot(kLocalMachine);
       ASSERT_TRUE(store.Open(k, false));
       EXPECT_EQ(store.GetValueKind("expand"), ValueKind::ExpandText);
       EXPECT_EQ(store.GetValueKind("bin"), ValueKind::Binary);
       EXPECT_EQ(store.GetValueKind("NUL"), ValueKind::Text);
     }},
    {"NumbersAndTheirKinds",
     [](const std::string& base) {
       const std::string k = base + "\\num";
       WriteDword(kCurrentUser, k, "one", 1);
       WriteDword(kCurrentUser, k, "neg", -1);
       SetRaw(kCurrentUser, k, "text", kTypeSz, std::string("1\0", 2));
       SetRaw(kCurrentUser, k, "long", kTypeBinary, "123456");
       EXPECT_EQ(ReadDword(kCurrentUser, k, "one"), 1);
       EXPECT_EQ(ReadDword(kCurrentUser, k, "NEG"), -1);
       EXPECT_EQ(ReadDword(kCurrentUser, k, "text"), 0);
       EXPECT_EQ(ReadDword(kCurrentUser, k, "missing"), 0);
       RegistryStore store;
       store.SetRoot(kCurrentUser);
       ASSERT_TRUE(store.Open(k, false));
       EXPECT_EQ(ErrorOf([&] { store.ReadNumber("text"); }), "Invalid data type for 'text'");
       EXPECT_EQ(ErrorOf([&] { store.ReadNumber("long"); }), "Failed to get data for 'long'");
       EXPECT_EQ(ErrorOf([&] { store.ReadNumber("missing"); }), "Failed to get data for 'missing'");
       EXPECT_EQ(ErrorOf([&] { store.ReadText("one"); }), "Invalid data type for 'one'");
       store.WriteText("one", "now text");  // replaces the number whatever its kind
       EXPECT_EQ(store.GetValueKind("one"), ValueKind::Text);
       EXPECT_EQ(store.ReadText("ONE"), "now text");
     }},
    {"WritesCreateTheKeysAboveAndTheDefaultValue",
     [](const std::string& base) {
       const std::string k = base + "\\deep\\er\\est";
       EXPECT_TRUE(WriteMachineText(k, "", "default"));
       EXPECT_TRUE(WriteMachineText(k, "named", "x"));
       EXPECT_EQ(ReadMachineText(k, ""), "default");
       NameList values;
       ListValues(kLocalMachine, k, values);
       EXPECT_EQ(values.size(), 2u);
       EXPECT_NE(std::find(values.begin(), values.end(), ""), values.end());
       RegisterText(kCurrentUser, base + "\\reg\\istered", "03", "C:\\x\\quillet.exe");
       EXPECT_EQ(ReadUserText(base + "\\reg\\istered", "03"), "C:\\x\\quillet.exe");
     }},
    {"KeyNamesOf255CharactersButNot257",
     [](const std::string& base) {
       // Relative to an open key, so only the name itself goes to the registry: Wine's ANSI calls
       // cap a whole path at 260 characters.
       const std::string ok(255, 'k'), too_long(257, 'k');
       RegistryStore store;
       store.SetRoot(kLocalMachine);
       ASSERT_TRUE(store.Open(base, false));
       EXPECT_TRUE(store.MakeKey(ok));
       EXPECT_TRUE(store.HasKey(ok));
       EXPECT_EQ(ErrorOf([&] { store.MakeKey(too_long); }), "Failed to create key " + too_long);
       EXPECT_FALSE(store.HasKey(too_long));
       EXPECT_FALSE(store.Open(too_long, true));
       NameList names;
       store.SubkeyNames(names);
       EXPECT_EQ(names, NameList{ok});
     }},
    {"SubkeysEnumerateSortedWithoutRegardToCase",
     [](const std::string& base) {
       for (const char* n : {"beta", "Alpha", "gamma", "ALPHA2", "Delta", "10", "9"})
         CreateKeyAt(kLocalMachine, base + "\\list\\" + n);
       NameList names;
       ListSubkeys(kLocalMachine, base + "\\list", names);
       EXPECT_EQ(names, (NameList{"10", "9", "Alpha", "ALPHA2", "beta", "Delta", "gamma"}));
     }},
    {"NamesEndAtTheirFirstNul",
     [](const std::string& base) {
       const std::string nul("\0tail", 5);
       WriteMachineText(base + "\\cut" + nul, "name" + nul, "text");
       EXPECT_EQ(ReadMachineText(base + "\\cut", "name"), "text");
       EXPECT_TRUE(KeyExistsAt(kLocalMachine, base + "\\cut" + nul));
     }},
    {"SubkeysCompareAsUpperCase",
     [](const std::string& base) {
       // Windows folds names to upper case to order them, so "_" (after "Z") sorts after letters.
       for (const char* n : {"_under", "alpha", "Beta"}) CreateKeyAt(kLocalMachine, base + "\\u\\" + n);
       NameList names;
       ListSubkeys(kLocalMachine, base + "\\u", names);
       EXPECT_EQ(names, (NameList{"alpha", "Beta", "_under"}));
     },
     /*skip_on_wine_registry=*/true},  // Wine folds to lower case and puts "_" first
    {"ValuesEnumerateInTheOrderTheyWereMade",
     [](const std::string& base) {
       const std::string k = base + "\\vals";
       for (const char* n : {"zeta", "Alpha", "mid"}) WriteMachineText(k, n, "x");
       WriteMachineText(k, "ZETA", "again");  // replacing keeps the place and the name's case
       NameList names;
       ListValues(kLocalMachine, k, names);
       EXPECT_EQ(names, (NameList{"zeta", "Alpha", "mid"}));
     },
     /*skip_on_wine_registry=*/true},  // Wine's registry lists values sorted by name
    {"ClassesRootShowsTheMachineClasses",
     [](const std::string& base) {
       const std::string machine = "Software\\Classes\\" + base;
       WriteMachineText(machine + "\\M", "", "machine");
       EXPECT_EQ(ReadClassesText(base + "\\m", ""), "machine");
       EXPECT_TRUE(WriteTextAt(kClassesRoot, base + "\\M", "w", "through"));
       EXPECT_EQ(ReadMachineText(machine + "\\M", "w"), "through");
       EXPECT_TRUE(CreateKeyAt(kClassesRoot, base + "\\New\\Deep"));
       EXPECT_TRUE(KeyExistsAt(kLocalMachine, machine + "\\New\\Deep"));
       EXPECT_FALSE(KeyExistsAt(kCurrentUser, "Software\\Classes\\" + base));
       NameList names;
       ListSubkeys(kClassesRoot, base, names);
       EXPECT_EQ(names, (NameList{"M", "New"}));
       EXPECT_TRUE(DeleteKeyAt(kClassesRoot, base + "\\New"));
       EXPECT_FALSE(KeyExistsAt(kLocalMachine, machine + "\\New"));
     },
     false, /*classes=*/true},
    {"ClassesRootReadsTheUserClassesFirst",
     [](const std::string& base) {
       FillBothClasses(base);
       EXPECT_EQ(ReadClassesText(base + "\\Both", ""), "user default");
       EXPECT_EQ(ReadClassesText(base + "\\Both", "x"), "user x");
       EXPECT_EQ(ReadClassesText(base + "\\Both", "m"), "machine m");  // the user's key lacks it
       EXPECT_EQ(ReadClassesText(base + "\\UserOnly", ""), "user only");
       EXPECT_EQ(ReadClassesText(base + "\\MachineOnly", ""), "machine only");
       NameList names;
       ListSubkeys(kClassesRoot, base, names);
       EXPECT_EQ(names, (NameList{"Both", "MachineOnly", "UserOnly"}));
       ListSubkeys(kClassesRoot, base + "\\Both", names);
       EXPECT_EQ(names, (NameList{"mchild", "shared", "uchild"}));  // the user's spelling
       ListValues(kClassesRoot, base + "\\Both", names);
       EXPECT_EQ(names, (NameList{"", "u", "x", "m"}));  // the user's, then the machine's others
     },
     /*skip_on_wine_registry=*/true, /*classes=*/true},  // Wine's classes root is the machine's
    {"ClassesRootWritesWhereTheUserKeyIsAndMakesKeysInTheMachine",
     [](const std::string& base) {
       FillBothClasses(base);
       const std::string user = "Software\\Classes\\" + base, machine = user;
       EXPECT_TRUE(WriteTextAt(kClassesRoot, base + "\\Both", "w", "new"));
       EXPECT_EQ(ReadUserText(user + "\\Both", "w"), "new");
       EXPECT_TRUE(WriteTextAt(kClassesRoot, base + "\\MachineOnly", "w", "new"));
       EXPECT_EQ(ReadMachineText(machine + "\\MachineOnly", "w"), "new");
       // A new key goes to the machine's classes, with the keys above it, whoever has those.
       EXPECT_TRUE(CreateKeyAt(kClassesRoot, base + "\\UserOnly\\Sub"));
       EXPECT_TRUE(KeyExistsAt(kLocalMachine, machine + "\\UserOnly\\Sub"));
       EXPECT_FALSE(KeyExistsAt(kCurrentUser, user + "\\UserOnly\\Sub"));
       // Removals take what a read finds: the user's first, then the machine's shows.
       EXPECT_TRUE(RemoveValue(kClassesRoot, base + "\\Both", "x"));
       EXPECT_EQ(ReadClassesText(base + "\\Both", "x"), "machine x");
       EXPECT_TRUE(RemoveValue(kClassesRoot, base + "\\Both", "x"));
       EXPECT_EQ(ReadMachineText(machine + "\\Both", "x"), "");
       EXPECT_TRUE(DeleteKeyAt(kClassesRoot, base + "\\Both\\Shared"));
       EXPECT_FALSE(KeyExistsAt(kCurrentUser, user + "\\Both\\Shared"));
       EXPECT_TRUE(KeyExistsAt(kClassesRoot, base + "\\Both\\Shared"));
       EXPECT_TRUE(DeleteKeyAt(kClassesRoot, base + "\\Both\\Shared"));
       EXPECT_FALSE(KeyExistsAt(kClassesRoot, base + "\\Both\\Shared"));
     },
     /*skip_on_wine_registry=*/true, /*classes=*/true},
  };
  return vectors;
}

}  // namespace

const std::vector<RegistryVector>& RegistryVectors() { return Vectors(); }

}  // namespace quillet::testing
