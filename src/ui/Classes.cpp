#include "ui/Classes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "ui/SysUtils.h"

namespace ui {

const TClassInfo& TStream::StaticClass() {
  static const TClassInfo info(L"TStream", &TObject::StaticClass());
  return info;
}

std::string TStream::ReadAll() {
  uint64_t left = Size() > Position() ? Size() - Position() : 0;
  std::string bytes(static_cast<size_t>(left), '\0');
  size_t got = bytes.empty() ? 0 : Read(bytes.data(), bytes.size());
  bytes.resize(got);
  return bytes;
}

void TStream::WriteBuffer(std::string_view bytes) {
  if (Write(bytes.data(), bytes.size()) != bytes.size()) throw Exception(L"Stream write error");
}

const TClassInfo& TMemoryStream::StaticClass() {
  static const TClassInfo info(L"TMemoryStream", &TStream::StaticClass());
  return info;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= data_.size()) return 0;
  size_t n = std::min(count, data_.size() - static_cast<size_t>(position_));
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  size_t end = static_cast<size_t>(position_) + count;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ = end;
  return count;
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

const TClassInfo& TFileStream::StaticClass() {
  static const TClassInfo info(L"TFileStream", &TStream::StaticClass());
  return info;
}

TFileStream::TFileStream(const std::wstring& fileName, Mode mode) : fileName_(fileName) {
  if (mode == fmOpenRead) {
    handle_ = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError(fileName, GetLastError());
  } else {
    DWORD disposition = mode == fmCreateNew ? CREATE_NEW : CREATE_ALWAYS;
    handle_ = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFCreateError(fileName, GetLastError());
  }
}

TFileStream::~TFileStream() { CloseHandle(handle_); }

size_t TFileStream::Read(void* buffer, size_t count) {
  DWORD got = 0;
  if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr)) RaiseLastOSError();
  return got;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
  DWORD put = 0;
  if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &put, nullptr)) RaiseLastOSError();
  return put;
}

uint64_t TFileStream::Size() const {
  LARGE_INTEGER size{};
  GetFileSizeEx(handle_, &size);
  return static_cast<uint64_t>(size.QuadPart);
}

uint64_t TFileStream::Position() const {
  LARGE_INTEGER zero{}, pos{};
  SetFilePointerEx(handle_, zero, &pos, FILE_CURRENT);
  return static_cast<uint64_t>(pos.QuadPart);
}

void TFileStream::SetPosition(uint64_t position) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(position);
  SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN);
}

void TFileStream::Flush() {
  if (!FlushFileBuffers(handle_)) RaiseLastOSError();
}

const TClassInfo& TStrings::StaticClass() {
  static const TClassInfo info(L"TStrings", &TObject::StaticClass());
  return info;
}

const TClassInfo& TStringList::StaticClass() {
  static const TClassInfo info(L"TStringList", &TStrings::StaticClass());
  return info;
}

namespace {

// A new empty temporary file in `folder` (with its trailing separator), or empty when none
// can be made there. The system takes folders of up to MAX_PATH - 14 characters for it.
std::wstring TempFileIn(const std::wstring& folder) {
  if (folder.size() > MAX_PATH - 14) return {};
  wchar_t temp[MAX_PATH];
  if (!GetTempFileNameW(folder.c_str(), L"vx", 0, temp)) return {};
  return temp;
}

// Writes the bytes into `fileName` and through to the disk; raises EFCreateError naming
// `reported`.
void WriteWhole(const std::wstring& fileName, std::string_view bytes, TFileStream::Mode mode,
                const std::wstring& reported) {
  try {
    TFileStream stream(fileName, mode);
    stream.WriteBuffer(bytes);
    stream.Flush();
  } catch (...) {
    DWORD error = GetLastError();
    throw EFCreateError(reported, error ? error : ERROR_WRITE_FAULT);
  }
}

// Puts the written temporary file in the target's place; answers the system's error, or 0.
DWORD PutInPlace(const std::wstring& temp, const std::wstring& fileName, bool replace) {
  DWORD moveFlags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (replace) {
    if (ReplaceFileW(fileName.c_str(), temp.c_str(), nullptr, 0, nullptr, nullptr)) return 0;
    DWORD error = GetLastError();
    // Not there yet: nothing to keep, the temporary file is simply moved. Replaced file
    // removed but the temporary one not renamed: it holds the only copy, so it is moved.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT) return error;
  }
  return MoveFileExW(temp.c_str(), fileName.c_str(), moveFlags) ? 0 : GetLastError();
}

}  // namespace

void SaveBytesSafely(const std::wstring& fileName, std::string_view bytes, bool replace) {
  size_t slash = fileName.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? L".\\" : fileName.substr(0, slash + 1);
  std::wstring temp = TempFileIn(folder);
  if (temp.empty()) {
    WriteWhole(fileName, bytes, replace ? TFileStream::fmCreate : TFileStream::fmCreateNew, fileName);
    return;
  }
  try {
    WriteWhole(temp, bytes, TFileStream::fmCreate, fileName);
  } catch (...) {
    DeleteFileW(temp.c_str());
    throw;
  }
  auto exists = [&] { return GetFileAttributesW(fileName.c_str()) != INVALID_FILE_ATTRIBUTES; };
  bool existed = exists();
  if (DWORD error = PutInPlace(temp, fileName, replace)) {
    // Should the target be gone, the temporary file holds the only copy and stays.
    if (!existed || exists()) DeleteFileW(temp.c_str());
    throw EFCreateError(fileName, error);
  }
}

void RaiseListIndexError(int index) {
  throw Exception(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) text += "\r\n";
    text += Strings(i);
  }
  if (Count() > 0 && trailingLineBreak_) text += "\r\n";
  return text;
}

std::vector<std::string> TStrings::SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

void TStrings::SetText(std::string_view text) {
  Clear();
  for (std::string& line : SplitLines(text)) Add(line);
}

void TStrings::LoadFromStream(TStream& stream) {
  std::string text = stream.ReadAll();
  trailingLineBreak_ = text.empty() || text.back() == '\r' || text.back() == '\n';
  SetText(text);
}

void TStrings::Assign(const TStrings& other) {
  std::string text = other.Text();
  trailingLineBreak_ = other.trailingLineBreak_;
  SetText(text);
}

void TStrings::LoadFromFile(const std::wstring& fileName) {
  TFileStream stream(fileName, TFileStream::fmOpenRead);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::wstring& fileName) const {
  TFileStream stream(fileName, TFileStream::fmCreate);
  SaveToStream(stream);
}

std::string TStringList::Strings(int index) const {
  return index >= 0 && index < Count() ? lines_[static_cast<size_t>(index)] : std::string();
}

void TStringList::SetStrings(int index, const std::string& line) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  lines_[static_cast<size_t>(index)] = line;
  Changed();
}

void TStringList::Insert(int index, const std::string& line) {
  if (index < 0 || index > Count()) RaiseListIndexError(index);
  lines_.insert(lines_.begin() + index, line);
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  lines_.erase(lines_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  lines_.clear();
  Changed();
}

void TStringList::SetText(std::string_view text) {
  lines_ = SplitLines(text);
  Changed();
}

void TStringList::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace ui
