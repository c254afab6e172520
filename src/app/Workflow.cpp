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

// The bytes of the character at `i`: two for a lead byte followed by a byte that can end a
// double-byte character (0x40 and above in every double-byte code page of Windows), else one.
size_t CharacterLength(std::string_view text, size_t i, const LeadBytePredicate& isLeadByte) {
  return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                 static_cast<unsigned char>(text[i + 1]) >= 0x40
             ? 2
             : 1;
}

bool IsReservedDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  // A digit, or a superscript one, two or three of Latin-1, which Windows counts as digits here.
  unsigned char digit = base.size() == 4 ? static_cast<unsigned char>(base[3]) : 0;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         ((digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3);
}

// Windows drops trailing dots and spaces, which would name another file.
void ReplaceTrailingDotsAndSpaces(std::string& name) {
  for (size_t i = name.size(); i > 0 && (name[i - 1] == '.' || name[i - 1] == ' '); --i) name[i - 1] = '_';
}

// `name` cut to kMaxFileNameBytes on a character boundary. Its extension (from the last dot)
// stays when it is short, and the characters before it are cut instead.
void Shorten(std::string& name, const LeadBytePredicate& isLeadByte) {
  if (name.size() <= kMaxFileNameBytes) return;
  size_t dot = std::string::npos;
  for (size_t i = 0; i < name.size(); i += CharacterLength(name, i, isLeadByte))
    if (name[i] == '.') dot = i;
  std::string extension;
  if (dot != std::string::npos && name.size() - dot <= kMaxFileNameBytes / 4) extension = name.substr(dot);
  size_t end = 0;
  for (size_t i = 0, step; i < name.size() - extension.size(); i += step) {
    step = CharacterLength(name, i, isLeadByte);
    if (i + step > kMaxFileNameBytes - extension.size()) break;
    end = i + step;
  }
  name = name.substr(0, end) + extension;
}

}  // namespace

std::string SafeFileName(std::string_view name, const LeadBytePredicate& isLeadByte) {
  // Only the part after the last real backslash (never the second byte of a character).
  size_t start = 0;
  for (size_t i = 0; i < name.size(); i += CharacterLength(name, i, isLeadByte))
    if (name[i] == '\\') start = i + 1;
  std::string out;
  for (size_t i = start, step; i < name.size(); i += step) {
    step = CharacterLength(name, i, isLeadByte);
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (step == 2)
      out += name.substr(i, 2);
    else  // a lead byte without its second byte is no character either
      out += IsForbidden(c) || isLeadByte(c) ? '_' : static_cast<char>(c);
  }
  if (out == "." || out == "..") return {};
  Shorten(out, isLeadByte);
  ReplaceTrailingDotsAndSpaces(out);
  if (IsReservedDeviceName(out)) {
    // The "_" in front stays in front when the name is cut again.
    out = "_" + out;
    Shorten(out, isLeadByte);
    ReplaceTrailingDotsAndSpaces(out);
  }
  return out;
}

}  // namespace workflow
