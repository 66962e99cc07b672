#pragma once
// What the command line asks of a start: the system's look instead of the skin, or a skin of the
// user's own from a file. Anything else on the line is ignored.

#include <string>

namespace quillet::app {

struct StartOptions {
  bool skin = true;       // --no-skin switches the skin component off
  std::string skin_file;  // --skin FILE
};

// Parses the arguments after the program name (as GetCommandLine gives them without it): words
// split at spaces, double quotes group spaces into a word.
StartOptions ParseStartOptions(const std::string& arguments);
// The part of a full command line after the program's name.
std::string ArgumentsOf(const std::string& command_line);

// The options of this run, set once at start.
const StartOptions& CurrentStartOptions();
void SetStartOptions(const StartOptions& options);

}  // namespace quillet::app
