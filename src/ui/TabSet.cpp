#include "ui/TabSet.h"

#include <algorithm>

#include "ui/DrawingScopes.h"
#include "ui/SysUtils.h"

namespace ui {

namespace {
constexpr int kSlant = 6;    // how far a tab's sides lean in
constexpr int kPadding = 8;  // space around a tab's caption
}  // namespace

const TClassInfo& TTabSet::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TTabSet", &TCustomControl::StaticClass());
    c.Int(L"SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor);
    c.Int(L"TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
    c.Obj(L"Tabs", &TTabSet::Tabs);
    c.Int(L"UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor);
    return c;
  }();
  return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TStringList>()) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 21);
  tabs_->OnChange = [this](TStringList*) {
    if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
    if (tabIndex_ < 0 && tabs_->Count() > 0) tabIndex_ = 0;
    Invalidate();
  };
}

TTabSet::~TTabSet() { tabs_->OnChange = nullptr; }

void TTabSet::SetTabIndex(int value) {
  if (value < -1 || value >= tabs_->Count()) return;
  tabIndex_ = value;
  Invalidate();
}

void TTabSet::SetSelectedColor(TColor value) {
  selectedColor_ = value;
  Invalidate();
}

void TTabSet::SetUnselectedColor(TColor value) {
  unselectedColor_ = value;
  Invalidate();
}

std::vector<RECT> TTabSet::TabRects() {
  std::vector<RECT> rects;
  // Measured on the screen, so that hit-testing works outside painting too.
  TClientDC screen(nullptr);
  const HDC dc = screen.Get();
  TSelectObject font(dc, Font()->Handle());
  int x = 0;
  for (int i = 0; i < tabs_->Count(); ++i) {
    const std::wstring caption = FromAnsi(tabs_->Strings(i));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int width = size.cx + 2 * (kPadding + kSlant);
    rects.push_back({x, 0, x + width, Height()});
    x += width - kSlant;  // neighbours overlap by one slant
  }
  return rects;
}

int TTabSet::TabAt(POINT p) {
  const std::vector<RECT> rects = TabRects();
  // The chosen tab lies on top of its neighbours.
  if (tabIndex_ >= 0 && PtInRect(&rects[static_cast<std::size_t>(tabIndex_)], p)) return tabIndex_;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (PtInRect(&rects[i], p)) return static_cast<int>(i);
  }
  return -1;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int hit = TabAt({x, y});
    if (hit >= 0 && hit != tabIndex_) {
      SetTabIndex(hit);
      if (OnChange) OnChange(this);
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TTabSet::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect({0, 0, Width(), Height()});
  const std::vector<RECT> rects = TabRects();
  SetBkMode(canvas->Handle(), TRANSPARENT);
  const auto drawTab = [&](int i) {
    const RECT& r = rects[static_cast<std::size_t>(i)];
    const bool chosen = i == tabIndex_;
    const POINT shape[] = {{r.left, r.top}, {r.left + kSlant, r.bottom - 1},
                           {r.right - kSlant, r.bottom - 1}, {r.right, r.top}};
    canvas->Brush()->SetColor(chosen ? selectedColor_ : unselectedColor_);
    canvas->Pen()->SetColor(clBlack);
    canvas->Polygon(shape, 4);
    RECT text = r;
    text.top += chosen ? 1 : 2;
    canvas->DrawText(FromAnsi(tabs_->Strings(i)), text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  };
  for (int i = static_cast<int>(rects.size()) - 1; i >= 0; --i) {
    if (i != tabIndex_) drawTab(i);
  }
  // The line the tabs hang from, broken by the chosen tab that joins the area above.
  canvas->Pen()->SetColor(clBlack);
  canvas->MoveTo(0, 0);
  canvas->LineTo(Width(), 0);
  if (tabIndex_ >= 0) drawTab(tabIndex_);
}

}  // namespace ui
