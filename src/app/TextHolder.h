// A hidden multi-line text holder that keeps its lines as bytes, exactly: the style sheet
// and the test page live in holders like this, because their bytes are written back to disk
// and no window may alter them (NUL bytes, double-byte sequences that are not valid in the
// code page). It is never shown.
//
// A holder loaded from a file also keeps the file's bytes exactly as they were on disk, line
// ends included: the lines are for reading, the bytes are what a backup copies and what a
// rewrite changes.
#pragma once

#include <string>

#include "ui/Classes.h"
#include "ui/Controls.h"

namespace app {

class TTextHolder : public ui::TControl {
  UI_CLASS_INFO
 public:
  explicit TTextHolder(ui::TComponent* owner);
  ui::TStringList* Lines() const { return lines_.get(); }
  void SetVisible(bool) override {}  // never shown

  // Replaces the text by the file's and remembers the file and its bytes. A file that cannot
  // be read raises, and text, bytes and file name stay as they were.
  void LoadFromFile(const std::wstring& fileName);
  // The same with the file's bytes already read.
  void Loaded(const std::wstring& fileName, std::string bytes);
  // The file the text was last loaded from; empty until a load succeeded. Whoever writes the
  // text back writes it here, so it can never land in a file it did not come from.
  const std::wstring& FileName() const { return fileName_; }
  // The file's bytes as they were loaded, or as they were last saved.
  const std::string& Bytes() const { return bytes_; }
  // Whether the file still holds exactly Bytes(): false when it was changed, removed or
  // cannot be read since.
  bool FileUnchanged() const;
  // `bytes` were written to the file: they are its bytes and text from now on.
  void Saved(std::string bytes);

 private:
  std::unique_ptr<ui::TStringList> lines_;
  std::wstring fileName_;
  std::string bytes_;
};

// The whole bytes of a file; raises when it cannot be read.
std::string ReadFileBytes(const std::wstring& fileName);

}  // namespace app
