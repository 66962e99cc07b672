#pragma once
// The few file operations the history folder needs beyond whole-file reads: listing, making
// folders, removing, and writing a file that must not be there yet. ANSI paths, as the program's
// other files.

#include <string>
#include <vector>

namespace quillet {

// The folder and a name in it.
std::string JoinPath(const std::string& folder, const std::string& name);
// The names of the plain files in a folder; empty when it cannot be read.
std::vector<std::string> FolderFileNames(const std::string& folder);
// Makes the folder and every missing one above it; false when it is not there afterwards.
bool MakeFolders(const std::string& folder);
bool RemoveFile(const std::string& path);

enum class NewFileResult { Written, Exists, Failed };
// Writes a new file whole; a file of that name is left alone (Exists). On failure nothing is left
// behind and `error` says why.
NewFileResult WriteNewFile(const std::string& path, const std::string& data, std::string* error);

}  // namespace quillet
