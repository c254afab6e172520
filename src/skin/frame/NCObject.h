// The clickable items of a skinned frame's non-client area (caption buttons, the items of the
// menu bar) and the one item among them that is hot or pressed.
#pragma once

#include <windows.h>

namespace skin {

// States of a non-client item, which are also the frame numbers of a caption-button picture
// (frames side by side: 1 normal, 2 pressed, 3 hot, 4 inactive).
enum TNCState { ncsNormal = 1, ncsPressed = 2, ncsHot = 3 };

class TNCObject;

// The item of one frame that is hot or pressed, or none. The caption buttons and the items of
// the menu bar share it: one of them at a time shows the hot look.
class TNCHotItem {
 public:
  TNCObject* Get() const { return item_; }
  void Set(TNCObject* item) { item_ = item; }
  void Clear() { item_ = nullptr; }

 private:
  TNCObject* item_ = nullptr;
};

// A clickable item of the non-client area.
class TNCObject {
 public:
  explicit TNCObject(TNCHotItem& hot) : hot_(hot) {}
  virtual ~TNCObject() = default;
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  // The item is pressed: a different hot item leaves first; this one becomes the hot item,
  // pressed.
  virtual void MouseDown();
  // Released over the item: it is hot again.
  virtual void MouseUp();
  // The mouse came over the item: a different hot item leaves; this one becomes hot.
  virtual void MouseEnter();
  // The mouse left the item (or a press ended elsewhere): normal again, no longer hot.
  virtual void MouseLeave();
  virtual void Paint() {}
  // Shows the item in a state and repaints it.
  void SetState(int state);

  RECT Bounds{0, 0, 0, 0};  // window coordinates
  bool Enabled = false;     // shown and reacting
  int State = ncsNormal;

 private:
  TNCHotItem& hot_;
};

}  // namespace skin
