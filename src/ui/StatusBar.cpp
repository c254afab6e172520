#include "ui/StatusBar.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/DrawingScopes.h"
#include "ui/Messages.h"

namespace ui {

const TEnumInfo& StatusPanelBevelInfo() {
  static const TEnumInfo info(L"TStatusPanelBevel", {L"pbNone", L"pbLowered", L"pbRaised"});
  return info;
}
const TEnumInfo& StatusPanelStyleInfo() {
  static const TEnumInfo info(L"TStatusPanelStyle", {L"psText", L"psOwnerDraw"});
  return info;
}
const TEnumInfo& DateTimeKindInfo() {
  static const TEnumInfo info(L"TDateTimeKind", {L"dtkDate", L"dtkTime"});
  return info;
}
const TEnumInfo& DTDateFormatInfo() {
  static const TEnumInfo info(L"TDTDateFormat", {L"dfShort", L"dfLong"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TStatusPanel, TStatusPanels

const TClassInfo& TStatusPanel::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TStatusPanel", &TObject::StaticClass());
    c.Enum(L"Alignment", AlignmentInfo(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
    c.Enum(L"Bevel", StatusPanelBevelInfo(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
    c.Enum(L"Style", StatusPanelStyleInfo(), &TStatusPanel::Style, &TStatusPanel::SetStyle);
    c.Str(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    c.Int(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    return c;
  }();
  return info;
}

void TStatusPanel::SetText(const std::wstring& text) {
  text_ = text;
  bar_.UpdatePanels();
}
void TStatusPanel::SetWidth(int value) {
  width_ = std::max(value, 0);
  bar_.UpdatePanels();
}
void TStatusPanel::SetAlignment(TAlignment value) {
  alignment_ = value;
  bar_.UpdatePanels();
}
void TStatusPanel::SetBevel(TStatusPanelBevel value) {
  bevel_ = value;
  bar_.UpdatePanels();
}
void TStatusPanel::SetStyle(TStatusPanelStyle value) {
  style_ = value;
  bar_.UpdatePanels();
}

const TClassInfo& TStatusPanels::StaticClass() {
  static const TClassInfo info(L"TStatusPanels", &TObject::StaticClass());
  return info;
}

TStatusPanel* TStatusPanels::Add() {
  panels_.push_back(std::make_unique<TStatusPanel>(bar_));
  bar_.UpdatePanels();
  return panels_.back().get();
}

void TStatusPanels::Clear() {
  panels_.clear();
  bar_.UpdatePanels();
}

TStatusPanel* TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return panels_[static_cast<std::size_t>(index)].get();
}

// ---------------------------------------------------------------------------------------------
// TStatusBar

const TClassInfo& TStatusBar::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TStatusBar", &TWinControl::StaticClass());
    c.Obj(L"Panels", &TStatusBar::Panels);
    c.Bool(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    c.Str(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    c.Bool(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    return c;
  }();
  return info;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner),
      panels_(std::make_unique<TStatusPanels>(*this)),
      canvas_(std::make_unique<TCanvas>()) {
  acceptsControls_ = false;
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = STATUSCLASSNAMEW;
  // The library places the bar (Align); the system must not move or size it itself.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateHandleDone() { UpdatePanels(); }

void TStatusBar::ScaleSelf(int m, int d) {
  TWinControl::ScaleSelf(m, d);
  for (int i = 0; i < panels_->Count(); ++i) {
    TStatusPanel* panel = panels_->Items(i);
    panel->SetWidth(MulDiv(panel->Width(), m, d));
  }
}

void TStatusBar::SetSimplePanel(bool value) {
  simplePanel_ = value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
  simpleText_ = text;
  UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool value) {
  if (value == sizeGrip_) return;
  sizeGrip_ = value;
  RecreateWnd();
}

void TStatusBar::UpdatePanels() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, SB_SIMPLE, simplePanel_, 0);
  if (simplePanel_) {
    SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    return;
  }
  // Right edges of the parts; the last part reaches the right edge of the bar.
  std::vector<int> edges;
  int right = 0;
  for (int i = 0; i < panels_->Count(); ++i) {
    right += panels_->Items(i)->Width();
    edges.push_back(i + 1 == panels_->Count() ? -1 : right);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageW(h, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < panels_->Count(); ++i) {
    const TStatusPanel* panel = panels_->Items(i);
    // The system aligns a part's text by tab characters in front of it.
    std::wstring text = panel->Text();
    if (panel->Alignment() == taCenter) text = L"\t" + text;
    if (panel->Alignment() == taRightJustify) text = L"\t\t" + text;
    WPARAM how = static_cast<WPARAM>(i);
    if (panel->Bevel() == pbNone) how |= SBT_NOBORDERS;
    if (panel->Bevel() == pbRaised) how |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) {
      // The system keeps no text for the part, and asks its parent to draw it.
      SendMessageW(h, SB_SETTEXTW, how | SBT_OWNERDRAW, static_cast<LPARAM>(i));
      continue;
    }
    SendMessageW(h, SB_SETTEXTW, how, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void TStatusBar::DrawPanel(HDC dc, int index, const RECT& rect) {
  TStatusPanel* panel = panels_->Items(index);
  if (!panel || panel->Style() != psOwnerDraw || !OnDrawPanel || !dc) return;
  TSavedDC saved(dc);
  canvas_->SetHandle(dc);
  struct TUnbind {
    TCanvas& canvas;
    ~TUnbind() { canvas.SetHandle(nullptr); }
  } unbind{*canvas_};
  canvas_->Font()->Assign(*Font());
  OnDrawPanel(this, panel, rect);
}

void TStatusBar::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM && m.LParam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    DrawPanel(item.hDC, static_cast<int>(item.itemID), item.rcItem);
    m.Result = TRUE;
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TDateTimePicker

const TClassInfo& TDateTimePicker::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TDateTimePicker", &TWinControl::StaticClass());
    c.Enum(L"DateFormat", DTDateFormatInfo(), &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat);
    c.Enum(L"Kind", DateTimeKindInfo(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind);
    return c;
  }();
  return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  acceptsControls_ = false;
  clickEvents_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 186, 21);
  GetLocalTime(&value_);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = DATETIMEPICK_CLASSW;
  if (kind_ == dtkTime) p.Style |= DTS_TIMEFORMAT;
  else p.Style |= dateFormat_ == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::CreateHandleDone() {
  SendMessageW(HandleIfAllocated(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::DestroyWnd() {
  value_ = DateTime();
  TWinControl::DestroyWnd();
}

SYSTEMTIME TDateTimePicker::DateTime() const {
  HWND h = HandleIfAllocated();
  if (!h) return value_;
  SYSTEMTIME now{};
  if (SendMessageW(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&now)) != GDT_VALID) return value_;
  return now;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
  value_ = value;
  if (HWND h = HandleIfAllocated()) {
    SendMessageW(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
  }
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
  if (value == kind_) return;
  kind_ = value;
  RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat value) {
  if (value == dateFormat_) return;
  dateFormat_ = value;
  RecreateWnd();
}

bool TDateTimePicker::DroppedDown() const {
  HWND h = HandleIfAllocated();
  return h && SendMessageW(h, DTM_GETMONTHCAL, 0, 0) != 0;
}

void TDateTimePicker::WndProc(TMessage& m) {
  if (const NMHDR* header = ReflectedNotifyHeader(m)) {
    if (header->code == DTN_DATETIMECHANGE) {
      if (OnChange) OnChange(this);
    }
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace ui
