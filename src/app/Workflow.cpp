#include "app/Workflow.h"

#include <cctype>

namespace workflow {

std::string HtmlAttribute(std::string_view text, const LeadBytePredicate& isLeadByte) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (isLeadByte(c) && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += static_cast<char>(c); break;
    }
  }
  out += '"';
  return out;
}

std::string TestPageLine(int index, std::string_view address, const LeadBytePredicate& isLeadByte) {
  std::string value = HtmlAttribute(address, isLeadByte);
  return std::to_string(index) + " <img src=" + value + " alt=" + value + "><br><br><hr>";
}

std::wstring FolderOf(std::wstring_view path) {
  size_t end = path.find_last_of(L"\\/:");
  return end == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, end + 1));
}

std::string UrlFileName(std::string_view address) {
  address = address.substr(0, address.find_first_of("?#"));
  size_t slash = address.rfind('/');
  if (slash != std::string_view::npos) address.remove_prefix(slash + 1);
  return std::string(address);
}

namespace {

bool IsForbidden(unsigned char c) {
  return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
         c == '/' || c == '\\';
}

bool IsReservedDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string SafeFileName(std::string_view name, const LeadBytePredicate& isLeadByte) {
  // Only the part after the last real backslash (never the trail byte of a character).
  size_t start = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (name[i] == '\\') start = i + 1;
  }
  std::string out;
  for (size_t i = start; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (isLeadByte(c) && i + 1 < name.size()) {
      out += name.substr(i, 2);
      ++i;
    } else {
      out += IsForbidden(c) ? '_' : static_cast<char>(c);
    }
  }
  if (out == "." || out == "..") return {};
  // Windows drops trailing dots and spaces, which would name another file.
  for (size_t i = out.size(); i > 0 && (out[i - 1] == '.' || out[i - 1] == ' '); --i) out[i - 1] = '_';
  if (IsReservedDeviceName(out)) out = "_" + out;
  return out;
}

}  // namespace workflow
