#include "registry/regedit_cases.h"

namespace quillet::testing {

namespace {

#define HEAD "REGEDIT4\n\n[{K}]\n"
// Refused files: one value that loads, then the line at fault as line 5.
#define OK_HEAD "REGEDIT4\n\n[{K}]\n\"ok\"=\"1\"\n"
#define OK_TREE "[{K}]\n\"ok\"=\"1\""

const std::vector<RegeditCase> kCases = {
    // What regedit imports.
    {"CommentsAfterValues",
     HEAD "\"Name\"=\"Value\";comment\n\"N\"=dword:00000004;comment\n\"M\"=dword:1234 ;comment\n"
          "\"S\"=\"a\"  ;comment\n\"T\"=\"b\"\t\t;comment\n\"D\"=hex:01,02;comment\n",
     "[{K}]\n\"Name\"=\"Value\"\n\"N\"=dword:00000004\n\"M\"=dword:00001234\n\"S\"=\"a\"\n"
     "\"T\"=\"b\"\n\"D\"=hex:01,02"},
    {"CommentsAndStrayLinesArePassedOver",
     "REGEDIT4\n; comment\n# comment\n[{K}]\n  ;indented\nstray text\n  65,6e,61\n"
     "@ = \"default\"\n  \"  lead  \"  =  \"  spaced  \"  \n",
     "[{K}]\n@=\"default\"\n\"  lead  \"=\"  spaced  \""},
    {"BlanksAroundEverything",
     "  REGEDIT4\n\t[{K}]\n\t@\t=\tdword:\t00000008\t\n\"q\"=dword: 12 \n",
     "[{K}]\n@=dword:00000008\n\"q\"=dword:00000012"},
    {"EscapesInNamesAndTexts",
     HEAD "\"e1\"=\"a\\\\b\"\n\"e2\"=\"a\\\"b\"\n\"e3\"=\"a\\nb\"\n\"e4\"=\"a\\rb\"\n"
          "\"e\\x\"=\"a\\xb\"\n\"dq\\\"name\"=\"v\"\n",
     "[{K}]\n\"e1\"=\"a\\\\b\"\n\"e2\"=\"a\\\"b\"\n\"e3\"=hex(1):61,0a,62,00\n"
     "\"e4\"=hex(1):61,0d,62,00\n\"ex\"=\"axb\"\n\"dq\\\"name\"=\"v\""},
    {"Dwords",
     HEAD "\"a\"=dword:1\n\"b\"=dword:ABCDEF01\n\"c\"=dword:;no digits\n\"d\"=dword:00000000\n",
     "[{K}]\n\"a\"=dword:00000001\n\"b\"=dword:abcdef01\n\"c\"=dword:00000000\n"
     "\"d\"=dword:00000000"},
    {"HexBytesAsCReadsNumbers",
     HEAD "\"a\"=hex:1,2,ff\n\"b\"=hex:001,0x10\n\"c\"=hex:01, 02\n\"d\"=hex:01,02,\n\"e\"=hex:\n"
          "\"f\"=hex:+1,-0\n\"g\"=hex:AB,cd\n",
     "[{K}]\n\"a\"=hex:01,02,ff\n\"b\"=hex:01,10\n\"c\"=hex:01,02\n\"d\"=hex:01,02\n\"e\"=hex:\n"
     "\"f\"=hex:01,00\n\"g\"=hex:ab,cd"},
    {"TypedHexAndTheNulRegeditAdds",
     HEAD "\"a\"=hex():01\n\"b\"=hex( 2):41,00\n\"c\"=hex(2):41,42\n\"d\"=hex(7):41,00,42\n"
          "\"e\"=hex(2):\n\"f\"=hex(1):00\n\"g\"=hex(4):01,02,03,04\n\"h\"=hex(b):05\n"
          "\"i\"=hex(1):41,00\n",
     "[{K}]\n\"a\"=hex(0):01\n\"b\"=hex(2):41,00\n\"c\"=hex(2):41,42,00\n"
     "\"d\"=hex(7):41,00,42,00\n\"e\"=hex(2):\n\"f\"=\"\"\n\"g\"=dword:04030201\n"
     "\"h\"=hex(b):05\n\"i\"=\"A\""},
    {"HexGoesOnOverLines",
     HEAD "\"v\"=hex:01,\\\n  02,03\n\"w\"=hex:01,\\ ;comment\n\n  ;comment\n  02\n"
          "\"m\"=hex(7):41,00,\\\n  42,00,00\n\"x\"=hex:01,02, \\\n\t03\n\"e\"=hex:01,\\\n",
     "[{K}]\n\"v\"=hex:01,02,03\n\"w\"=hex:01,02\n\"m\"=hex(7):41,00,42,00,00\n"
     "\"x\"=hex:01,02,03\n\"e\"=hex:01"},
    {"KeyNamesAsRegeditMakesThem",
     "REGEDIT4\n[{K}\\a\\\\b]\n[{K}\\c\\]\n[{K}\\d] ;comment\n[{K}\\e]junk\n[{K}\\ h ]\n"
     "[{K}\\i]x]\n[{K}\\{L}]\n[{k}\\lower]\n\"v\"=\"1\"\n",
     "[{K}]\n[{K}\\ h ]\n[{K}\\a]\n[{K}\\a\\b]\n[{K}\\c]\n[{K}\\d]\n[{K}\\e]\n[{K}\\i]x]\n"
     "[{K}\\{L}]\n[{K}\\lower]\n\"v\"=\"1\""},
    {"DeletionsOfKeysAndValues",
     "REGEDIT4\n[{K}\\gone\\deep]\n\"x\"=\"1\"\n[-{K}\\gone]\n[-{K}\\never]\n[{K}]\n\"a\"=\"1\"\n"
     "\"b\"=\"2\"\n\"b\"=-\n\"c\"=- ;comment\n@=\"d\"\n@=-\n\"a\"=\"again\"\n",
     "[{K}]\n\"a\"=\"again\""},
    {"Version5InUtf16",
     "Windows Registry Editor Version 5.00\n\n[{K}]\n\"t\"=\"caf\xc3\xa9\"\n"
     "\"euro\"=\"\xe2\x82\xac\"\n\"kana\"=\"\xe3\x81\x81x\"\n"
     "\"e\"=hex(2):25,00,41,00,25,00,00,00\n\"m\"=hex(7):41,00,00,00,00,00\n"
     "\"s\"=hex(1):41,00\n\"b\"=hex:01,ff\n",
     "[{K}]\n\"t\"=\"caf\xe9\"\n\"euro\"=\"\x80\"\n\"kana\"=\"?x\"\n\"e\"=hex(2):25,41,25,00\n"
     "\"m\"=hex(7):41,00,00\n\"s\"=\"A\"\n\"b\"=hex:01,ff",
     0, RegForm::Utf16},
    {"Version5HeaderIn8BitText",
     "Windows Registry Editor Version 5.00\n[{K}]\n\"e\"=hex(2):41,42\n",
     "[{K}]\n\"e\"=hex(2):41,42,00"},
    {"AnsiCodePageBytesStay",
     HEAD "\"n1\"=\"caf\xe9\"\n\"n2\"=hex(2):80,00\n\"n3\"=\"\x80\x9c\"\n",
     "[{K}]\n\"n1\"=\"caf\xe9\"\n\"n2\"=hex(2):80,00\n\"n3\"=\"\x80\x9c\""},
    {"Windows31Form",
     "REGEDIT\n{C} = v0\n{C}\\x  v1\n{C}\\y\n{C}\\z =  two\nhkey_classes_root\\Quillet = no\n"
     "[{K}]\n",
     "[{C}]\n@=\"v0\"\n[{C}\\x]\n@=\"v1\"\n[{C}\\y]\n@=\"\"\n[{C}\\z]\n@=\" two\""},
    {"ClassesRootSectionsLandInTheMachineClasses",
     "REGEDIT4\n[{C}\\CLSID\\{00000000-1111-2222-3333-444444444444}]\n@=\"Name\"\n",
     "[{C}]\n[{C}\\CLSID]\n[{C}\\CLSID\\{00000000-1111-2222-3333-444444444444}]\n@=\"Name\""},
    {"LinesEndingInCrOnly", HEAD "\"a\"=\"1\"\n", "[{K}]\n\"a\"=\"1\"", 0, RegForm::Cr},
    {"LinesEndingInLfAndNoLastBreak", HEAD "\"a\"=\"no break\"", "[{K}]\n\"a\"=\"no break\"", 0,
     RegForm::Lf},

    // What regedit leaves out: the reader refuses the file at that line.
    {"HeaderWithTrailingBlank", "{BAD}REGEDIT4 \n[{K}]\n\"a\"=\"1\"\n", "", 1},
    {"HeaderInLowerCase", "{BAD}regedit4\n[{K}]\n\"a\"=\"1\"\n", "", 1},
    {"BlankLineBeforeHeader", "{BAD}\nREGEDIT4\n[{K}]\n\"a\"=\"1\"\n", "", 1},
    {"ValueBeforeAnyKey", "REGEDIT4\n{BAD}\"v\"=\"x\"\n", "", 2},
    {"DwordWithNoDigits", OK_HEAD "{BAD}\"a\"=dword:\n", OK_TREE, 5},
    {"DwordOfNineDigits", OK_HEAD "{BAD}\"a\"=dword:000000001\n", OK_TREE, 5},
    {"DwordWithHashComment", OK_HEAD "{BAD}\"a\"=dword:1234#5678\n", OK_TREE, 5},
    {"DwordInCapitals", OK_HEAD "{BAD}\"a\"=DWORD:1\n", OK_TREE, 5},
    {"TextWithHashComment", OK_HEAD "{BAD}\"s\"=\"a\"#c\n", OK_TREE, 5},
    {"TextWithTrailingWord", OK_HEAD "{BAD}\"s\"=\"a\" b\n", OK_TREE, 5},
    {"TextNotClosed", OK_HEAD "{BAD}\"s\"=\"open\n", OK_TREE, 5},
    {"TextWithNulEscape", OK_HEAD "{BAD}\"s\"=\"a\\0b\"\n", OK_TREE, 5},
    {"NameNotClosed", OK_HEAD "{BAD}\"name=1\n", OK_TREE, 5},
    {"NoEqualsSign", OK_HEAD "{BAD}\"c\" \"d\"\n", OK_TREE, 5},
    {"DefaultNameWithText", OK_HEAD "{BAD}@x=\"1\"\n", OK_TREE, 5},
    {"UnknownDataType", OK_HEAD "{BAD}\"s\"=str:\"x\"\n", OK_TREE, 5},
    {"NoData", OK_HEAD "{BAD}\"a\"=\n", OK_TREE, 5},
    {"DeleteValueWithText", OK_HEAD "{BAD}\"ok\"=-x\n", OK_TREE, 5},
    {"HexBlankBeforeComma", OK_HEAD "{BAD}\"h\"=hex:01 ,02\n", OK_TREE, 5},
    {"HexByteOver255", OK_HEAD "{BAD}\"h\"=hex:100\n", OK_TREE, 5},
    {"HexTypeWith0x", OK_HEAD "{BAD}\"h\"=hex(0x2):41\n", OK_TREE, 5},
    {"HexTypeOverflow", OK_HEAD "{BAD}\"h\"=hex(100000000):01\n", OK_TREE, 5},
    {"BackslashWithoutComma", OK_HEAD "{BAD}\"x\"=hex:01\\\n", OK_TREE, 5},
    {"TextAfterContinuingBackslash", OK_HEAD "{BAD}\"b\"=hex:01,\\#c\n", OK_TREE, 5},
    // regedit takes the next line as more hex, fails on it, and loses both.
    {"ContinuationTakesTheNextValue", OK_HEAD "{BAD}\"z\"=hex:01,\\\n\"zz\"=\"taken\"\n", OK_TREE,
     6},
    {"HashCommentInContinuation", OK_HEAD "{BAD}\"a\"=hex:01,\\\n  #c\n  02\n", OK_TREE, 6},
    {"KeyLineWithoutBracket", OK_HEAD "{BAD}[{K}\\g\n", OK_TREE, 5},
    {"KeyLineWithBlankAfterBracket", OK_HEAD "{BAD}[ {K}\\f]\n", OK_TREE, 5},
    {"AbbreviatedRoot", OK_HEAD "{BAD}[HKCU\\Software\\QuilletRegedit]\n\"b\"=\"2\"\n", OK_TREE, 5},
    {"KeyNameOver255",
     OK_HEAD "{BAD}[{K}\\"
             "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"
             "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"
             "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"
             "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk]\n\"b\"=\"2\"\n",
     OK_TREE, 5},
    {"DeletingARoot", OK_HEAD "{BAD}[-HKEY_CURRENT_USER]\n", OK_TREE, 5},
    {"DeletionWithoutAKeyName", OK_HEAD "{BAD}[-x]\n", OK_TREE, 5},
    {"ValueAfterDeletion", OK_HEAD "[-{K}\\x]\n{BAD}\"b\"=\"2\"\n", OK_TREE, 6},
    // regedit reads a line only up to a NUL byte (here leaving the text unclosed), and loses what
    // follows it; the reader refuses any NUL.
    {"NulByte", OK_HEAD "{BAD}\"s\"=\"a{NUL}b\"\n", OK_TREE, 5},
};

const std::string kUserBase = "Software\\QuilletRegedit\\";
const std::string kClassesBase = "QuilletRegedit\\";

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

std::string Expand(const RegeditCase& c, std::string s, bool in_file) {
  ReplaceAll(s, "{K}", "HKEY_CURRENT_USER\\" + CaseUserPath(c));
  ReplaceAll(s, "{k}", "hkey_current_user\\" + CaseUserPath(c));
  ReplaceAll(s, "{C}", in_file ? "HKEY_CLASSES_ROOT\\" + kClassesBase + c.name
                               : "HKEY_LOCAL_MACHINE\\" + CaseClassesPath(c));
  ReplaceAll(s, "{L}", std::string(255, 'k'));
  ReplaceAll(s, "{NUL}", std::string(1, '\0'));
  return s;
}

std::string Utf16FromUtf8(const std::string& s) {
  std::string out = "\xff\xfe";
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int more = b < 0x80 ? 0 : b < 0xE0 ? 1 : 2;  // the table holds nothing past U+FFFF
    unsigned cp = more == 0 ? b : more == 1 ? (b & 0x1F) : (b & 0x0F);
    for (int k = 1; k <= more; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += 1 + static_cast<size_t>(more);
    out += static_cast<char>(cp & 0xFF);
    out += static_cast<char>(cp >> 8);
  }
  return out;
}

}  // namespace

const std::vector<RegeditCase>& RegeditCases() { return kCases; }

std::string CaseUserPath(const RegeditCase& c) { return kUserBase + c.name; }

std::string CaseClassesPath(const RegeditCase& c) {
  return "Software\\Classes\\" + kClassesBase + c.name;
}

std::string CaseBytes(const RegeditCase& c, bool before_bad) {
  std::string text = c.text;
  const size_t bad = text.find("{BAD}");
  if (bad != std::string::npos) {
    if (before_bad) text.resize(bad);
    else text.erase(bad, 5);
  }
  text = Expand(c, text, true);
  if (c.form == RegForm::Lf) return text;
  ReplaceAll(text, "\n", c.form == RegForm::Cr ? "\r" : "\r\n");
  return c.form == RegForm::Utf16 ? Utf16FromUtf8(text) : text;
}

std::string CaseExpect(const RegeditCase& c) { return Expand(c, c.expect, false); }

std::string CaseTree(const RegeditCase& c, const std::string& saved) {
  const std::string keys[] = {"[HKEY_CURRENT_USER\\" + CaseUserPath(c),
                              "[HKEY_LOCAL_MACHINE\\" + CaseClassesPath(c)};
  std::string out;
  bool inside = false;
  size_t start = 0;
  while (start < saved.size()) {
    size_t end = saved.find("\r\n", start);
    if (end == std::string::npos) end = saved.size();
    const std::string line = saved.substr(start, end - start);
    start = end + 2;
    if (line.empty()) continue;
    if (line[0] == '[') {
      inside = false;
      for (const auto& key : keys) {
        const std::string rest = line.substr(0, key.size()) == key ? line.substr(key.size()) : "x";
        inside |= rest == "]" || rest[0] == '\\';
      }
    }
    if (inside) out += (out.empty() ? "" : "\n") + line;
  }
  return out;
}

}  // namespace quillet::testing
