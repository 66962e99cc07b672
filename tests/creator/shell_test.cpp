// End to end: the shell lists the object the page registered on the desktop, under its name.
// The listing runs in a process of its own each time, so nothing the shell caches carries over.
#include <windows.h>

#include <string>

#include "page_fixture.h"

namespace quillet::creator {
namespace {

// Sorted early among the desktop's entries: the shell stops listing at a class it must leave
// out, so anything sorted before this one and hidden would hide it too.
constexpr const char* kShellId = "{00C4EA57-0003-4000-8000-00000000C4EA}";
constexpr const char* kName = "Quillet Shell Probe";

// What the listing program prints, empty when it could not run.
std::string DesktopListing() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder.resize(folder.find_last_of('\\') + 1);
  std::string command = "\"";
  command += folder;
  command += "list_desktop.exe\"";

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return {};
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = write_end;
  start.hStdError = write_end;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &start, &process);
  CloseHandle(write_end);
  std::string out;
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(read_end);
  return out;
}

bool Listed(const std::string& listing) {
  return listing.find(std::string(kName) + "\r\n") != std::string::npos ||
         listing.find(std::string(kName) + "\n") != std::string::npos;
}

class ShellTest : public PageHarness {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    DeleteKeyAt(kLocalMachine, ClassKey(kShellId));
    for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
      DeleteKeyAt(kLocalMachine, PlaceKey(place, kShellId));
  }
};

TEST_F(ShellTest, DesktopShowsTheObjectUntilDeletedAndShowMeUndoesHiding) {
  const std::string before = DesktopListing();
  ASSERT_NE(before.find("My Computer"), std::string::npos) << before;
  EXPECT_FALSE(Listed(before));

  RFCNum.SetText(kShellId);
  RFName.SetText(kName);
  STD.SetChecked(true);
  page_.CReg();
  std::string listing = DesktopListing();
  EXPECT_TRUE(Listed(listing)) << listing;

  // The shell leaves out a class flagged as not to be enumerated, until "Show Me".
  WriteDword(kLocalMachine, ClassKey(kShellId) + "\\ShellFolder", "Attributes", 0x00100000);
  listing = DesktopListing();
  EXPECT_FALSE(Listed(listing)) << listing;
  page_.VMClick();
  listing = DesktopListing();
  EXPECT_TRUE(Listed(listing)) << listing;

  page_.DReg();
  listing = DesktopListing();
  EXPECT_FALSE(Listed(listing)) << listing;
}

}  // namespace
}  // namespace quillet::creator
