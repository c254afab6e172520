// Text lists and streams.
//
// A text list holds lines of bytes in the system's narrow code page, exactly as read: no code
// page conversion, NUL bytes kept. Loading accepts CR LF, LF and CR as line breaks; the text
// of a list is its lines separated by CR LF, with CR LF after the last line too unless the
// list was loaded from a text that ended without a line break.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/TypInfo.h"

namespace ui {

class TStream : public TObject {
  UI_CLASS_INFO
 public:
  virtual size_t Read(void* buffer, size_t count) = 0;
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual uint64_t Size() const = 0;
  virtual uint64_t Position() const = 0;
  virtual void SetPosition(uint64_t position) = 0;
  // Everything from the current position to the end.
  std::string ReadAll();
  // Writes every byte or raises.
  void WriteBuffer(std::string_view bytes);
};

class TMemoryStream : public TStream {
  UI_CLASS_INFO
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  uint64_t Size() const override { return data_.size(); }
  uint64_t Position() const override { return position_; }
  void SetPosition(uint64_t position) override { position_ = position; }
  void Clear();
  const std::string& Bytes() const { return data_; }

 private:
  std::string data_;
  uint64_t position_ = 0;
};

// An open file. Opening raises EFOpenError, creating raises EFCreateError, each with the
// system's reason. fmCreate empties a file that exists; fmCreateNew never opens one.
class TFileStream : public TStream {
  UI_CLASS_INFO
 public:
  enum Mode { fmOpenRead, fmCreate, fmCreateNew };
  TFileStream(const std::wstring& fileName, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  uint64_t Size() const override;
  uint64_t Position() const override;
  void SetPosition(uint64_t position) override;
  // Writes buffered data through to the disk.
  void Flush();

 private:
  void* handle_;
  std::wstring fileName_;
};

// An ordered list of text lines. TStrings is the interface every list offers (memos keep
// their lines in their window); TStringList keeps them in memory.
class TStrings : public TObject {
  UI_CLASS_INFO
 public:
  virtual int Count() const = 0;
  // Line i from 0; empty past the end.
  virtual std::string Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& line) = 0;
  virtual void Insert(int index, const std::string& line) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  void Add(const std::string& line) { Insert(Count(), line); }
  // The lines separated by CR LF, and CR LF after the last one when TrailingLineBreak is set.
  virtual std::string Text() const;
  // Splits at CR LF, LF or CR; a final line break does not start another line.
  virtual void SetText(std::string_view text);
  // Whether Text ends the last line with CR LF: set by default, and by loading set to whether
  // the loaded text ended with a line break, so that a text saved back ends as it was read.
  // A memo's text is its window's own and ignores it.
  bool TrailingLineBreak() const { return trailingLineBreak_; }
  void SetTrailingLineBreak(bool value) { trailingLineBreak_ = value; }
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const { stream.WriteBuffer(Text()); }
  void LoadFromFile(const std::wstring& fileName);
  void SaveToFile(const std::wstring& fileName) const;
  // The other list's lines and its TrailingLineBreak.
  void Assign(const TStrings& other);

  // The lines of a text, split as SetText splits them.
  static std::vector<std::string> SplitLines(std::string_view text);

 private:
  bool trailingLineBreak_ = true;
};

class TStringList : public TStrings {
  UI_CLASS_INFO
 public:
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& line) override;
  void Insert(int index, const std::string& line) override;
  void Delete(int index) override;
  void Clear() override;
  void SetText(std::string_view text) override;
  const std::vector<std::string>& Lines() const { return lines_; }

  // Told after every change.
  std::function<void(TStringList*)> OnChange;

 private:
  void Changed();
  std::vector<std::string> lines_;
};

// Writes `bytes` as the whole content of `fileName` without leaving a half-written file: the
// bytes go to a temporary file in the same folder and are flushed to the disk, and the
// temporary file then takes the target's place through the system's file replacement, which
// keeps the target's attributes and security. With `replace` false an existing target is
// never overwritten. Raises EFCreateError with the system's reason; the old file is then
// untouched. Where no temporary file can be made beside the target (a folder that takes no
// new files, or a path so long that no temporary name fits), the bytes are written into the
// target directly instead.
void SaveBytesSafely(const std::wstring& fileName, std::string_view bytes, bool replace = true);

// Raised for a line index outside a list.
[[noreturn]] void RaiseListIndexError(int index);

}  // namespace ui
