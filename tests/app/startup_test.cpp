// Start-up of the main window over the memory registry and the fake platform.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/startup.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"

namespace quillet::app {
namespace {

using testing::FakePlatform;
using testing::ScopedPlatform;

// Records the calls.
struct RecordingSteps : StartupSteps {
  std::vector<std::string> calls;
  std::string credit;
  std::string prompt_error;
  void HideFourthTab() override { calls.push_back("HideFourthTab"); }
  void LoadClsidList(const std::string& content) override {
    calls.push_back("LoadClsidList");
    list_content = content;
  }
  std::string list_content;
  void SetInfo() override { calls.push_back("SetInfo"); }
  void ReadFirst() override { calls.push_back("ReadFirst"); }
  void ReadCLSID() override { calls.push_back("ReadCLSID"); }
  void OHideChange(void* sender) override {
    calls.push_back("OHideChange");
    EXPECT_EQ(sender, this);
  }
  void SetCreditLine(const std::string& text) override {
    calls.push_back("SetCreditLine");
    credit = text;
  }
  void ShowDonationPrompt() override {
    calls.push_back("Prompt");
    if (!prompt_error.empty()) throw std::runtime_error(prompt_error);
  }
};

class Startup : public ::testing::Test {
 protected:
  Startup() : scoped_platform(platform), scoped_registry(registry) {}
  // Runs the creation handler; returns the error it ended with, empty when none.
  std::string Run() {
    try {
      FormCreate(steps, &steps, folder);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "";
  }
  FakePlatform platform;
  testing::ScopedPlatform scoped_platform;
  MemoryBackend registry;
  ScopedRegistry scoped_registry;
  RecordingSteps steps;
  std::string folder;
};

const std::vector<std::string> kAllSteps = {"HideFourthTab", "SetInfo",       "ReadFirst", "ReadCLSID",
                                            "OHideChange",   "SetCreditLine", "Prompt"};

TEST_F(Startup, FirstStartRunsEveryStepRegistersThePathAndPromptsLast) {
  platform.program_path_ = "C:\\Tools\\Quillet\\quillet.exe";
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(steps.calls, kAllSteps);
  EXPECT_EQ(folder, "C:\\Tools\\Quillet\\");
  EXPECT_EQ(ReadUserText("Brask", "03"), "C:\\Tools\\Quillet\\quillet.exe");
  EXPECT_FALSE(steps.credit.empty());
  EXPECT_FALSE(platform.FileExists(platform.Folder() + "/CLSID.dat")) << "no list file is made";
  for (const char* key : {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel\\NameSpace",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\NetworkNeighborhood\\NameSpace",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths"})
    EXPECT_TRUE(KeyExistsAt(kLocalMachine, key)) << key;
  EXPECT_TRUE(KeyExistsAt(kCurrentUser, "Control Panel\\Desktop\\WindowMetrics"));

  // Moved elsewhere, the next start records the new place.
  platform.program_path_ = "D:\\Elsewhere\\quillet.exe";
  Run();
  EXPECT_EQ(ReadUserText("Brask", "03"), "D:\\Elsewhere\\quillet.exe");
}

TEST_F(Startup, TheStoredChoiceDecidesThePrompt) {
  struct Case {
    const char* stored;
    bool prompt;
  };
  for (Case c : {Case{"0", false}, Case{"1", true}, Case{"yes", false}, Case{"", true}, Case{"01", false}}) {
    CreateKeyAt(kCurrentUser, "Brask\\Support");
    RegistryStore store;
    store.SetRoot(kCurrentUser);
    store.Open("Brask\\Support", true);
    store.WriteText("03", c.stored);
    store.Close();
    steps.calls.clear();
    Run();
    EXPECT_EQ(!steps.calls.empty() && steps.calls.back() == "Prompt", c.prompt) << '"' << c.stored << '"';
  }
}

TEST_F(Startup, ExistingListFileIsLoadedBeforeTheKeys) {
  platform.WriteWholeFile(platform.Folder() + "/CLSID.dat", "{A}\r\n");
  platform.program_path_ = platform.Folder() + "/quillet.exe";
  EXPECT_EQ(Run(), "");
  ASSERT_GE(steps.calls.size(), 2u);
  EXPECT_EQ(steps.calls[1], "LoadClsidList");
  EXPECT_EQ(steps.list_content, "{A}\r\n");
}

TEST_F(Startup, UnreadableListFileEndsTheProtectedBlockButNotTheClosingSteps) {
  platform.WriteWholeFile(platform.Folder() + "/CLSID.dat", "{A}\r\n");
  platform.program_path_ = platform.Folder() + "/quillet.exe";
  platform.fail_reads_ = true;
  const std::string error = Run();
  EXPECT_EQ(error.rfind("Cannot open file \"" + platform.Folder() + "/CLSID.dat\". ", 0), 0u) << error;
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"HideFourthTab", "SetCreditLine", "Prompt"}));
  EXPECT_FALSE(KeyExistsAt(kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"));
  EXPECT_EQ(ReadUserText("Brask", "03"), platform.program_path_);
}

TEST_F(Startup, MachineRefusingWritesGivesOneErrorNamingTheFirstKeyAfterThePrompt) {
  registry.SetMachineReadOnly(true);
  const std::string error = Run();
  EXPECT_EQ(error, "Failed to create key Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"HideFourthTab", "SetCreditLine", "Prompt"}));
  EXPECT_FALSE(ReadUserText("Brask", "03").empty()) << "the registration still happens";
}

TEST_F(Startup, AnErrorInTheClosingStepsReplacesTheEarlierOne) {
  registry.SetMachineReadOnly(true);
  steps.prompt_error = "Failed to set data for '03'";
  EXPECT_EQ(Run(), "Failed to set data for '03'");
}

TEST(ProgramFolder, KeepsTheTrailingSeparator) {
  EXPECT_EQ(ProgramFolderOf("C:\\a\\b.exe"), "C:\\a\\");
  EXPECT_EQ(ProgramFolderOf("Z:/tmp/q.exe"), "Z:/tmp/");
  EXPECT_EQ(ProgramFolderOf("q.exe"), "");
}

}  // namespace
}  // namespace quillet::app
