// How the skin manager finds the windows to skin: the CBT hook of the GUI thread, the tests a
// window must pass before it gets a frame skinner, and the list of frame skinners.
#include <algorithm>
#include <cwctype>
#include <string>

#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

constexpr int kNeverSkinTag = 99;  // a form with this Tag keeps its own frame

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

}  // namespace

LRESULT CALLBACK TSkinManage::CBTHookProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* self = Instance();
  const HHOOK hook = self ? self->hook_ : nullptr;
  if (self && code >= 0) {
    const auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
      case HCBT_CREATEWND: {
        // Menu windows get their popup skinner as they are made, MDI children their frame;
        // other windows are skinned when they are first activated.
        const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!create) break;
        if (!(create->style & WS_CHILD) && ClassNameOf(window) == L"#32768") {
          self->AttachPopupMenu(window);
        }
        if (create->dwExStyle & WS_EX_MDICHILD) self->AttachWindow(window);
        // A new size grip on a skinned window is skinned with the window's other controls.
        if ((create->style & WS_CHILD) && (create->style & SBS_SIZEGRIP) &&
            ClassNameOf(window) == L"ScrollBar") {
          if (TWinSkinForm* frame = self->FindSkinForm(create->hwndParent)) frame->Controls().AttachChildWindow(window);
        }
        break;
      }
      case HCBT_DESTROYWND:
        self->DetachPopupMenu(window);
        break;
      case HCBT_ACTIVATE:
        if (self->managerState_ == kManagerCreated) self->managerState_ = kManagerRunning;
        self->AttachWindow(window);
        break;
      default:
        break;
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

ui::TWinControl* TSkinManage::FindControlOfWindow(HWND window) {
  for (int i = 0; i < ui::Screen->FormCount(); ++i) {
    ui::TCustomForm* form = ui::Screen->Forms(i);
    if (form->HandleIfAllocated() == window) return form;
  }
  return ui::TWinControl::FromHandle(window);
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND window) const {
  for (const auto& frame : formSkinners_) {
    if (frame->Handle() == window) return frame.get();
  }
  return nullptr;
}

std::vector<TWinSkinForm*> TSkinManage::FrameList() const {
  std::vector<TWinSkinForm*> frames;
  for (const auto& frame : formSkinners_) frames.push_back(frame.get());
  return frames;
}

bool TSkinManage::Keeps(const TWinSkinForm* frame) const {
  return std::any_of(formSkinners_.begin(), formSkinners_.end(),
                     [frame](const auto& kept) { return kept.get() == frame; });
}

std::unique_ptr<TWinSkinForm> TSkinManage::TakeSkinForm(const TWinSkinForm* frame) {
  const auto kept = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                                 [frame](const auto& k) { return k.get() == frame; });
  if (kept == formSkinners_.end()) return nullptr;
  std::unique_ptr<TWinSkinForm> owned = std::move(*kept);
  formSkinners_.erase(kept);
  return owned;
}

// The form goes while it and its controls are still whole: the frame lets go of the window as
// it is, as the form frees its components. Freed out of the list first, so that whatever the
// frame's going sets off finds the list whole.
void TSkinManage::FormObjectGone(TWinSkinForm& frame) { TakeSkinForm(&frame).reset(); }

// A window that is gone frees its frame here. A window the frame never heard go (its
// procedure was replaced after ours) counts as gone too, so no frame outlives its window.
void TSkinManage::PurgeClosedSkinners() {
  if (managerState_ == kManagerClosing) return;
  for (auto i = formSkinners_.size(); i-- > 0;) {
    if (i >= formSkinners_.size()) continue;
    const TWinSkinForm* frame = formSkinners_[i].get();
    if (frame->FrameState() == fsDestroyed || !IsWindow(frame->Handle())) TakeSkinForm(frame).reset();
  }
}

// The tests of AttachWindow from "not yet skinned" to the form-skin query; `object` is the
// window's form or control object.
bool TSkinManage::MaySkin(HWND window, ui::TWinControl*& object) {
  if (!active_) return false;
  PurgeClosedSkinners();
  if (SendMessageW(window, SKM_QUERYSKINNED, 0, 0) == 1) return false;
  if (FindSkinForm(window)) return false;
  object = FindControlOfWindow(window);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
  const std::wstring className = ClassNameOf(window);
  if (!scanningForms_ && (style & WS_CHILD) && !(ex & WS_EX_MDICHILD) &&
      ui::LowerCase(ClassNameOf(GetParent(window))) == L"mdiclient") {
    return false;
  }
  // Of the windows of other modules only standard dialogs are skinned.
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  if (!object && instance != GetModuleHandleW(nullptr) && className != L"#32770") return false;
  RECT r{};
  GetWindowRect(window, &r);
  if ((r.right - r.left) * (r.bottom - r.top) == 0 && !(ex & WS_EX_MDICHILD)) return false;
  if (object && object->Tag() == kNeverSkinTag) return false;
  if (className.find(L"TcxPopupEditPopupWindow") != std::wstring::npos || className == L"TApplication") {
    return false;
  }
  bool doSkin = true;
  if (mainSkinData_) {
    if (!InSet(mainSkinData_->Options(), xoPreview) &&
        ui::LowerCase(className).find(L"preview") != std::wstring::npos) {
      doSkin = false;
    }
    doSkin = mainSkinData_->QueryFormSkin(window, className, doSkin);
  }
  return doSkin;
}

bool TSkinManage::AttachWindow(HWND window) {
  ui::TWinControl* object = nullptr;
  if (!window || !MaySkin(window, object)) return false;
  TSkinData* data = SelectSkinData(window);
  if (!data || !data->SkinLoaded()) return false;
  auto* form = dynamic_cast<ui::TCustomForm*>(object);
  TWinSkinForm* frame =
      formSkinners_.emplace_back(std::make_unique<TWinSkinForm>(*this, object, window)).get();
  if (form) {
    frame->AttachToForm(data, form);
  } else {
    frame->AttachToWindow(data);
  }
  PostMessageW(window, SKM_STARTFRAME, 0, 1000);
  return true;
}

}  // namespace skin
