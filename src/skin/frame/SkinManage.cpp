#include <algorithm>

#include "skin/frame/WinSkinForm.h"
#include "ui/Forms.h"

namespace skin {

namespace {

std::unique_ptr<TSkinManagerLink> CreateManager() { return std::make_unique<TSkinManage>(); }

// The manager's unit makes itself known to the skin data components when the program starts.
const bool g_factoryRegistered = (SetSkinManagerFactory(&CreateManager), true);

}  // namespace

void UseSkinManager() { SetSkinManagerFactory(&CreateManager); }

TSkinManage::TSkinManage() : actionTimer_(std::make_unique<ui::TTimer>(nullptr)) {
  actionTimer_->SetEnabled(false);
  actionTimer_->SetInterval(100);
  actionTimer_->OnTimer = [this](ui::TObject*) { RunPendingAction(); };
}

TSkinManage::~TSkinManage() {
  managerState_ = kManagerClosing;
  active_ = false;
  actionTimer_.reset();
  if (hook_) UnhookWindowsHookEx(hook_);
}

TSkinManage* TSkinManage::Instance() {
  (void)g_factoryRegistered;
  return dynamic_cast<TSkinManage*>(SkinManager());
}

void TSkinManage::AddSkinData(TSkinData* data) {
  if (!data || std::find(skinDatas_.begin(), skinDatas_.end(), data) != skinDatas_.end()) return;
  skinDatas_.push_back(data);
  if (!mainSkinData_ && data->SkinFormtype() == sfMainform) mainSkinData_ = data;
}

// A component that goes takes every reference to it along, so nothing points at freed memory.
void TSkinManage::RemoveSkinData(TSkinData* data) {
  std::erase(skinDatas_, data);
  if (pendingSkinData_ == data) pendingSkinData_ = nullptr;
  if (mainSkinData_ == data) mainSkinData_ = nullptr;
}

void TSkinManage::InstallHook() {
  if (hook_) return;
  hook_ = SetWindowsHookExA(WH_CBT, &TSkinManage::CBTHookProc, nullptr, GetCurrentThreadId());
}

LRESULT CALLBACK TSkinManage::CBTHookProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* self = Instance();
  if (self && code == HCBT_ACTIVATE && self->managerState_ == kManagerCreated) {
    self->managerState_ = kManagerRunning;
  }
  // Windows are given frame skinners here once the frame skinner exists; every call is
  // passed on.
  return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

void TSkinManage::ScheduleAction(int action, int interval) {
  pendingAction_ = action;
  actionTimer_->SetInterval(interval);
  if (managerState_ != kManagerCreated) {
    actionTimer_->SetEnabled(true);
    return;
  }
  // Not started yet: nothing to defer. Switching is immediate, a changed skin is dropped.
  if (action == saActivate) active_ = true;
  if (action == saDeactivate) active_ = false;
}

void TSkinManage::RunPendingAction() {
  actionTimer_->SetEnabled(false);
  TSkinData* data = pendingSkinData_;
  if (!data) return;
  switch (pendingAction_) {
    case saActivate:
      active_ = true;
      AttachForms(data->SkinFormtype() == sfOnlyThisForm ? data : nullptr);
      break;
    case saDeactivate:
      active_ = false;
      break;
    case saSkinChanged:
      ReloadSkin(data);
      break;
    default:
      break;
  }
  data->FireSkinChanged();
  pendingSkinData_ = nullptr;
}

// Offers the screen's forms to AttachWindow, from the last to the first; with `owner` only
// the first form that owns that component.
void TSkinManage::AttachForms(TSkinData* owner) {
  scanningForms_ = true;
  for (int i = ui::Screen->FormCount() - 1; i >= 0; --i) {
    ui::TCustomForm* form = ui::Screen->Forms(i);
    if (owner && form != owner->Owner()) continue;
    if (form->Visible() && form->HandleAllocated() &&
        !(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CHILD)) {
      AttachWindow(form->Handle());
    }
    if (owner) break;
  }
  scanningForms_ = false;
}

bool TSkinManage::AttachWindow(HWND) {
  // Frame skinners are what attaching makes; until they are part of the engine no window is
  // taken over, and every window keeps its standard frame.
  return false;
}

void TSkinManage::ReloadSkin(TSkinData*) {
  // Frame skinners bound to the component re-read its skin; none exist before attaching.
}

TSkinData* TSkinManage::SelectSkinData(HWND window) const {
  TSkinData* match = nullptr;
  for (TSkinData* d : skinDatas_) {
    auto* form = dynamic_cast<ui::TWinControl*>(d->Owner());
    if (d->SkinFormtype() == sfOnlyThisForm && form && form->HandleIfAllocated() == window)
      match = d;
  }
  if (match) return match;
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  std::wstring className(name);
  std::transform(className.begin(), className.end(), className.begin(), ::towlower);
  if (className == L"tmessageform" || className == L"#32770") {
    for (TSkinData* d : skinDatas_) {
      if (d->SkinFormtype() == sfDialog) match = d;
    }
    if (match) return match;
  }
  for (TSkinData* d : skinDatas_) {
    if (d->SkinFormtype() == sfMainform) match = d;
  }
  if (match) return match;
  return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

}  // namespace skin
