#pragma once
// The creator page over fake controls, a fake platform with real files and an in-memory registry.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/text.h"
#include "creator/creator_page.h"
#include "creator/special_object.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/sample_object.h"
#include "support/fake_platform.h"
#include "support/fake_widgets.h"

namespace quillet::creator {

inline constexpr const char* kId = "{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}";

// The page over fakes, with whatever registry is in place.
class PageHarness : public ::testing::Test {
 protected:
  PageHarness() : page_(Controls(), platform_.Folder() + "/") { page_.Wire(); }

  CreatorControls Controls() {
    return {RFCNum, RFName, RFDesc, RME, STMC, STD, STCP, STNN, ShellName,
            RFCN,   RFPar,  List,   Def, RFDIcon, AII};
  }

  std::string DatPath() const { return page_.ListFilePath(); }
  std::string ReadDat() { return platform_.ReadWholeFile(DatPath()); }
  void WriteDat(const std::string& content) { platform_.WriteWholeFile(DatPath(), content); }

  // Runs a handler and returns the message it raised, empty when it raised none.
  template <typename F>
  static std::string Raised(F&& handler) {
    try {
      handler();
    } catch (const std::exception& e) {
      return e.what();
    }
    return {};
  }

  static std::string Text(const std::string& key, const std::string& name = "") {
    return ReadMachineText(key, name);
  }
  static bool Exists(const std::string& key) { return KeyExistsAt(kLocalMachine, key); }
  static std::string Lower(std::string text) { return base::AsciiLower(std::move(text)); }

  // An object with a name, two verbs (the second the default), an icon and every place.
  void MakeObject(const std::string& id) { testing::MakeSampleObject(id); }

  testing::FakePlatform platform_;
  testing::ScopedPlatform platform_scope_{platform_};
  testing::FakeComboBox RFCNum;
  testing::FakeEdit RFName, RFDesc, RME, ShellName, RFCN, RFPar, RFDIcon;
  testing::FakeCheckBox STMC, STD, STCP, STNN;
  testing::FakeListBox List;
  testing::FakeLabel Def;
  testing::FakeIconView AII;
  CreatorPage page_;
};

// The same over an in-memory registry.
class PageTest : public PageHarness {
 protected:
  MemoryBackend registry_;
  ScopedRegistry registry_scope_{registry_};
};

}  // namespace quillet::creator
