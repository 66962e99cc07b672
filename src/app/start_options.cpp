#include "app/start_options.h"

#include <vector>

namespace quillet::app {

namespace {

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

StartOptions& Current() {
  static StartOptions options;
  return options;
}

}  // namespace

StartOptions ParseStartOptions(const std::string& arguments) {
  StartOptions o;
  const std::vector<std::string> w = Words(arguments);
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (w[i] == "--no-skin") {
      o.skin = false;
    } else if (w[i] == "--skin" && i + 1 < w.size()) {
      o.skin_file = w[++i];
    }
  }
  return o;
}

std::string ArgumentsOf(const std::string& line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i < line.size() && line[i] == '"') {
    const std::size_t close = line.find('"', i + 1);
    i = close == std::string::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
  }
  return line.substr(i);
}

const StartOptions& CurrentStartOptions() { return Current(); }
void SetStartOptions(const StartOptions& options) { Current() = options; }

}  // namespace quillet::app
