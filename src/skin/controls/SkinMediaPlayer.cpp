#include "skin/controls/SkinMediaPlayer.h"

#include <windowsx.h>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "ui/Messages.h"
#include "ui/SysUtils.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {


}  // namespace

// ---------------------------------------------------------------------------------------------
// State to drawing

ui::TButtonSet ButtonsInSetText(const std::wstring& text) {
  const std::wstring lower = ui::LowerCase(text);
  ui::TButtonSet set = 0;
  for (int b = 0; b < ui::kMPButtonCount; ++b) {
    if (lower.find(ui::LowerCase(ui::MPBtnTypeInfo().Identifier(b))) != std::wstring::npos) set |= 1 << b;
  }
  return set;
}

TSkinFrame MPButtonFrame(bool pressedHere, bool enabled) {
  if (pressedHere) return sfPressed;
  if (!enabled) return sfDisabled;
  return sfNormal;
}

int MPGlyphLook(bool enabled, bool colored) {
  if (!enabled) return 1;
  return colored ? 2 : 0;
}

// ---------------------------------------------------------------------------------------------
// TWMediaPlayer

const ui::TClassInfo& TWMediaPlayer::StaticClass() {
  static const ui::TClassInfo info(L"TWMediaPlayer", &ui::TCustomPanel::StaticClass());
  return info;
}

TWMediaPlayer::TWMediaPlayer(ui::TControl& player, TSkinData* skinData)
    : ui::TCustomPanel(nullptr), skinData_(skinData), player_(player) {
  for (int b = 0; b < ui::kMPButtonCount; ++b) {
    for (int look = 0; look < 3; ++look) {
      buttons_[b].Glyphs[look] = ui::LoadMPButtonGlyph(static_cast<ui::TMPBtnType>(b), look);
    }
  }
  SetBevelOuter(ui::bvNone);
  SetTabStop(false);
}

TWMediaPlayer::~TWMediaPlayer() = default;

ui::TBitmap* TWMediaPlayer::Glyph(ui::TMPBtnType button, int look) const {
  if (button < ui::btPlay || button > ui::btEject || look < 0 || look > 2) return nullptr;
  return buttons_[button].Glyphs[look].get();
}

void TWMediaPlayer::ReadButtons() {
  // The class library's player answers its sets itself; another class's are read by name.
  const auto* ours = dynamic_cast<const ui::TMediaPlayer*>(&player_);
  const auto set = [&](ui::TButtonSet (ui::TMediaPlayer::*own)() const, const wchar_t* name) {
    return ours ? (ours->*own)() : ButtonsInSetText(ui::GetEnumPropText(&player_, name));
  };
  const ui::TButtonSet visible = set(&ui::TMediaPlayer::VisibleButtons, L"VisibleButtons");
  const ui::TButtonSet enabled = set(&ui::TMediaPlayer::EnabledButtons, L"EnabledButtons");
  const ui::TButtonSet colored = set(&ui::TMediaPlayer::ColoredButtons, L"ColoredButtons");
  visibleCount_ = 0;
  for (int b = 0; b < ui::kMPButtonCount; ++b) {
    buttons_[b].Visible = (visible & (1 << b)) != 0;
    buttons_[b].Enabled = (enabled & (1 << b)) != 0;
    buttons_[b].Colored = (colored & (1 << b)) != 0;
    if (buttons_[b].Visible) ++visibleCount_;
  }
  buttonWidth_ = visibleCount_ > 0 ? Width() / visibleCount_ : 0;
}

int TWMediaPlayer::ButtonAt(int x) const {
  if (buttonWidth_ <= 0 || x < 0) return -1;
  int slot = 0;
  for (int b = 0; b < ui::kMPButtonCount; ++b) {
    if (!buttons_[b].Visible) continue;
    if (x < (slot + 1) * buttonWidth_) return b;
    ++slot;
  }
  return -1;
}

void TWMediaPlayer::PaintTo(HDC dc) {
  ReadButtons();
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  const ui::TColor face = skinData_ ? ResolveColour(skinData_->Colours().ButtonFace) : ui::clBtnFace;
  ui::TBitmap picture(width, height);
  HDC canvas = picture.Canvas()->Handle();
  FillColour(canvas, {0, 0, width, height}, face);
  int slot = 0;
  for (int b = 0; b < ui::kMPButtonCount && visibleCount_ > 0; ++b) {
    if (!buttons_[b].Visible) continue;
    DrawButton(canvas, b, {slot * buttonWidth_, 0, (slot + 1) * buttonWidth_, height});
    ++slot;
  }
  BitBlt(dc, 0, 0, width, height, canvas, 0, 0, SRCCOPY);
}

void TWMediaPlayer::DrawButton(HDC dc, int button, const RECT& slot) {
  const TButton& b = buttons_[button];
  const bool down = pressed_ && pressedIndex_ == button;
  const TDataSkinButton* element = skinData_ ? skinData_->Resolved().Button : nullptr;
  if (HasImage(element)) {
    DrawSkinElement(dc, slot, element->Frame > 0 ? element->Frame : 1, MPButtonFrame(down, b.Enabled),
                    element);
  }
  const ui::TBitmap* glyph = b.Glyphs[MPGlyphLook(b.Enabled, b.Colored)].get();
  if (!glyph || glyph->Empty()) return;
  const int x = (slot.left + slot.right - glyph->Width()) / 2 + (down ? 1 : 0);
  const int y = (slot.top + slot.bottom - glyph->Height()) / 2 + (down ? 1 : 0);
  auto& source = const_cast<ui::TBitmap&>(*glyph);
  TransparentBlt(dc, x, y, glyph->Width(), glyph->Height(), source.Canvas()->Handle(), 0, 0,
                 glyph->Width(), glyph->Height(), ui::kMPGlyphKey);
}

void TWMediaPlayer::Paint() { PaintTo(Canvas()->Handle()); }

void TWMediaPlayer::WndProc(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // the picture covers the whole panel
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      player_.Perform(WM_LBUTTONDOWN, m.WParam, m.LParam);
      ReleaseCapture();
      ReadButtons();
      hitIndex_ = ButtonAt(GET_X_LPARAM(m.LParam));
      pressedIndex_ = hitIndex_;
      Invalidate();
      return;
    case WM_LBUTTONUP:
      pressed_ = false;
      hitIndex_ = ButtonAt(GET_X_LPARAM(m.LParam));
      // Only a release over the button that was pressed reaches the player.
      if (hitIndex_ == pressedIndex_) player_.Perform(WM_LBUTTONUP, m.WParam, m.LParam);
      pressedIndex_ = hitIndex_;
      Invalidate();
      return;
    default:
      ui::TCustomPanel::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// TSkinMP

TSkinMP::~TSkinMP() { FreeOverlay(); }

void TSkinMP::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  if (!control_ || overlay_) return;
  overlay_ = new TWMediaPlayer(*control_, skinData_);
  overlay_->FreeNotification(this);
  if (skinData_) overlay_->SetTag(skinData_->DisableTag());  // never skinned itself
  const RECT r = control_->BoundsRect();
  overlay_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  overlay_->SetVisible(control_->Visible());
  overlay_->SetParent(control_->Parent());
  overlay_->BringToFront();
}

void TSkinMP::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (overlay_ && control_) {
        const RECT r = control_->BoundsRect();
        overlay_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
      }
      break;
    case ui::CM_VISIBLECHANGED:
      if (overlay_ && control_) overlay_->SetVisible(control_->Visible());
      break;
    case WM_PAINT:
      // The player repaints when its buttons change: the overlay shows them anew.
      TSkinControl::AfterMessage(m);
      if (overlay_) overlay_->Invalidate();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinMP::Detach() {
  TSkinControl::Detach();
  if (status_ != kSkinnerWindowGone) FreeOverlay();
}

void TSkinMP::SkinChanged() {
  TSkinControl::SkinChanged();
  if (overlay_) overlay_->Invalidate();
}

bool TSkinMP::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Button); }

void TSkinMP::FreeOverlay() {
  TWMediaPlayer* overlay = overlay_;
  overlay_ = nullptr;
  if (!overlay) return;
  overlay->RemoveFreeNotification(this);
  delete overlay;
}

void TSkinMP::Notification(ui::TComponent* component, ui::TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == overlay_) overlay_ = nullptr;
}

}  // namespace skin
