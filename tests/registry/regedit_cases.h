#pragma once
// One table of .reg files and what each means, read by regedit and by the program alike: the
// native suite holds the reader to the meanings written here, and under Wine the same files go
// through regedit itself, which must leave the registry as the program's reader does.

#include <string>
#include <vector>

#include "registry/backend.h"

namespace quillet::testing {

enum class RegForm { CrLf, Lf, Cr, Utf16 };

struct RegeditCase {
  const char* name;
  // The file, with LF line ends. {K} stands for the case's key under HKEY_CURRENT_USER ({k} for
  // the same with the root in lower case), {C} for its key under HKEY_CLASSES_ROOT, {L} for a
  // name of 255 characters, {NUL} for a NUL byte. A refused file marks with {BAD} where the part
  // regedit leaves out begins; regedit imports what comes before it, and nothing else.
  const char* text;
  // The case's keys as the program saves them, one line each, blank lines left out; {K} as above,
  // {C} for where HKEY_CLASSES_ROOT keys land: HKEY_LOCAL_MACHINE\Software\Classes.
  const char* expect;
  int refused_line = 0;  // where the reader refuses the file; 0 when it loads
  RegForm form = RegForm::CrLf;
};

const std::vector<RegeditCase>& RegeditCases();

// The case's paths below each hive (without the hive's name), for taking snapshots.
std::string CaseUserPath(const RegeditCase& c);     // under HKEY_CURRENT_USER
std::string CaseClassesPath(const RegeditCase& c);  // under HKEY_LOCAL_MACHINE

// The file's bytes: whole, or only the part before {BAD}.
std::string CaseBytes(const RegeditCase& c, bool before_bad = false);
std::string CaseExpect(const RegeditCase& c);

// The sections of a saved tree that belong to the case, as `expect` writes them.
std::string CaseTree(const RegeditCase& c, const std::string& saved);

}  // namespace quillet::testing
