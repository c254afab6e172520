// Components: objects with an owner, a name and a Tag.
//
// An owner keeps the list of the components it owns and frees them, last first, when it is
// destroyed. A component that is destroyed on its own leaves its owner's list.
#pragma once

#include <string>
#include <vector>

#include "ui/TypInfo.h"

namespace ui {

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
  UI_CLASS_INFO
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  // The owned component of that name (letter case ignored), or nothing.
  TComponent* FindComponent(std::wstring_view name) const;

  std::wstring Name() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // True from the moment destruction begins; owners and parents stop reacting then.
  bool Destroying() const { return destroying_; }

  // Frees every owned component, the last one first.
  void DestroyComponents();
  // Moves the component between owners.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks to be told when `component` is destroyed (for references that are not ownership).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

 protected:
  // Told when a component is inserted into or removed from this owner, and when a component
  // this one asked about is destroyed.
  virtual void Notification(TComponent* component, TOperation operation);
  void BeginDestruction() { destroying_ = true; }

 private:
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::wstring name_;
  int tag_ = 0;
  bool destroying_ = false;
};

}  // namespace ui
