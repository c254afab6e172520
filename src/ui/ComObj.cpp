#include "ui/ComObj.h"

#include <oaidl.h>

#include "ui/SysUtils.h"

namespace ui {

void OleCheck(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  TComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) == S_OK && info) {
    TBStr description;
    if (SUCCEEDED(info->GetDescription(description.Put())) && !description.Str().empty())
      throw Exception(description.Str());
  }
  throw Exception(SysErrorMessage(static_cast<unsigned long>(hr)));
}

}  // namespace ui
