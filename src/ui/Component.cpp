#include "ui/Component.h"

#include <algorithm>
#include <cwctype>

namespace ui {

const TClassInfo& TComponent::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TComponent", &TObject::StaticClass());
    c.Str(L"Name", &TComponent::Name, &TComponent::SetName);
    c.Int(L"Tag", &TComponent::Tag, &TComponent::SetTag);
    return c;
  }();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  // Everyone who asked is told before the object goes.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    std::erase(other->freeNotifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::wstring_view name) const {
  for (TComponent* c : components_) {
    const std::wstring& n = c->name_;
    if (n.size() == name.size() &&
        std::equal(n.begin(), n.end(), name.begin(),
                   [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
      return c;
  }
  return nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  Notification(component, TOperation::opRemove);
  components_.erase(std::find(components_.begin(), components_.end(), component));
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  std::erase(freeNotifies_, component);
  if (component) std::erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

}  // namespace ui
