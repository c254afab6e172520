// A hidden multi-line text holder that keeps its lines as bytes, exactly: the style sheet
// and the test page live in holders like this, because their bytes are written back to disk
// and no window may alter them (NUL bytes, double-byte sequences that are not valid in the
// code page). It is never shown.
#pragma once

#include "ui/Classes.h"
#include "ui/Controls.h"

namespace app {

class TTextHolder : public ui::TControl {
  UI_CLASS_INFO
 public:
  explicit TTextHolder(ui::TComponent* owner);
  ui::TStringList* Lines() const { return lines_.get(); }
  void SetVisible(bool) override {}  // never shown

  // Replaces the text by the file's and remembers the file. A file that cannot be read
  // raises, and text and file name stay as they were.
  void LoadFromFile(const std::wstring& fileName);
  // The file the text was last loaded from; empty until a load succeeded. Whoever writes the
  // text back writes it here, so it can never land in a file it did not come from.
  const std::wstring& FileName() const { return fileName_; }

 private:
  std::unique_ptr<ui::TStringList> lines_;
  std::wstring fileName_;
};

}  // namespace app
