#include "SkinCheck.h"

#include <cctype>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/model/BitmapFile.h"
#include "skin/model/QuickIni.h"
#include "skin/model/SkinReader.h"

namespace skinpack {

namespace {

// A value that looks like a file name of another type ("title.tga"): the engine draws an
// empty bitmap for it.
bool NamesOtherFile(const std::string& value) {
  const std::size_t dot = value.rfind('.');
  if (dot == std::string::npos || dot + 1 == value.size() || value.size() - dot > 5) return false;
  for (std::size_t i = dot + 1; i < value.size(); ++i) {
    if (!std::isalnum(static_cast<unsigned char>(value[i]))) return false;
  }
  return value.find(' ') == std::string::npos;
}

class Checker {
 public:
  Checker(const skin::TSkinReader& reader, std::ostream& out) : reader_(reader), out_(out) {}

  // Every key of every section, read as the engine reads it: first section, first key.
  void Walk(const skin::TQuickIni& ini) {
    std::string section;
    std::set<std::string> sections, keys;
    for (const std::string& line : ini.Lines()) {
      if (line.front() == '[' && line.back() == ']') {
        section = std::string(skin::TrimText(std::string_view(line).substr(1, line.size() - 2)));
        if (!sections.insert(skin::AsciiLower(section)).second) {
          out_ << "note: section [" << section << "] appears again; only the first is read\n";
        }
        continue;
      }
      const std::string key(skin::TrimText(std::string_view(line).substr(0, line.find('='))));
      if (key.empty() || !keys.insert(skin::AsciiLower(section + "\n" + key)).second) continue;
      Value(section, key, ini.ReadString(section, key, ""));
    }
  }

  void ReportUnnamed() {
    for (const std::string& name : reader_.Names()) {
      if (name.size() > 4 && name.ends_with(".bmp") && !named_.count(name)) {
        out_ << "note: " << name << " is not named by the description\n";
      }
    }
  }

  int Problems() const { return problems_; }

 private:
  void Value(const std::string& section, const std::string& key, const std::string& value) {
    const std::string entry = skin::BitmapEntryName(value);
    const std::string where = "[" + section + "] " + key + " = " + value + ": ";
    if (entry.empty()) {
      if (NamesOtherFile(value)) out_ << "note: " << where << "not a .bmp, drawn as empty\n";
      return;
    }
    named_.insert(skin::AsciiLower(entry));
    std::vector<std::uint8_t> bytes;
    skin::TPixelImage image;
    std::string error;
    if (!reader_.ExtractEntry(entry, bytes)) {
      Problem(where + "no entry " + entry);
    } else if (bytes.empty()) {
      Problem(where + "entry " + entry + " is empty");
    } else if (!skin::DecodeBitmapFile(bytes, image, &error)) {
      Problem(where + entry + " is not a valid bitmap (" + error + ")");
    } else {
      out_ << where << image.Width << " x " << image.Height << "\n";
    }
  }

  void Problem(const std::string& text) {
    out_ << "problem: " << text << "\n";
    ++problems_;
  }

  const skin::TSkinReader& reader_;
  std::ostream& out_;
  std::set<std::string> named_;
  int problems_ = 0;
};

}  // namespace

int CheckPackage(std::span<const std::uint8_t> block, std::ostream& out) {
  skin::TSkinReader reader;
  if (!reader.Load(block)) {
    throw std::runtime_error(reader.Status() == skin::TSkinLoadStatus::OldFormat
                                 ? "a skin of an older format (marker is not 20000)"
                                 : "the engine refuses this package: " + reader.ErrorText());
  }
  std::vector<std::uint8_t> text;
  std::string name;
  if (!reader.ExtractEntryContaining(".ini", text, name)) {
    out << "problem: no description (no entry name contains \".ini\")\n";
    return 1;
  }
  skin::TQuickIni ini;
  ini.Load(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  out << "description: " << name << ", " << sections.size() << " sections\n";
  Checker checker(reader, out);
  checker.Walk(ini);
  checker.ReportUnnamed();
  out << checker.Problems() << " problems\n";
  return checker.Problems();
}

}  // namespace skinpack
