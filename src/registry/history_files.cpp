#include "registry/history_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace quillet {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

std::string SystemText(DWORD code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string s = n && text ? std::string(text, n) : "System error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
  return s;
}

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
#else
constexpr char kSeparator = '/';

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
#endif

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsSeparator(folder.back())) return folder + name;
  return folder + kSeparator + name;
}

std::vector<std::string> FolderFileNames(const std::string& folder) {
  std::vector<std::string> names;
#ifdef _WIN32
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
#else
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st;
    if (stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  closedir(dir);
#endif
  return names;
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty() || IsFolder(folder)) return !folder.empty();
  // Each folder from the top down; the ones there already are passed over.
  for (std::size_t i = 1; i <= folder.size(); ++i) {
    if (i < folder.size() && !IsSeparator(folder[i])) continue;
    const std::string part = folder.substr(0, i);
    if (IsSeparator(part.back()) || (part.size() == 2 && part[1] == ':') || IsFolder(part)) continue;
#ifdef _WIN32
    CreateDirectoryA(part.c_str(), nullptr);
#else
    mkdir(part.c_str(), 0777);
#endif
  }
  return IsFolder(folder);
}

bool RemoveFile(const std::string& path) {
#ifdef _WIN32
  return DeleteFileA(path.c_str()) != 0;
#else
  return unlink(path.c_str()) == 0;
#endif
}

NewFileResult WriteNewFile(const std::string& path, const std::string& data, std::string* error) {
#ifdef _WIN32
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) return NewFileResult::Exists;
    *error = SystemText(code);
    return NewFileResult::Failed;
  }
  DWORD written = 0;
  const bool ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                  written == data.size();
  const DWORD code = ok ? 0 : GetLastError();
  const bool closed = CloseHandle(file) != 0;
  if (ok && closed) return NewFileResult::Written;
  *error = SystemText(code ? code : GetLastError());
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) {
    if (errno == EEXIST) return NewFileResult::Exists;
    *error = std::strerror(errno);
    return NewFileResult::Failed;
  }
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const int code = done == data.size() ? 0 : errno;
  if (close(fd) == 0 && code == 0) return NewFileResult::Written;
  *error = std::strerror(code ? code : errno);
#endif
  // A record cut short would only be passed over later; better none at all.
  RemoveFile(path);
  return NewFileResult::Failed;
}

}  // namespace quillet
