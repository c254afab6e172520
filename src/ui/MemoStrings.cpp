// The lines of a memo, kept in its window (or in its stored text until it has one).
#include <algorithm>

#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

namespace ui {

namespace {

std::string CutLine(const std::string& line) {
  std::wstring wide = FromAnsi(line);
  if (wide.size() <= static_cast<size_t>(TMemoStrings::MaxLineLength)) return line;
  wide.resize(TMemoStrings::MaxLineLength);
  return ToAnsi(wide);
}

std::wstring JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return FromAnsi(text);
}

LRESULT Send(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(h, msg, wParam, lParam);
}

// The first character of line `index`, or -1 past the last line.
int LineStart(HWND h, int index) { return static_cast<int>(Send(h, EM_LINEINDEX, static_cast<WPARAM>(index))); }

}  // namespace

const TClassInfo& TMemoStrings::StaticClass() {
  static const TClassInfo info(L"TMemoStrings", &TStrings::StaticClass());
  return info;
}

HWND TMemoStrings::Window() const { return memo_.HandleIfAllocated(); }

const std::vector<std::string>& TMemoStrings::StoredLines() const {
  std::wstring text = memo_.Text();
  if (text != splitText_) {
    splitLines_ = SplitLines(ToAnsi(text));
    splitText_ = std::move(text);
  }
  return splitLines_;
}

int TMemoStrings::Count() const {
  HWND h = Window();
  if (!h) return static_cast<int>(StoredLines().size());
  int lines = static_cast<int>(Send(h, EM_GETLINECOUNT));
  if (lines <= 0) return 0;
  // The system counts the empty line that follows a final line break; the list does not.
  int lastStart = LineStart(h, lines - 1);
  if (lastStart >= 0 && Send(h, EM_LINELENGTH, static_cast<WPARAM>(lastStart)) == 0) --lines;
  return lines;
}

std::string TMemoStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) return {};
  HWND h = Window();
  if (!h) return CutLine(StoredLines()[static_cast<size_t>(index)]);
  // EM_GETLINE takes the buffer's size in its first character and copies at most that many.
  std::wstring buffer(static_cast<size_t>(MaxLineLength) + 1, L'\0');
  buffer[0] = static_cast<wchar_t>(MaxLineLength);
  LRESULT copied = Send(h, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, MaxLineLength)));
  return ToAnsi(buffer);
}

std::string TMemoStrings::Text() const { return ToAnsi(memo_.Text()); }

void TMemoStrings::SetText(std::string_view text) { memo_.SetText(JoinLines(SplitLines(text))); }

void TMemoStrings::Clear() { memo_.SetText(std::wstring()); }

void TMemoStrings::Replace(int start, int end, const std::wstring& text) {
  HWND h = Window();
  Send(h, EM_SETSEL, static_cast<WPARAM>(start), end);
  Send(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemoStrings::SetStrings(int index, const std::string& line) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  HWND h = Window();
  if (!h) {
    std::vector<std::string> lines = StoredLines();
    lines[static_cast<size_t>(index)] = line;
    memo_.SetText(JoinLines(lines));
    return;
  }
  int start = LineStart(h, index);
  int length = static_cast<int>(Send(h, EM_LINELENGTH, static_cast<WPARAM>(start)));
  Replace(start, start + length, FromAnsi(line));
}

void TMemoStrings::Insert(int index, const std::string& line) {
  int count = Count();
  if (index < 0 || index > count) RaiseListIndexError(index);
  HWND h = Window();
  if (!h) {
    std::vector<std::string> lines = StoredLines();
    lines.insert(lines.begin() + index, line);
    memo_.SetText(JoinLines(lines));
    return;
  }
  std::wstring text = FromAnsi(line) + L"\r\n";
  if (index < count) {
    int start = LineStart(h, index);
    Replace(start, start, text);
    return;
  }
  // At the end: a last line without a line break gets one first.
  int length = GetWindowTextLengthW(h);
  bool endsWithBreak = count < static_cast<int>(Send(h, EM_GETLINECOUNT));
  if (length > 0 && !endsWithBreak) text = L"\r\n" + text;
  Replace(length, length, text);
}

void TMemoStrings::Delete(int index) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  HWND h = Window();
  if (!h) {
    std::vector<std::string> lines = StoredLines();
    lines.erase(lines.begin() + index);
    memo_.SetText(JoinLines(lines));
    return;
  }
  int start = LineStart(h, index);
  int next = LineStart(h, index + 1);
  Replace(start, next >= 0 ? next : GetWindowTextLengthW(h), std::wstring());
}

}  // namespace ui
