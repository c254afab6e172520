#include "ui/ComObj.h"

#include <oaidl.h>

#include "ui/SysUtils.h"

namespace ui {

std::wstring OleErrorText(HRESULT hr) {
  TComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) == S_OK && info) {
    TBStr description;
    if (SUCCEEDED(info->GetDescription(description.Put())) && !description.Str().empty()) return description.Str();
  }
  return SysErrorMessage(static_cast<unsigned long>(hr));
}

void OleCheck(HRESULT hr) {
  if (FAILED(hr)) throw Exception(OleErrorText(hr));
}

}  // namespace ui
