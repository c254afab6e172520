#include "ui/Dialogs.h"

#include <algorithm>

#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace ui {

namespace {

// The dialog being shown on this thread: its hook finds the component through it.
thread_local TOpenDialog* g_showing = nullptr;

// Room for many chosen files with long paths.
constexpr size_t kFileBufferLength = 32768;

struct TOptionFlag {
  TOpenOption option;
  DWORD flag;
};
constexpr TOptionFlag kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},         {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY}, {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofNoValidate, OFN_NOVALIDATE},     {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT}, {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST}, {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},     {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE}, {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableSizing, OFN_ENABLESIZING}, {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

HWND OwnerWindow() {
  if (TCustomForm* form = Screen->ActiveForm()) return form->HandleIfAllocated();
  if (TCustomForm* form = Application->MainForm()) return form->HandleIfAllocated();
  return GetActiveWindow();
}

// What the dialog wrote into the file buffer. One file: its full path, ended by a NUL; the
// buffer may hold more after it (the end of a longer initial name), which is not read. With
// multiple selection, several files come as the folder, then from nFileOffset on each name
// ended by a NUL, and one more NUL ends the list; a single file still comes as its full path
// (the character before nFileOffset is then its separator, not a NUL).
std::vector<std::wstring> ChosenFiles(const OPENFILENAMEW& record, const std::vector<wchar_t>& buffer) {
  auto stringAt = [&](size_t at) {
    size_t end = std::find(buffer.begin() + static_cast<std::ptrdiff_t>(at), buffer.end(), L'\0') - buffer.begin();
    return std::wstring(buffer.data() + at, end - at);
  };
  std::wstring first = stringAt(0);
  if (first.empty()) return {};
  size_t offset = record.nFileOffset;
  bool list = (record.Flags & OFN_ALLOWMULTISELECT) && offset > first.size() && offset < buffer.size() &&
              buffer[offset - 1] == L'\0';
  if (!list) return {first};
  std::wstring folder = first;
  if (folder.back() != L'\\') folder += L'\\';
  std::vector<std::wstring> files;
  for (size_t at = offset; at < buffer.size() && buffer[at];) {
    std::wstring name = stringAt(at);
    at += name.size() + 1;
    files.push_back(folder + name);
  }
  return files;
}

}  // namespace

const TEnumInfo& OpenOptionInfo() {
  static const TEnumInfo info(
      L"TOpenOption",
      {L"ofReadOnly", L"ofOverwritePrompt", L"ofHideReadOnly", L"ofNoChangeDir", L"ofNoValidate",
       L"ofAllowMultiSelect", L"ofExtensionDifferent", L"ofPathMustExist", L"ofFileMustExist", L"ofCreatePrompt",
       L"ofShareAware", L"ofNoReadOnlyReturn", L"ofNoTestFileCreate", L"ofNoDereferenceLinks", L"ofEnableSizing",
       L"ofDontAddToRecent", L"ofForceShowHidden"});
  return info;
}

const TClassInfo& TOpenDialog::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TOpenDialog", &TComponent::StaticClass());
    c.Str(L"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    c.Str(L"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    c.Int(L"FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    c.Str(L"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    c.Set(L"Options", OpenOptionInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions);
    c.Str(L"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    return c;
  }();
  return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

TOpenDialog::~TOpenDialog() {
  if (g_showing == this) g_showing = nullptr;
}

std::wstring TOpenDialog::SystemFilter(const std::wstring& filter) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= filter.size() && !filter.empty()) {
    size_t bar = filter.find(L'|', start);
    if (bar == std::wstring::npos) bar = filter.size();
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  if (parts.size() % 2) parts.push_back(parts.back());
  std::wstring result;
  for (const std::wstring& part : parts) {
    result += part;
    result += L'\0';
  }
  if (!result.empty()) result += L'\0';
  return result;
}

UINT_PTR CALLBACK TOpenDialog::HookProc(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg != WM_NOTIFY || !g_showing) return 0;
  const auto* header = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (header->hdr.code != static_cast<UINT>(CDN_INITDONE)) return 0;
  TOpenDialog* dialog = g_showing;
  dialog->handle_ = GetParent(hook);
  try {
    if (dialog->OnShow) dialog->OnShow(dialog);
  } catch (...) {
    HandleException(dialog);
  }
  return 0;
}

bool TOpenDialog::Execute() {
  std::wstring filter = SystemFilter(filter_);
  std::vector<wchar_t> buffer(kFileBufferLength, L'\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), buffer.size() - 1), buffer.begin());
  OPENFILENAMEW record{};
  record.lStructSize = sizeof(record);
  record.hwndOwner = OwnerWindow();
  record.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  record.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  record.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  record.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  record.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  for (const TOptionFlag& f : kOptionFlags)
    if (options_ & (1 << f.option)) record.Flags |= f.flag;
  record.lpfnHook = &TOpenDialog::HookProc;

  TOpenDialog* outer = g_showing;
  g_showing = this;
  BOOL chosen = GetOpenFileNameW(&record);
  DWORD error = chosen ? 0 : CommDlgExtendedError();
  g_showing = outer;
  handle_ = nullptr;
  if (OnClose) OnClose(this);
  if (error) throw Exception(Format(L"The open dialog could not be shown (error %s)", {std::to_wstring(error)}));
  if (!chosen) return false;
  TakeResult(record, buffer);
  return true;
}

void TOpenDialog::TakeResult(const OPENFILENAMEW& record, const std::vector<wchar_t>& buffer) {
  files_ = ChosenFiles(record, buffer);
  fileName_ = files_.empty() ? std::wstring() : files_[0];
  filterIndex_ = static_cast<int>(record.nFilterIndex);
  options_ &= ~((1 << ofReadOnly) | (1 << ofExtensionDifferent));
  if (record.Flags & OFN_READONLY) options_ |= 1 << ofReadOnly;
  if (record.Flags & OFN_EXTENSIONDIFFERENT) options_ |= 1 << ofExtensionDifferent;
}

}  // namespace ui
