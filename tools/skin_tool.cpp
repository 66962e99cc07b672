#include "skin_tool.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/elements.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"
#include "skin/text.h"

namespace quillet::skintool {

namespace fs = std::filesystem;
using namespace quillet::skin;

namespace {

bool ReadFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// Names come from the file: only plain names are written, never a path.
bool SafeName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

bool OpenSkin(const std::string& file, TSkinReader& reader, std::ostream& err) {
  std::vector<std::uint8_t> raw;
  if (!ReadFile(file, raw)) {
    err << "cannot read " << file << "\n";
    return false;
  }
  if (!reader.Open(raw)) {
    std::string message = reader.Error();
    std::replace(message.begin(), message.end(), '\r', '\n');
    err << file << ": " << message << "\n";
    return false;
  }
  return true;
}

void Describe(const TDataSkinObject& e, std::ostream& out) {
  out << "  " << e.Name;
  if (e.HasBitmap())
    out << ": " << e.Bitmap.Width() << " x " << e.Bitmap.Height() << ", " << e.Frame << " frame"
        << (e.Frame == 1 ? "" : "s");
  else
    out << ": no image";
  if (e.LeftWidth || e.TopHeight || e.RightWidth || e.BottomHeight)
    out << ", margins " << e.LeftWidth << " " << e.TopHeight << " " << e.RightWidth << " " << e.BottomHeight;
  if (e.Trans) out << ", transparent";
  if (e.Tile == 1) out << ", tiled";
  out << "\n";
}

int Info(const std::string& file, std::ostream& out, std::ostream& err) {
  TSkinReader reader;
  if (!OpenSkin(file, reader, err)) return 1;
  out << "version " << reader.Version() << "\n" << reader.Names().size() << " files\n";
  for (std::size_t i = 0; i < reader.Names().size(); ++i)
    out << "  " << reader.Names()[i] << " " << reader.Sizes()[i] << "\n";
  std::vector<std::uint8_t> iniBytes;
  const std::string iniName = reader.ExtractByFragment(".ini", iniBytes);
  TQuickIni ini;
  ini.Load(iniBytes);
  TSkinElements elements;
  ReadSkinElements(ini, reader, elements);
  out << "skin \"" << elements.SkinName << "\" from " << (iniName.empty() ? "(no INI text)" : iniName) << "\n";
  out << "elements\n";
  for (const TDataSkinObject* e : elements.All()) Describe(*e, out);
  return 0;
}

int Unpack(const std::string& file, const std::string& dir, std::ostream& out, std::ostream& err) {
  TSkinReader reader;
  if (!OpenSkin(file, reader, err)) return 1;
  std::error_code ec;
  fs::create_directories(dir, ec);
  int written = 0;
  for (const std::string& name : reader.Names()) {
    if (!SafeName(name)) {
      err << "skipped a file with an unsafe name: " << name << "\n";
      continue;
    }
    if (!WriteFile(fs::path(dir) / name, reader.ExtractByName(name))) {
      err << "cannot write " << (fs::path(dir) / name).string() << "\n";
      return 1;
    }
    ++written;
  }
  out << written << " files written to " << dir << "\n";
  return 0;
}

int Pack(const std::string& dir, const std::string& file, std::ostream& out, std::ostream& err) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  if (ec) {
    err << "cannot read the folder " << dir << "\n";
    return 1;
  }
  // The INI text first, then the rest by name, so a pack is the same every time.
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    const bool ai = AsciiLower(a.extension().string()) == ".ini", bi = AsciiLower(b.extension().string()) == ".ini";
    if (ai != bi) return ai;
    return AsciiLower(a.filename().string()) < AsciiLower(b.filename().string());
  });
  if (files.empty() || AsciiLower(files.front().extension().string()) != ".ini") {
    err << dir << " holds no INI text\n";
    return 1;
  }
  if (files.size() > static_cast<std::size_t>(TSkinReader::kMaxFiles)) {
    err << "a skin holds at most " << TSkinReader::kMaxFiles << " files\n";
    return 1;
  }
  TSkinArchiveWriter writer;
  for (const fs::path& p : files) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFile(p, bytes)) {
      err << "cannot read " << p.string() << "\n";
      return 1;
    }
    writer.Add(AsciiLower(p.filename().string()), std::move(bytes));
  }
  if (!WriteFile(file, writer.RawStream())) {
    err << "cannot write " << file << "\n";
    return 1;
  }
  out << files.size() << " files packed into " << file << "\n";
  return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 2 && args[0] == "info") return Info(args[1], out, err);
  if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2], out, err);
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2], out, err);
  if (!args.empty() && args[0] == "gallery") {
    err << "quillet-skin: the gallery opens a window; it runs on Windows (or under Wine)\n";
    return 2;
  }
  err << "usage: quillet-skin info FILE\n"
         "       quillet-skin unpack FILE DIR\n"
         "       quillet-skin pack DIR FILE\n"
         "       quillet-skin gallery [FILE]   (Windows: every control in the skin, ours without FILE)\n";
  return 2;
}

}  // namespace quillet::skintool
