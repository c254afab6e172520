#include <algorithm>

#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

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
  // Every frame lets go of its window as it is, the last one first.
  while (!formSkinners_.empty()) {
    std::unique_ptr<TWinSkinForm> frame = std::move(formSkinners_.back());
    formSkinners_.pop_back();
    frame->DetachFrameQuiet();
  }
  popupSkinners_.clear();
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
  // No frame may go on drawing with a component that is gone.
  for (auto i = formSkinners_.size(); i-- > 0;) {
    if (i < formSkinners_.size() && formSkinners_[i]->SkinData() == data) {
      DetachAndFree(formSkinners_[i].get(), true);
    }
  }
  std::erase_if(popupSkinners_, [data](const auto& popup) { return popup->SkinData() == data; });
  if (pendingSkinData_ == data) pendingSkinData_ = nullptr;
  if (mainSkinData_ == data) mainSkinData_ = nullptr;
}

void TSkinManage::InstallHook() {
  if (hook_) return;
  hook_ = SetWindowsHookExA(WH_CBT, &TSkinManage::CBTHookProc, nullptr, GetCurrentThreadId());
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

// The main form's component switches every window; a component of one form only its form.
// A component with no skin switches nothing on.
void TSkinManage::SkinSwitched(TSkinData* data, bool on) {
  const bool nothingToSkinWith = on && !data->SkinLoaded();
  const bool mainForm = data->SkinFormtype() == sfMainform;
  if (mainForm && nothingToSkinWith) return;
  pendingSkinData_ = data;
  if (nothingToSkinWith) return;
  ScheduleAction(on ? saActivate : saDeactivate, 250);
  if (on && mainForm) managerState_ = kManagerRunning;
}

// A main-form component switches skinning on (at once while the manager has not started); a
// component of one form skins its form at once when it is active.
void TSkinManage::ComponentLoaded(TSkinData* data) {
  if (data->SkinFormtype() == sfMainform) {
    ScheduleAction(saActivate, 250);
    return;
  }
  active_ = data->Active();
  ++managerState_;
  auto* form = dynamic_cast<ui::TCustomForm*>(data->Owner());
  if (form && data->Active()) AttachWindow(form->Handle());
}

void TSkinManage::SkinChanged(TSkinData* data) {
  pendingSkinData_ = data;
  ReloadSkin(data);
  if (managerState_ == kManagerRunning) ScheduleAction(saSkinChanged, 250);
}

void TSkinManage::RunPendingAction() {
  actionTimer_->SetEnabled(false);
  TSkinData* data = pendingSkinData_;
  if (!data) return;
  switch (pendingAction_) {
    case saActivate: Activate(data); break;
    case saDeactivate: Deactivate(data); break;
    case saSkinChanged: ApplyChangedSkin(data); break;
    default: break;
  }
  data->FireSkinChanged();
  pendingSkinData_ = nullptr;
}

void TSkinManage::Activate(TSkinData* data) {
  active_ = true;
  if (data->SkinFormtype() == sfOnlyThisForm) {
    AttachForms(data);
    return;
  }
  PurgeClosedSkinners();
  AttachForms(nullptr);
}

// Every frame (or, for a component of one form, the last frame bound to it) gives its window
// back as it was.
void TSkinManage::Deactivate(TSkinData* data) {
  active_ = false;
  PurgeClosedSkinners();
  if (data->SkinFormtype() == sfOnlyThisForm) {
    for (auto i = formSkinners_.size(); i-- > 0;) {
      if (formSkinners_[i]->SkinData() == data) {
        DetachAndFree(formSkinners_[i].get(), true);
        break;
      }
    }
    return;
  }
  while (!formSkinners_.empty()) DetachAndFree(formSkinners_.front().get(), true);
}

void TSkinManage::ApplyChangedSkin(TSkinData* data) {
  PurgeClosedSkinners();
  if (data->SkinFormtype() == sfOnlyThisForm) {
    for (const auto& frame : formSkinners_) {
      if (frame->SkinData() != data) continue;
      if (RestartIfFrameChanged(frame.get())) break;
      frame->RebuildGeometry();
      frame->ReapplySkin();
      break;
    }
    return;
  }
  const std::vector<TWinSkinForm*> bound = FrameList();
  for (TWinSkinForm* frame : bound) {
    if (Keeps(frame) && frame->SkinData() == data) frame->RebuildGeometry();
  }
  for (TWinSkinForm* frame : bound) {
    if (Keeps(frame) && FindSkinForm(frame->Handle()) == frame && frame->SkinData() == data &&
        !RestartIfFrameChanged(frame)) {
      frame->ReapplySkin();
    }
  }
}

bool TSkinManage::RestartIfFrameChanged(TWinSkinForm* frame) {
  if (frame->DrawsFrameWith(*frame->SkinData()) == frame->Skinned()) return false;
  const HWND window = frame->Handle();
  DetachAndFree(frame, true);
  AttachWindow(window);
  return true;
}

void TSkinManage::DetachAndFree(TWinSkinForm* frame, bool restore) {
  std::unique_ptr<TWinSkinForm> owned = TakeSkinForm(frame);
  if (!owned) return;
  const HWND window = owned->Handle();
  if (restore) {
    owned->DetachFrame();
  } else {
    owned->DetachFrameQuiet();
  }
  owned.reset();
  if (restore && IsWindow(window)) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
}

// Offers the screen's forms to AttachForm, from the last to the first; with `owner` only
// the first form that owns that component.
void TSkinManage::AttachForms(TSkinData* owner) {
  scanningForms_ = true;
  for (int i = ui::Screen->FormCount() - 1; i >= 0; --i) {
    ui::TCustomForm* form = ui::Screen->Forms(i);
    if (owner && form != owner->Owner()) continue;
    AttachForm(form);
    if (owner) break;
  }
  scanningForms_ = false;
}

bool TSkinManage::AttachForm(ui::TCustomForm* form) {
  if (!form || !form->Visible() || !form->HandleAllocated()) return false;
  if (GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CHILD) return false;
  return AttachWindow(form->Handle());
}

// The frames bound to the component take its new skin's border sizes at once (the pictures
// they were cut from are gone); the rest of the change follows on the action timer.
void TSkinManage::ReloadSkin(TSkinData* data) {
  for (const auto& frame : formSkinners_) {
    if (frame->SkinData() == data) frame->RebuildGeometry();
  }
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
  const std::wstring className = ui::LowerCase(name);
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

// Every MDI child frame follows (a maximized child shows the system's caption inside the
// frame's menu bar, the others their skinned frame).
void TSkinManage::SetMDIChildMaximized(bool value) {
  if (value == mdiChildMaximized_) return;
  mdiChildMaximized_ = value;
  if (mainSkinData_ && InSet(mainSkinData_->Options(), xoMDIChildBorder)) return;
  for (TWinSkinForm* frame : FrameList()) {
    if (Keeps(frame) && frame->FormKind() == fkMDIChild) frame->FollowMDIMaximized(value);
  }
}

}  // namespace skin
