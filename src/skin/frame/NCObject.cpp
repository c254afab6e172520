// The states of a non-client item and the frame's one hot item.
#include "skin/frame/NCObject.h"

namespace skin {

void TNCObject::SetState(int state) {
  State = state;
  Paint();
}

void TNCObject::MouseDown() {
  TNCObject* hot = hot_.Get();
  if (hot && hot != this) hot->MouseLeave();
  if (!Enabled) return;
  hot_.Set(this);
  SetState(ncsPressed);
}

void TNCObject::MouseUp() {
  if (Enabled) SetState(ncsHot);
}

void TNCObject::MouseEnter() {
  TNCObject* hot = hot_.Get();
  if (hot == this) return;
  if (hot) hot->MouseLeave();
  if (!Enabled) return;
  hot_.Set(this);
  SetState(ncsHot);
}

void TNCObject::MouseLeave() {
  if (!Enabled) return;
  if (hot_.Get() == this) hot_.Clear();
  SetState(ncsNormal);
}

}  // namespace skin
