// The progress cell in the number format of the locale in use, as the user reads numbers.
#include "app/download/Progress.h"
#include "ui/SysUtils.h"

namespace download {

std::wstring ProgressCell(uint32_t progress, uint32_t maximum) {
  return ProgressCell(progress, maximum, ui::DecimalSeparator());
}

std::wstring RunningCell(uint32_t progress, uint32_t maximum) {
  return RunningCell(progress, maximum, ui::DecimalSeparator());
}

}  // namespace download
