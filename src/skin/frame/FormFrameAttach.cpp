// Attaching a frame skinner to its window, starting it, re-applying a skin and letting go.
#include <algorithm>

#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/FormWatch.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

const wchar_t kFrameProp[] = L"VexloFrameSkinner";
constexpr LPARAM kStartParam = 1000;

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// Systems of the NT family from version 5 on draw a window's caption themselves whenever its
// text changes and hit-test their own caption frame, over the skinned title: there the frame
// takes the caption style away while it runs.
bool CaptionToggleSystem() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return false;
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 4;
}

}  // namespace

const ui::TClassInfo& TWinSkinForm::StaticClass() {
  static const ui::TClassInfo info(L"TWinSkinForm", &ui::TComponent::StaticClass());
  return info;
}

TWinSkinForm::TWinSkinForm(TFrameManager& manager, ui::TComponent* formObject, HWND window)
    : ui::TComponent(nullptr), manager_(manager), handle_(window) {
  if (!formObject) return;
  formWatch_ = new TFormWatch(formObject, [this] {
    formWatch_ = nullptr;  // the form is freeing it
    manager_.FormObjectGone(*this);
  });
}

TWinSkinForm::~TWinSkinForm() {
  BeginDestruction();
  DetachFrameQuiet();
  if (formWatch_) {
    formWatch_->Disarm();
    delete formWatch_;  // leaves the form object's components
  }
}

TWinSkinForm* TWinSkinForm::FromWindow(HWND window) {
  return window ? static_cast<TWinSkinForm*>(GetPropW(window, kFrameProp)) : nullptr;
}

void TWinSkinForm::AttachToForm(TSkinData* data, ui::TCustomForm* form) {
  form_ = form;
  ui::SetPropText(form, L"AutoScroll", L"False");
  AttachFrame(data);
  if (skinned_) {
    savedFormProc_ = form->WindowProc;
    form->WindowProc = [this](ui::TMessage& m) { FormHook(m); };
    formHooked_ = true;
  }
  savedColor_ = form->Color();
  form->SetColor(ResolveColour(data->Colours().ButtonFace));
}

void TWinSkinForm::AttachToWindow(TSkinData* data) { AttachFrame(data); }

void TWinSkinForm::AttachFrame(TSkinData* data) {
  if (subclass_.Installed()) return;  // once only
  manager_.FrameAttached();
  skinData_ = data;
  ReadStyles();
  ReadWindowState();
  FindMDIClient();
  if (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD) formKind_ = fkMDIChild;
  skinned_ = DrawsFrameWith(*data);
  ReadBorderKind();
  DecideCaptionToggle();
  if (formKind_ == fkMDIFrame) SubclassMDIClient();
  Subclass();
  if (!skinned_) {
    // The window keeps its own frame. When only the skin's border pictures are missing, its
    // controls are still skinned: the frame starts for them.
    frameState_ = InSet(data->SkinControls(), xcMainMenu) ? fsAttached : fsRunning;
    return;
  }
  menuHandle_ = GetMenu(handle_);
  // Until the menu bar is drawn by the skin, the strip of a window menu is kept free.
  if (menuHandle_ && formKind_ != fkMDIChild) geometry_.SetMenuBarHeight(GetSystemMetrics(SM_CYMENU));
  const bool mdiChildNotNormal = formKind_ == fkMDIChild && windowState_ != wsNormal;
  if ((borderIcons_ & kBiCaptionToggled) && !mdiChildNotNormal) SetCaptionStyle(false);
  RebuildGeometry();
  if (formKind_ == fkMDIChild) {
    const int system = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (geometry_.TitleHeight() < system) geometry_.SetMenuBarHeight(system - geometry_.TitleHeight());
    if (windowState_ == wsMaximized) {
      manager_.SetMDIChildMaximized(true);
    }
  }
}

bool TWinSkinForm::DrawsFrameWith(const TSkinData& data) const {
  if (!InSet(data.SkinControls(), xcMainMenu)) return false;
  if (formKind_ == fkMDIChild && InSet(data.Options(), xoMDIChildBorder)) return false;
  const TResolvedSkin& skin = data.Resolved();
  return HasImage(skin.TopBorder) && HasImage(skin.LeftBorder) && HasImage(skin.RightBorder) &&
         HasImage(skin.BottomBorder);
}

void TWinSkinForm::ReadStyles() {
  savedStyle_ = GetWindowLongW(handle_, GWL_STYLE);
  const LONG ex = GetWindowLongW(handle_, GWL_EXSTYLE);
  leftScrollBar_ = (ex & WS_EX_LEFTSCROLLBAR) != 0;
  isChildWindow_ = (savedStyle_ & WS_CHILD) != 0;
  className_ = ClassNameOf(handle_);
  ownerWindow_ = GetWindow(handle_, GW_OWNER);
  borderIcons_ = 0;
  if (savedStyle_ & WS_SYSMENU) borderIcons_ |= kBiSystemMenu;
  if (savedStyle_ & WS_MINIMIZEBOX) borderIcons_ |= kBiMinimize;
  if (savedStyle_ & WS_MAXIMIZEBOX) borderIcons_ |= kBiMaximize;
}

void TWinSkinForm::ReadWindowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(handle_, &placement)) return;
  // A window that is shown as it is takes its state from its style.
  const LONG style = GetWindowLongW(handle_, GWL_STYLE);
  switch (placement.showCmd) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE:
      windowState_ = wsMinimized;
      break;
    case SW_SHOWMAXIMIZED:
      windowState_ = wsMaximized;
      break;
    default:
      windowState_ = (style & WS_MINIMIZE) ? wsMinimized : (style & WS_MAXIMIZE) ? wsMaximized : wsNormal;
      break;
  }
}

void TWinSkinForm::FindMDIClient() {
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassNameOf(child) == L"MDIClient") {
      formKind_ = fkMDIFrame;
      mdiClient_ = child;
      return;
    }
  }
}

void TWinSkinForm::ReadBorderKind() {
  const LONG ex = GetWindowLongW(handle_, GWL_EXSTYLE);
  if ((savedStyle_ & WS_CAPTION) != WS_CAPTION) {
    borderKind_ = bkNoCaption;
  } else if (savedStyle_ & WS_THICKFRAME) {
    borderKind_ = bkSizeable;
  } else if (savedStyle_ & DS_MODALFRAME) {
    borderKind_ = bkDialog;
  } else {
    borderKind_ = bkSingle;
  }
  if (ex & WS_EX_DLGMODALFRAME) borderKind_ = bkDialog;
  if (className_ == L"#32770" || className_ == L"TMessageForm") {
    borderKind_ = bkDialog;
    isDialog_ = true;
  }
}

void TWinSkinForm::DecideCaptionToggle() {
  if (!CaptionToggleSystem()) return;
  const LONG ex = GetWindowLongW(handle_, GWL_EXSTYLE);
  if ((ex & WS_EX_APPWINDOW) || (!ownerWindow_ && formKind_ != fkMDIChild)) {
    borderIcons_ |= kBiCaptionToggled;
  }
}

void TWinSkinForm::HideSystemMenuStyle() {
  if (borderIcons_ & kBiCaptionToggled) return;  // without a caption the system draws no buttons
  const LONG style = GetWindowLongW(handle_, GWL_STYLE);
  if (style & WS_SYSMENU) SetWindowLongW(handle_, GWL_STYLE, style & ~WS_SYSMENU);
}

void TWinSkinForm::RestoreSystemMenuStyle() {
  const LONG style = GetWindowLongW(handle_, GWL_STYLE);
  if ((borderIcons_ & kBiSystemMenu) && !(style & WS_SYSMENU)) {
    SetWindowLongW(handle_, GWL_STYLE, style | WS_SYSMENU);
  }
}

void TWinSkinForm::SetCaptionStyle(bool on) {
  if (borderKind_ == bkNoCaption) return;  // nothing of the caption to give or take
  const LONG style = GetWindowLongW(handle_, GWL_STYLE);
  const LONG wanted = on ? style | (savedStyle_ & WS_CAPTION) : style & ~WS_CAPTION;
  if (wanted != style) SetWindowLongW(handle_, GWL_STYLE, wanted);
}

void TWinSkinForm::Subclass() {
  SetPropW(handle_, kFrameProp, this);
  subclass_.Install(handle_, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(msg, wParam, lParam);
  });
  unicode_ = subclass_.Unicode();
}

void TWinSkinForm::Unsubclass() {
  if (!subclass_.Installed()) return;
  if (IsWindow(handle_) && GetPropW(handle_, kFrameProp) == this) RemovePropW(handle_, kFrameProp);
  subclass_.Restore();
}

void TWinSkinForm::Start() {
  systemMenu_ = GetSystemMenu(handle_, FALSE);
  PrepareIcon();
  RECT window{}, client{};
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  sysFrameSize_ = {(window.right - window.left) - client.right,
                   (window.bottom - window.top) - client.bottom};
  if (form_) {
    controls_.AttachControls(form_);
  } else {
    controls_.AttachChildWindows(handle_);
  }
  if (frameState_ == fsAttached && skinned_) {
    if (formKind_ == fkMDIChild) {
      if (windowState_ == wsMaximized) {
        SendMessageW(GetParent(handle_), SKM_MDIREDRAW, reinterpret_cast<WPARAM>(handle_), 0);
      } else if (windowState_ == wsMinimized) {
        SetCaptionStyle(true);
      } else {
        frameState_ = fsResizing;
        FitWindow(true);
        BuildRegion();
      }
    } else if (!isChildWindow_ && borderKind_ != bkNoCaption && windowState_ != wsMinimized) {
      frameState_ = fsResizing;
      FitWindow(true);
      if (windowState_ == wsMaximized) RecomputeFrame();
      else BuildRegion();
    }
  }
  if (skinned_) menus_.Attach(formKind_ != fkMDIChild);
  SendMessageW(handle_, SKM_SKINUPDATE, 0, kSkinMagic);
  frameState_ = fsRunning;
  captionButtons_.SetHoverTimer(active_ != 0);
  // The frame changes above were painted while the frame was still being fitted, when it
  // paints nothing: the whole frame is painted again now that it runs.
  RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TWinSkinForm::RecomputeFrame() {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::ReapplySkin() {
  painter_.DropStrips();
  if (form_) {
    const ui::TColor face = ResolveColour(skinData_->Colours().ButtonFace);
    form_->SetColor(face);
    for (int i = 0; i < form_->ComponentCount(); ++i) {
      if (auto* owned = dynamic_cast<ui::TCustomForm*>(form_->Components(i))) owned->SetColor(face);
    }
  }
  controls_.SkinChanged();
  frameState_ = fsReapplying;
  if (skinned_ && form_ && IsWindow(handle_)) {
    FitWindow(false);
    RECT r{};
    GetWindowRect(handle_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(handle_, nullptr, 0, 0, w, h + 1, flags);
    SetWindowPos(handle_, nullptr, 0, 0, w, h, flags);
  }
  if (IsWindow(handle_)) SendMessageW(handle_, SKM_SKINUPDATE, 0, kSkinMagic);
  frameState_ = fsRunning;
}

void TWinSkinForm::RestoreForm() {
  if (formHooked_ && form_) {
    form_->WindowProc = savedFormProc_;
    savedFormProc_ = nullptr;
  }
  formHooked_ = false;
}

void TWinSkinForm::DetachFrameQuiet() {
  captionButtons_.SetHoverTimer(false);
  captionButtons_.DropPress();
  menus_.Detach(false);
  RestoreForm();
  Unsubclass();
  UnsubclassMDIClient();
  controls_.FreeAll();
}

void TWinSkinForm::DetachFrame() {
  const bool restoreWindow = frameState_ != fsDetaching && frameState_ != fsDestroyed && IsWindow(handle_);
  controls_.DetachAll();
  menus_.Detach(restoreWindow);
  RestoreForm();
  Unsubclass();
  UnsubclassMDIClient();
  if (form_ && frameState_ != fsDetaching) form_->SetColor(savedColor_);
  if (!restoreWindow || !skinned_) return;
  SetCaptionStyle(true);
  RestoreSystemMenuStyle();
  if (!fitted_) {
    RecomputeFrame();  // never fitted (not started yet): only the styles changed
  } else if (formKind_ == fkMDIChild || !isChildWindow_) {
    RECT r{};
    GetWindowRect(handle_, &r);
    if (HWND parent = GetParent(handle_); parent && formKind_ == fkMDIChild) {
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    // The client area the window was fitted around, in the system's frame again.
    const int w = r.right - r.left - fittedBorders_.left - fittedBorders_.right + sysFrameSize_.cx;
    const int h = r.bottom - r.top - fittedBorders_.top - fittedBorders_.bottom + sysFrameSize_.cy;
    SetWindowPos(handle_, nullptr, r.left, r.top, std::max(w, 0), std::max(h, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  DropRegion();
}

void TWinSkinForm::DropRegion() {
  if (IsWindow(handle_)) SetWindowRgn(handle_, nullptr, TRUE);
  geometry_.DropRegion();
}

// In front of the form object's own message handling while the frame is skinned.
void TWinSkinForm::FormHook(ui::TMessage& m) {
  const ui::TWndMethod next = savedFormProc_;
  switch (m.Msg) {
    case WM_SETTEXT:
      if (IsWindowVisible(handle_)) {
        next(m);
        ReadWindowState();
        if (windowState_ == wsMaximized && formKind_ == fkMDIChild) {
          SendMessageW(GetParent(handle_), SKM_MDIREDRAW, reinterpret_cast<WPARAM>(handle_), 0);
        } else if (windowState_ == wsMinimized) {
          PaintFrame();
        } else {
          RecomputeFrame();
        }
        return;
      }
      break;
    case SKM_REAPPLYSKIN:
      ReapplySkin();
      return;
    case SKM_PROBEFRAME:
      m.Result = m.LParam == kSkinMagic ? kSkinMagic : 1;
      return;
    case ui::CM_MENUCHANGED:
      menus_.MenuChanged(m, next);
      return;
    case ui::CM_DIALOGCHAR:
      menus_.DialogChar(m, next);
      return;
    default:
      break;
  }
  if (next) next(m);
}

}  // namespace skin
