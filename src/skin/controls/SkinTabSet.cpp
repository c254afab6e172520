// The tab set's skinner and the foreign page control's.
#include <windowsx.h>

#include <algorithm>

#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "ui/SysUtils.h"
#include "ui/TabSet.h"

namespace skin {

namespace {

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

constexpr int kTabSetPadding = 9;   // a tab is its caption's width and this
constexpr int kScrollerRoom = 12;   // kept free at the end while the scroller shows
constexpr int kDefaultMargin = 5;   // start and end margins of a tab set that has none
constexpr SIZE kAdvTabSize{100, 21};

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

int IntPropOr(const ui::TObject* object, const wchar_t* name, int fallback) {
  const int value = ui::GetIntProp(object, name);
  return value < 0 ? fallback : value;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TSkinTab31

TSkinTab31::TSkinTab31(ui::TComponent* owner)
    : TSkinControl(owner), tabImage_(std::make_unique<TSkinBitmap>()), face_(std::make_unique<ui::TBitmap>()) {}

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool) {
  if (hooked_) return;
  auto* control = dynamic_cast<ui::TWinControl*>(Owner());
  if (!control) return;
  HWND window = nullptr;
  try {
    window = control->Handle();
  } catch (...) {
    return;
  }
  AttachSkinHandle(window, skinData, form, canvas);
  control_ = control;
  LoadImage();
  // A scroller made by the tab set for tabs that do not fit is its first component.
  if (control->ComponentCount() > 0) {
    auto* scroller = dynamic_cast<ui::TWinControl*>(control->Components(0));
    if (scroller && ui::UpperCase(scroller->ClassName()).find(L"SCROLL") != std::wstring::npos) {
      scrollerUpDown_ = std::make_unique<TSkinUpDown>(nullptr);
      scrollerUpDown_->SetHorizontal(1);
      scrollerUpDown_->AttachHandle(scroller->Handle(), skinData, form, canvas);
    }
  }
}

// The scroller of tabs that do not fit, when no frame's list holds it.
std::vector<TSkinControl*> TSkinTab31::NestedSkinners() const {
  if (!scrollerUpDown_ || form_) return {};
  return {scrollerUpDown_.get()};
}

bool TSkinTab31::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Tabs); }

void TSkinTab31::LoadImage() {
  tabImage_->SetSize(0, 0);
  const TDataSkinObject* tabs = skinData_ ? skinData_->Resolved().Tabs : nullptr;
  if (!tabs || !tabs->Bitmap || tabs->Bitmap->Empty()) return;
  tabImage_->Assign(*tabs->Bitmap);
  FlipBitmap(*tabImage_);
}

void TSkinTab31::SkinChanged() {
  TSkinControl::SkinChanged();
  LoadImage();
}

bool TSkinTab31::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      HandlePaint(m);
      // Painted through BeginPaint, the window is valid again: the tab set's own painting
      // that follows draws nothing. Into a given DC it would draw over the skin.
      return m.WParam == 0;
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The tabs are where the skinner drew them, not where the tab set would have.
      if (ChooseAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) return false;
      return TSkinControl::BeforeMessage(m);
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

bool TSkinTab31::ChooseAt(POINT p) {
  auto* set = dynamic_cast<ui::TTabSet*>(control_);
  if (!set) return false;
  for (std::size_t i = 0; i < tabRects_.size(); ++i) {
    if (!PtInRect(&tabRects_[i], p)) continue;
    const int index = static_cast<int>(i);
    if (index != set->TabIndex()) {
      set->SetTabIndex(index);
      if (set->OnChange) set->OnChange(set);
    }
    return true;
  }
  return false;
}

void TSkinTab31::LayOut(HDC dc, int width, int height) {
  tabRects_.clear();
  const ui::TObject* set = control_;
  const auto* tabs = set ? ui::GetObjectProp<ui::TStringList>(set, L"Tabs") : nullptr;
  if (!tabs) return;
  tabRects_.assign(static_cast<std::size_t>(tabs->Count()), RECT{});
  const bool scroller = scrollerUpDown_ && IsWindowVisible(scrollerUpDown_->Handle());
  const int usable = width - IntPropOr(set, L"EndMargin", AtDpi(kDefaultMargin)) -
                     (scroller ? AtDpi(kScrollerRoom) : 0);
  int x = IntPropOr(set, L"StartMargin", AtDpi(kDefaultMargin));
  for (int i = std::max(0, ui::GetIntProp(set, L"FirstIndex")); i < tabs->Count(); ++i) {
    const std::wstring caption = ui::FromAnsi(tabs->Strings(i));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int w = size.cx + AtDpi(kTabSetPadding);
    if (x + w > usable) break;  // left out whole rather than cut
    tabRects_[static_cast<std::size_t>(i)] = {x, 0, x + w, height};
    x += w;
  }
}

void TSkinTab31::Draw(HDC dc, const RECT& rect) {
  const TDataSkinObject* tabs = skinData_ ? skinData_->Resolved().Tabs : nullptr;
  if (!tabs || tabImage_->Empty() || !control_) return;
  face_->SetSize(WidthOf(rect), HeightOf(rect));
  ui::TCanvas& canvas = *face_->Canvas();
  HDC faceDC = canvas.Handle();
  FillFace(faceDC, {0, 0, WidthOf(rect), HeightOf(rect)});
  if (const auto* font = ui::GetObjectProp<ui::TFont>(control_, L"Font")) canvas.Font()->Assign(*font);
  SelectObject(faceDC, canvas.Font()->Handle());
  LayOut(faceDC, WidthOf(rect), HeightOf(rect));
  const auto* strings = ui::GetObjectProp<ui::TStringList>(control_, L"Tabs");
  const int chosen = ui::GetIntProp(control_, L"TabIndex");
  const int frames = std::max(1, tabs->Frame);
  const TMargins margins = TurnMargins(MarginsOf(*tabs), tsdBottom);
  for (std::size_t i = 0; i < tabRects_.size(); ++i) {
    const RECT& r = tabRects_[i];
    if (r.right <= r.left) continue;
    const bool selected = static_cast<int>(i) == chosen;
    DrawNineRegion(faceDC, r, *tabImage_, TFrameLayout::SideBySide,
                   tabs->Tile ? TCentreMode::Tile : TCentreMode::Stretch, tabs->Trans != 0, frames,
                   selected ? sfPressed : sfNormal, margins);
    SetTextColor(faceDC, ui::ColorToRGB(ResolveColour(selected ? tabs->MouseOverColour2 : tabs->NormalColour2)));
    DrawCaption(canvas, r, DT_CENTER, control_->Enabled(),
                ui::FromAnsi(strings->Strings(static_cast<int>(i))));
  }
  BitBlt(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), faceDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TSkinAdvPage

TSkinAdvPage::~TSkinAdvPage() = default;

void TSkinAdvPage::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                          bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  AssignTabImages();
}

void TSkinAdvPage::AssignTabImages() {
  if (pageMode_ != 4 || !control_ || !skinData_) return;
  const TDataSkinObject* tabs = skinData_->Resolved().Tabs;
  if (!tabs || !tabs->Bitmap || tabs->Bitmap->Empty()) return;
  const wchar_t* names[] = {L"TabBackGround", L"TabBackGroundActive"};
  for (int frame = 1; frame <= 2; ++frame) {
    auto* target = ui::GetObjectProp<ui::TBitmap>(control_, names[frame - 1]);
    if (!target) continue;
    const auto composed = ComposeNineRegion(kAdvTabSize.cx, kAdvTabSize.cy, *tabs->Bitmap,
                                            MarginsOf(*tabs), TFrameLayout::SideBySide,
                                            tabs->Tile ? TCentreMode::Tile : TCentreMode::Stretch,
                                            std::max(1, tabs->Frame), frame);
    target->Assign(*composed);
  }
  control_->Invalidate();
}

void TSkinAdvPage::SkinChanged() {
  TSkinControl::SkinChanged();
  AssignTabImages();
}

bool TSkinAdvPage::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Tabs); }

void TSkinAdvPage::Detach() {
  TSkinControl::Detach();
  if (pageMode_ != 4 || !control_) return;
  for (const wchar_t* name : {L"TabBackGround", L"TabBackGroundActive"}) {
    if (auto* target = ui::GetObjectProp<ui::TBitmap>(control_, name)) target->SetSize(0, 0);
  }
}

// The arrows of the tab row, when no frame's list holds them.
std::vector<TSkinControl*> TSkinAdvPage::NestedSkinners() const {
  if (!rowUpDown_ || form_) return {};
  return {rowUpDown_};
}

void TSkinAdvPage::Draw(HDC, const RECT&) {
  if (rowUpDown_ || !handle_) return;
  HWND arrows = FindWindowExA(handle_, nullptr, "msctls_updown32", nullptr);
  if (!arrows) return;
  rowUpDown_ = new TSkinUpDown(control_ ? static_cast<ui::TComponent*>(control_) : this);
  rowUpDown_->AttachHandle(arrows, skinData_, form_, canvas_);
}

}  // namespace skin
