#include "skin/frame/FormWatch.h"

#include <utility>

namespace skin {

const ui::TClassInfo& TFormWatch::StaticClass() {
  static const ui::TClassInfo info(L"TFormWatch", &ui::TComponent::StaticClass());
  return info;
}

TFormWatch::~TFormWatch() {
  BeginDestruction();
  // Taken out first: the frame told may free itself, and with it its hold on the watch.
  if (std::function<void()> going = std::exchange(going_, nullptr)) going();
}

}  // namespace skin
