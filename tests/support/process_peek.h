#pragma once
// Reads another process's memory where Windows keeps its process-wide facts (the PEB), for checks
// made from outside a program. The handle needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ;
// CreateProcess's has both.

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace quillet::testing {

// Offsets in the 64-bit PEB.
inline constexpr std::size_t kPebImageBase = 0x10;
inline constexpr std::size_t kPebGdiHandleTable = 0xF8;

// Where a process's PEB is, through ntdll (no import library needed); 0 when unknown.
inline std::uintptr_t PebAddress(HANDLE process) {
  static_assert(sizeof(void*) == 8, "the offsets are those of 64-bit processes");
  struct BasicInformation {
    LONG exit_status;
    void* peb;
    ULONG_PTR affinity;
    LONG priority;
    ULONG_PTR pid, parent_pid;
  } info{};
  using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  if (!query || query(process, 0 /* ProcessBasicInformation */, &info, sizeof info, nullptr) != 0) return 0;
  return reinterpret_cast<std::uintptr_t>(info.peb);
}

inline bool ReadFrom(HANDLE process, std::uintptr_t at, void* out, std::size_t size) {
  SIZE_T got = 0;
  return at && ReadProcessMemory(process, reinterpret_cast<const void*>(at), out, size, &got) && got == size;
}

// A pointer-sized field of the process's PEB; 0 when it cannot be read.
inline std::uintptr_t PebField(HANDLE process, std::size_t offset) {
  const std::uintptr_t peb = PebAddress(process);
  std::uintptr_t value = 0;
  return peb && ReadFrom(process, peb + offset, &value, sizeof value) ? value : 0;
}

}  // namespace quillet::testing
