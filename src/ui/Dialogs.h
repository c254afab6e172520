// The system's common dialogs as components.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
  ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoDereferenceLinks, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = int;  // bit 1 << TOpenOption
const TEnumInfo& OpenOptionInfo();

// The system's dialog for choosing a file to open.
class TOpenDialog : public TComponent {
  UI_CLASS_INFO
 public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // "Description|pattern|Description|pattern...", patterns separated by ";".
  std::wstring Filter() const { return filter_; }
  void SetFilter(const std::wstring& filter) { filter_ = filter; }
  // 1 for the first filter; the dialog leaves the one the user chose.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  // The file shown at first, and the file chosen (the first one when several were).
  std::wstring FileName() const { return fileName_; }
  void SetFileName(const std::wstring& name) { fileName_ = name; }
  // Every file chosen, with full paths.
  const std::vector<std::wstring>& Files() const { return files_; }
  std::wstring InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::wstring& dir) { initialDir_ = dir; }
  std::wstring Title() const { return title_; }
  void SetTitle(const std::wstring& title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }

  // Shows the dialog and waits; answers whether a file was chosen (FileName, Files and
  // FilterIndex then tell which). Raises when the system cannot show the dialog.
  bool Execute();
  // The dialog's window while it is shown, else nothing.
  HWND Handle() const { return handle_; }
  // Fired once the dialog's window is up (Handle is valid): its controls can be driven.
  TNotifyEvent OnShow;
  // Fired when the dialog has been closed.
  TNotifyEvent OnClose;

  // The filter in the system's form: each description and pattern ends with a NUL, and
  // one more NUL ends the list. An odd last description is its own pattern.
  static std::wstring SystemFilter(const std::wstring& filter);

 private:
  static UINT_PTR CALLBACK HookProc(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam);
  void TakeResult(const OPENFILENAMEW& record, const std::vector<wchar_t>& buffer);

  std::wstring filter_, fileName_, initialDir_, title_;
  std::vector<std::wstring> files_;
  int filterIndex_ = 1;
  TOpenOptions options_ = (1 << ofHideReadOnly) | (1 << ofEnableSizing);
  HWND handle_ = nullptr;
};

}  // namespace ui
