#include "Skinpack.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string_view>

#include "FileIo.h"
#include "LzhEncoder.h"
#include "SkinCheck.h"
#include "SkinPackage.h"
#include "skin/model/LZH.h"
#include "skin/model/QuickIni.h"
#include "skin/model/SkinContainer.h"
#include "skin/model/SkinReader.h"

namespace skinpack {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: skinpack COMMAND ARGS\n"
    "  pack DIR OUT       pack the skin folder DIR into the package OUT; the entries are\n"
    "                     taken in the order of DIR/entries.lst (one file name per line),\n"
    "                     or all files of DIR in name order when there is no list\n"
    "  unpack PKG DIR     write every entry of PKG into DIR, with entries.lst\n"
    "  list PKG           show the marker, the entries and their sizes, and the description\n"
    "  check PKG          show what the skin engine reads: the description and every bitmap\n"
    "                     its values name; exit 1 when a named bitmap is missing or broken\n"
    "  compress IN OUT    compress IN into a raw compressed block\n"
    "  expand IN OUT      expand a raw compressed block\n";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<std::string> ReadListFile(const fs::path& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  std::vector<std::string> names;
  for (const std::string& line :
       skin::SplitNameLines({reinterpret_cast<const char*>(bytes.data()), bytes.size()})) {
    const std::string_view name = skin::TrimText(line);
    if (!name.empty() && name.front() != '#') names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> EntryNamesOf(const fs::path& dir) {
  if (!fs::is_directory(dir)) throw std::runtime_error("not a folder: " + dir.string());
  const fs::path list = dir / kListFileName;
  if (fs::exists(list)) return ReadListFile(list);
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Entry names become file names (and come from untrusted packages): each must be a plain
// file name, unique without regard to case, and not the list file.
void CheckFileNames(const std::vector<std::string>& names) {
  std::set<std::string> seen;
  for (const std::string& name : names) {
    const bool plain = !name.empty() && name != "." && name != ".." &&
                       std::none_of(name.begin(), name.end(), [](char c) {
                         return static_cast<unsigned char>(c) < ' ' || c == '/' || c == '\\' ||
                                c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
                                c == '>' || c == '|';
                       });
    if (!plain) throw std::runtime_error("entry name is not a plain file name: \"" + name + "\"");
    const std::string lower = skin::AsciiLower(name);
    if (lower == kListFileName) throw std::runtime_error("an entry is named " + name);
    if (!seen.insert(lower).second) throw std::runtime_error("two entries are named " + name);
  }
}

int Pack(const fs::path& dir, const fs::path& outPath, std::ostream& out) {
  const std::vector<std::string> names = EntryNamesOf(dir);
  CheckFileNames(names);
  std::vector<TEntry> entries;
  std::size_t total = 0;
  for (const std::string& name : names) {
    if (!fs::is_regular_file(dir / name)) {
      throw std::runtime_error("listed entry is not a file in " + dir.string() + ": " + name);
    }
    entries.push_back({name, ReadWholeFile(dir / name)});
    total += entries.back().Bytes.size();
  }
  if (entries.empty()) throw std::runtime_error("no entries to pack in " + dir.string());
  const std::vector<std::uint8_t> package = BuildPackage(entries);
  WriteWholeFile(outPath, package);
  out << "packed " << entries.size() << " entries (" << total << " bytes) into " << outPath.string()
      << " (" << package.size() << " bytes)\n";
  return 0;
}

// The container of a package; throws with a clear reason when it is not acceptable.
std::vector<std::uint8_t> ExpandPackage(const fs::path& path, skin::TSkinContainer& parsed) {
  std::vector<std::uint8_t> container;
  try {
    container = skin::DecompressBlock(ReadWholeFile(path));
  } catch (const skin::ElzhException& e) {
    throw std::runtime_error(path.string() + ": not a skin package: " + e.what());
  }
  switch (skin::ParseContainer(container, parsed)) {
    case skin::TContainerStatus::Ok:
      return container;
    case skin::TContainerStatus::OldFormat:
      throw std::runtime_error(path.string() + ": marker " + std::to_string(parsed.Header[0]) +
                               " is not 20000: a skin of an older format");
    case skin::TContainerStatus::BadPackage:
      break;
  }
  throw std::runtime_error(path.string() + ": bad skin package: its sizes do not fit its content");
}

int Unpack(const fs::path& pkg, const fs::path& dir, std::ostream& out) {
  skin::TSkinContainer parsed;
  const std::vector<std::uint8_t> container = ExpandPackage(pkg, parsed);
  CheckFileNames(parsed.Names);
  fs::create_directories(dir);
  std::size_t offset = parsed.BodyOffset;
  std::string list;
  for (std::size_t i = 0; i < parsed.Names.size(); ++i) {
    const auto first = container.begin() + static_cast<std::ptrdiff_t>(offset);
    WriteWholeFile(dir / parsed.Names[i], {first, first + parsed.Sizes[i]});
    offset += static_cast<std::size_t>(parsed.Sizes[i]);
    list += parsed.Names[i] + "\r\n";
  }
  WriteWholeFile(dir / kListFileName, {list.begin(), list.end()});
  out << "unpacked " << parsed.Names.size() << " entries into " << dir.string() << "\n";
  return 0;
}

int List(const fs::path& pkg, std::ostream& out) {
  skin::TSkinContainer parsed;
  const std::vector<std::uint8_t> container = ExpandPackage(pkg, parsed);
  out << "marker " << parsed.Header[0] << ", reserved " << parsed.Header[2] << " "
      << parsed.Header[3] << ", " << parsed.Names.size() << " entries, " << container.size()
      << " bytes uncompressed\n";
  for (std::size_t i = 0; i < parsed.Names.size(); ++i) {
    out << (i + 1) << "\t" << parsed.Sizes[i] << "\t" << parsed.Names[i] << "\n";
  }
  const int description = DescriptionPosition(parsed.Names);
  if (description == 0) {
    out << "description: none (no entry name contains \".ini\")\n";
  } else {
    out << "description: entry " << description << " (" << parsed.Names[description - 1] << ")\n";
  }
  return 0;
}

int Check(const fs::path& pkg, std::ostream& out) {
  try {
    return CheckPackage(ReadWholeFile(pkg), out) == 0 ? 0 : 1;
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(pkg.string() + ": " + e.what());
  }
}

int Compress(const fs::path& in, const fs::path& outPath, std::ostream& out) {
  const std::vector<std::uint8_t> data = ReadWholeFile(in);
  const std::vector<std::uint8_t> block = CompressBlock(data);
  WriteWholeFile(outPath, block);
  out << "compressed " << data.size() << " bytes into " << block.size() << " bytes\n";
  return 0;
}

int Expand(const fs::path& in, const fs::path& outPath, std::ostream& out) {
  const std::vector<std::uint8_t> block = ReadWholeFile(in);
  std::vector<std::uint8_t> data;
  try {
    data = skin::DecompressBlock(block);
  } catch (const skin::ElzhException& e) {
    throw std::runtime_error(in.string() + ": not a compressed block: " + e.what());
  }
  // A damaged stream can carry a final match past the declared size; the file gets the
  // declared size.
  data.resize(skin::ReadLE32(block.data()));
  WriteWholeFile(outPath, data);
  out << "expanded " << block.size() << " bytes into " << data.size() << " bytes\n";
  return 0;
}

int Dispatch(const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) throw UsageError("no command given");
  const std::string& command = args[0];
  static const std::map<std::string, std::size_t> kArgCounts = {
      {"pack", 3}, {"unpack", 3}, {"list", 2}, {"check", 2}, {"compress", 3}, {"expand", 3}};
  const auto it = kArgCounts.find(command);
  if (it == kArgCounts.end()) throw UsageError("unknown command \"" + command + "\"");
  if (args.size() != it->second) throw UsageError("wrong number of arguments for " + command);
  if (command == "pack") return Pack(args[1], args[2], out);
  if (command == "unpack") return Unpack(args[1], args[2], out);
  if (command == "list") return List(args[1], out);
  if (command == "check") return Check(args[1], out);
  if (command == "compress") return Compress(args[1], args[2], out);
  return Expand(args[1], args[2], out);
}

}  // namespace

int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return Dispatch(args, out);
  } catch (const UsageError& e) {
    err << "skinpack: " << e.what() << "\n" << kUsage;
    return 2;
  } catch (const std::exception& e) {
    err << "skinpack: error: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace skinpack
