// The control skinners of a frame's window: the class-library controls of a form get theirs by
// the choice of ControlChoice.h, the child windows of a window without form object by their
// window class; a control that got a new window gets a fresh scroll-bar skinner.
#include <algorithm>
#include <cwctype>
#include <vector>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinOthers.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/ControlChoice.h"
#include "skin/frame/FrameControls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

HWND WindowOf(const ui::TControl* control) {
  const auto* windowed = dynamic_cast<const ui::TWinControl*>(control);
  return windowed ? windowed->HandleIfAllocated() : nullptr;
}

bool AnswersSkinned(ui::TControl* control) {
  const HWND window = WindowOf(control);
  const LRESULT answer =
      window ? SendMessageW(window, SKM_QUERYSKINNED, 0, 0) : control->Perform(SKM_QUERYSKINNED);
  return answer == 1;
}

// The child controls as they are now (attaching may add windows of its own).
std::vector<ui::TControl*> ChildrenOf(ui::TControl* control) {
  std::vector<ui::TControl*> children;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) children.push_back(windowed->Controls(i));
  }
  return children;
}

bool HasWindowScrollBars(ui::TControl* control) {
  const HWND window = WindowOf(control);
  return window && (GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

TControlChoice ChoiceOf(TSkinnerClass cls, bool changeColor, int variant = 0) {
  TControlChoice c;
  c.Skinner = cls;
  c.ChangeColor = changeColor;
  c.Variant = variant;
  return c;
}

}  // namespace

TSkinData* TFrameControls::Skin() const { return host_.ControlsSkin(); }

void TFrameControls::SkinnerWindowGone(HWND window) {
  PostMessageW(host_.ControlsWindow(), SKM_PURGESKINNERS, reinterpret_cast<WPARAM>(window), 0);
}

void TFrameControls::AttachControls(ui::TCustomForm* form) {
  skinners_.Purge();
  if (!form || !Skin()) return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<ui::TControl*>(form->Components(i))) AttachControl(control, form);
  }
  // Nested controls that no component list reached (controls owned by other controls).
  std::vector<ui::TWinControl*> order;
  form->GetTabOrderList(order);
  for (ui::TWinControl* control : order) {
    const HWND window = control->HandleIfAllocated();
    if (!window || control->Tag() == Skin()->DisableTag()) continue;
    if (SendMessageW(window, SKM_QUERYSKINNED, 0, 0) == 1) continue;
    AttachControl(control, form);
  }
}

void TFrameControls::AttachControl(ui::TControl* control, ui::TControl* parent) {
  if (!control || !Skin()) return;
  const int disableTag = Skin()->DisableTag();
  if (control->Tag() == disableTag) {
    // A group left alone leaves its own buttons alone too.
    const std::wstring name = ui::LowerCase(control->ClassName());
    if (name.find(L"radiogroup") != std::wstring::npos || name.find(L"checkgroup") != std::wstring::npos) {
      for (ui::TControl* child : ChildrenOf(control)) child->SetTag(disableTag);
    }
    return;
  }
  if (!control->Parent()) return;
  if (AnswersSkinned(control) || skinners_.FindControl(control)) return;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control); windowed && !windowed->HandleAllocated()) {
    try {
      windowed->HandleNeeded();
    } catch (...) {
      return;
    }
    if (!windowed->HandleAllocated()) return;
  }
  if (OfferToApplication(control, parent, UpperClassName(*control))) return;
  ApplyControlChoice(control, parent, ChooseControlSkinner(*control, *Skin()));
}

// The application's OnSkinControl handler may supply the skinner itself.
bool TFrameControls::OfferToApplication(ui::TControl* control, ui::TControl* parent,
                                        const std::wstring& upperClass) {
  if (!Skin()->OnSkinControl) return false;
  ui::TComponent* supplied = nullptr;
  Skin()->OnSkinControl(host_.ControlsSender(), Skin(), parent, control, upperClass, supplied);
  auto* skinner = dynamic_cast<TSkinControl*>(supplied);
  if (!skinner) return false;
  if (!skinners_.Add(skinner)) {
    skinner->Attach(this, Skin(), canvas_.get(), skinner->ChangeColor());
    if (dynamic_cast<ui::TCustomPanel*>(control)) {
      for (ui::TControl* child : ChildrenOf(control)) AttachControl(child, parent);
    }
  }
  return true;
}

void TFrameControls::ApplyControlChoice(ui::TControl* control, ui::TControl* parent,
                                        const TControlChoice& choice) {
  if (choice.ChildrenFirst) ServeChildren(control, parent, choice);
  if (choice.SetTransparent) ui::SetPropText(control, L"Transparent", L"True");
  if (choice.Skinner != scNone) AttachSkinner(control, choice);
  if (!choice.ChildrenFirst) ServeChildren(control, parent, choice);
}

void TFrameControls::ServeChildren(ui::TControl* control, ui::TControl* parent,
                                   const TControlChoice& choice) {
  switch (choice.Children) {
    case TChildRule::None:
      return;
    case TChildRule::AttachControls:
      for (ui::TControl* child : ChildrenOf(control)) AttachControl(child, parent);
      return;
    case TChildRule::FormControls:
      if (auto* form = dynamic_cast<ui::TCustomForm*>(control)) {
        for (int i = 0; i < form->ComponentCount(); ++i) {
          if (auto* c = dynamic_cast<ui::TControl*>(form->Components(i))) AttachControl(c, parent);
        }
      }
      return;
    case TChildRule::RadioGroup:
    case TChildRule::CheckGroup: {
      const bool radio = choice.Children == TChildRule::RadioGroup;
      const TControlChoice each =
          choice.ForeignChildren
              ? ChoiceOf(scObjImage, true, radio ? kObjImageRadio : kObjImageCheckBox)
              : ChoiceOf(radio ? scRadioButton : scCheckBox, false);
      for (ui::TControl* child : ChildrenOf(control)) AttachSkinner(child, each);
      return;
    }
    case TChildRule::EmbedScrollbars: {
      TControlChoice each = ChoiceOf(scScrollbar, false);
      each.Via = TAttachVia::AttachScrollBars;
      for (ui::TControl* child : ChildrenOf(control)) {
        if (HasWindowScrollBars(child) || dynamic_cast<ui::TCustomMemo*>(child)) AttachSkinner(child, each);
      }
      return;
    }
  }
}

TSkinControl* TFrameControls::AttachSkinner(ui::TControl* control, const TControlChoice& choice) {
  if (skinners_.FindControl(control)) return nullptr;
  TSkinControl* skinner = CreateSkinner(choice.Skinner, control);
  if (!skinner) return nullptr;
  skinner->SetKind(choice.Kind);
  if (auto* button = dynamic_cast<TSkinBitButton*>(skinner)) button->SetGlyphProperty(choice.GlyphProperty);
  if (auto* image = dynamic_cast<TSkinObjImage*>(skinner)) image->SetVariant(choice.Variant);
  if (auto* page = dynamic_cast<TSkinAdvPage*>(skinner)) page->SetPageMode(choice.Variant);
  switch (choice.Via) {
    case TAttachVia::Attach:
      skinner->Attach(this, Skin(), canvas_.get(), choice.ChangeColor);
      break;
    case TAttachVia::AttachHandle:
      if (const HWND window = WindowOf(control)) {
        skinner->AttachHandle(window, Skin(), this, canvas_.get());
      } else {
        delete skinner;
        return nullptr;
      }
      break;
    case TAttachVia::AttachGraphic:
      if (auto* speed = dynamic_cast<TSkinSpeedButton*>(skinner)) {
        speed->AttachGraphic(this, Skin(), canvas_.get());
      } else {
        delete skinner;
        return nullptr;
      }
      break;
    case TAttachVia::AttachScrollBars:
      if (auto* bars = dynamic_cast<TSkinScrollbar*>(skinner)) {
        bars->SetSingleBar(choice.SingleBar);
        bars->AttachScrollBars(control, Skin(), this, canvas_.get());
      }
      break;
  }
  return skinner;
}

void TFrameControls::AttachChildWindows(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongW(child, GWL_STYLE) & WS_CHILD) children.push_back(child);
  }
  for (HWND child : children) AttachChildWindow(child);
}

void TFrameControls::AttachChildWindow(HWND window) {
  if (!window || !Skin() || skinners_.Find(window)) return;
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  const TWindowChoice choice = ChooseWindowSkinner(name, GetWindowLongW(window, GWL_STYLE));
  if (choice.ChildrenFirst) AttachChildWindows(window);
  if (choice.BackgroundColour) {
    if (ui::TWinControl* object = ui::TWinControl::FromHandle(window)) {
      object->SetColor(ResolveColour(Skin()->Colours().ButtonFace));
    }
  }
  const HWND target = choice.OnFirstChild ? GetWindow(window, GW_CHILD) : window;
  if (choice.Skinner == scNone || !target || skinners_.Find(target)) return;
  TSkinControl* skinner = CreateSkinner(choice.Skinner, nullptr);  // owned by the list
  skinner->AttachHandle(target, Skin(), this, canvas_.get());
}

void TFrameControls::SkinChanged() {
  // Attaching again may free skinners of the list and add others: each skinner that was there
  // before and still is takes the change once.
  std::vector<TSkinControl*> before;
  for (int i = 0; i < skinners_.Count(); ++i) before.push_back(skinners_.Items(i));
  for (TSkinControl* skinner : before) {
    if (skinners_.Contains(skinner)) skinner->TakeChangedSkin();
  }
}

void TFrameControls::ReplaceScrollSkinner(HWND oldWindow) {
  TSkinControl* old = skinners_.FindLast(oldWindow);
  if (!old) return;
  const bool listView = dynamic_cast<TSkinListView*>(old) != nullptr;
  ui::TControl* control = old->Control();
  skinners_.Remove(old);
  delete old;
  if (!control) return;
  TSkinScrollbar* fresh = listView ? new TSkinListView(control) : new TSkinScrollbar(control);
  fresh->AttachScrollBars(control, Skin(), this, canvas_.get());
}

}  // namespace skin
