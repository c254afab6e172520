// TFormWatch: a component that a frame skinner leaves with the window's form object. The skin
// manager owns the frame, but the frame must let go of the form as the form goes, while the
// form and its controls are still whole: the form frees the watch with its own components,
// and the watch tells the frame then.
#pragma once

#include <functional>

#include "ui/Component.h"

namespace skin {

class TFormWatch final : public ui::TComponent {
  UI_CLASS_INFO
 public:
  // Owned by `form`; `going` runs once, when the form frees the watch.
  TFormWatch(ui::TComponent* form, std::function<void()> going)
      : ui::TComponent(form), going_(std::move(going)) {}
  ~TFormWatch() override;

  // The frame went first: freeing the watch then tells no one.
  void Disarm() { going_ = nullptr; }

 private:
  std::function<void()> going_;
};

}  // namespace skin
