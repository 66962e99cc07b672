// Stands in for the list editor in tests: found before the system's editor because it lies beside
// the test program. It adds one line to the file named by the rest of its command line and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  std::string line = GetCommandLineA();
  // Skip the program's own name, quoted or not, and the blank after it.
  std::size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    at = line.find('"', 1);
    at = at == std::string::npos ? line.size() : at + 1;
  } else {
    at = line.find(' ');
    if (at == std::string::npos) at = line.size();
  }
  while (at < line.size() && line[at] == ' ') ++at;
  const std::string path = line.substr(at);
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return 1;
  std::fputs("{EDITED}\r\n", f);
  std::fclose(f);
  return 0;
}
