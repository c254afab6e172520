// TCustomListView, TListView and their columns and items. (Page controls: PageControl.cpp.)
#include "ui/ComCtrls.h"

#include <algorithm>

namespace ui {

const TEnumInfo& ViewStyleInfo() {
  static const TEnumInfo info(L"TViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// Columns

const TClassInfo& TListColumn::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TListColumn", &TObject::StaticClass());
    c.Enum(L"Alignment", AlignmentInfo(), &TListColumn::Alignment, &TListColumn::SetAlignment);
    c.Str(L"Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    c.Int(L"Width", &TListColumn::Width, &TListColumn::SetWidth);
    return c;
  }();
  return info;
}

int TListColumn::Index() const {
  auto& list = owner_.columns_;
  auto it = std::find_if(list.begin(), list.end(), [this](const auto& c) { return c.get() == this; });
  return static_cast<int>(it - list.begin());
}

void TListColumn::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Apply(false);
}

int TListColumn::Width() const {
  // The user may have dragged the column's edge: the window knows best.
  if (HWND h = owner_.view_.HandleIfAllocated())
    return static_cast<int>(SendMessageW(h, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index()), 0));
  return width_;
}

void TListColumn::SetWidth(int width) {
  width_ = width;
  Apply(false);
}

void TListColumn::SetAlignment(TAlignment value) {
  alignment_ = value;
  Apply(false);
}

void TListColumn::Apply(bool insert) {
  HWND h = owner_.view_.HandleIfAllocated();
  if (!h) return;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = alignment_ == taRightJustify ? LVCFMT_RIGHT : alignment_ == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
  column.cx = width_;
  column.pszText = caption_.data();
  column.iSubItem = Index();
  SendMessageW(h, insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(Index()),
               reinterpret_cast<LPARAM>(&column));
}

const TClassInfo& TListColumns::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TListColumns", &TObject::StaticClass());
    c.Int(L"Count", &TListColumns::Count);
    return c;
  }();
  return info;
}

TListColumns::~TListColumns() = default;

TListColumn* TListColumns::Add() {
  columns_.push_back(std::make_unique<TListColumn>(*this));
  columns_.back()->Apply(true);
  return columns_.back().get();
}

TListColumn* TListColumns::Items(int index) const {
  return index >= 0 && index < Count() ? columns_[static_cast<size_t>(index)].get() : nullptr;
}

void TListColumns::Clear() {
  if (HWND h = view_.HandleIfAllocated())
    for (int i = Count() - 1; i >= 0; --i) SendMessageW(h, LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
  columns_.clear();
}

void TListColumns::ApplyAll() {
  for (auto& column : columns_) column->Apply(true);
}

// ---------------------------------------------------------------------------------------------
// Items

std::wstring TListSubItems::Strings(int index) const {
  return index >= 0 && index < Count() ? texts_[static_cast<size_t>(index)] : std::wstring();
}

// A text the item already has is not written again: the window shows it already, and each
// write costs the window a repaint of the item.
void TListSubItems::SetStrings(int index, const std::wstring& text) {
  if (index < 0) RaiseListIndexError(index);
  if (index < Count() && texts_[static_cast<size_t>(index)] == text) return;
  if (index >= Count()) texts_.resize(static_cast<size_t>(index) + 1);
  texts_[static_cast<size_t>(index)] = text;
  item_.ShowText(index + 1, text);
}

void TListSubItems::Delete(int index) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  texts_.erase(texts_.begin() + index);
  for (int i = index; i < Count(); ++i) item_.ShowText(i + 1, texts_[static_cast<size_t>(i)]);
  item_.ShowText(Count() + 1, std::wstring());  // the column that fell free
}

void TListSubItems::Clear() {
  for (int i = 0; i < Count(); ++i) item_.ShowText(i + 1, std::wstring());
  texts_.clear();
}

const TClassInfo& TListItem::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TListItem", &TObject::StaticClass());
    c.Str(L"Caption", &TListItem::Caption, &TListItem::SetCaption);
    c.Int(L"Index", &TListItem::Index);
    return c;
  }();
  return info;
}

int TListItem::Index() const {
  auto& list = owner_.items_;
  auto it = std::find_if(list.begin(), list.end(), [this](const auto& i) { return i.get() == this; });
  return static_cast<int>(it - list.begin());
}

void TListItem::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;  // shown already
  caption_ = caption;
  ShowText(0, caption);
}

void TListItem::ShowText(int column, const std::wstring& text) const {
  HWND h = owner_.view_.HandleIfAllocated();
  if (!h) return;
  std::wstring copy = text;
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageW(h, LVM_SETITEMTEXTW, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

void TListItem::MakeVisible(bool partialOK) {
  if (HWND h = owner_.view_.HandleIfAllocated()) SendMessageW(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()), partialOK);
}

bool TListItem::Selected() const {
  HWND h = owner_.view_.HandleIfAllocated();
  return h && (SendMessageW(h, LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) & LVIS_SELECTED);
}

void TListItem::SetSelected(bool value) {
  HWND h = owner_.view_.HandleIfAllocated();
  if (!h) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = value ? LVIS_SELECTED : 0;
  SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

const TClassInfo& TListItems::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TListItems", &TObject::StaticClass());
    c.Int(L"Count", &TListItems::Count);
    return c;
  }();
  return info;
}

TListItems::~TListItems() = default;

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) RaiseListIndexError(index);
  items_.insert(items_.begin() + index, std::make_unique<TListItem>(*this));
  InsertIntoWindow(index);
  return items_[static_cast<size_t>(index)].get();
}

TListItem* TListItems::Item(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

void TListItems::InsertIntoWindow(int index) {
  HWND h = view_.HandleIfAllocated();
  if (!h) return;
  TListItem& item = *items_[static_cast<size_t>(index)];
  LVITEMW row{};
  row.mask = LVIF_TEXT;
  row.iItem = index;
  row.pszText = item.caption_.data();
  SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
  for (int i = 0; i < item.subItems_.Count(); ++i) item.ShowText(i + 1, item.subItems_.Strings(i));
}

void TListItems::Delete(int index) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  if (HWND h = view_.HandleIfAllocated()) SendMessageW(h, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
  items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
  if (HWND h = view_.HandleIfAllocated()) SendMessageW(h, LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

void TListItems::ApplyAll() {
  for (int i = 0; i < Count(); ++i) InsertIntoWindow(i);
}

void TListItems::BeginUpdate() {
  if (updating_++ == 0) ApplyRedraw();
}

void TListItems::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) ApplyRedraw();
}

void TListItems::ApplyRedraw() const {
  HWND h = view_.HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, WM_SETREDRAW, updating_ == 0, 0);
  if (updating_ == 0) InvalidateRect(h, nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// TCustomListView, TListView

const TClassInfo& TCustomListView::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomListView", &TWinControl::StaticClass());
    c.Enum(L"BorderStyle", BorderStyleInfo(), &TCustomListView::BorderStyle, &TCustomListView::SetBorderStyle);
    c.Obj(L"Columns", &TCustomListView::Columns);
    c.Bool(L"GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines);
    c.Obj(L"Items", &TCustomListView::Items);
    c.Bool(L"ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly);
    c.Bool(L"RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect);
    c.Bool(L"ShowColumnHeaders", &TCustomListView::ShowColumnHeaders, &TCustomListView::SetShowColumnHeaders);
    c.Enum(L"ViewStyle", ViewStyleInfo(), &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle);
    return c;
  }();
  return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TListColumns>(*this)),
      items_(std::make_unique<TListItems>(*this)) {
  acceptsControls_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
  // The window goes while columns and items still exist.
  DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = WC_LISTVIEWW;
  static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  p.Style |= views[viewStyle_] | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS;
  if (!readOnly_) p.Style |= LVS_EDITLABELS;
  if (!showColumnHeaders_) p.Style |= LVS_NOCOLUMNHEADER;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::ScaleSelf(int m, int d) {
  TWinControl::ScaleSelf(m, d);
  for (int i = 0; i < columns_->Count(); ++i) {
    TListColumn* column = columns_->Items(i);
    column->SetWidth(MulDiv(column->Width(), m, d));
  }
}

void TCustomListView::CreateHandleDone() {
  ApplyExtendedStyle();
  if (items_->updating_ > 0) items_->ApplyRedraw();
  columns_->ApplyAll();
  items_->ApplyAll();
}

void TCustomListView::DestroyWnd() {
  // Widths the user dragged are kept for the next window.
  for (int i = 0; i < columns_->Count(); ++i) columns_->columns_[static_cast<size_t>(i)]->width_ = columns_->Items(i)->Width();
  TWinControl::DestroyWnd();
}

void TCustomListView::ApplyExtendedStyle() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  DWORD value = (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0);
  SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, value);
}

void TCustomListView::SetViewStyle(TViewStyle value) {
  if (value < vsIcon || value > vsReport || value == viewStyle_) return;
  viewStyle_ = value;
  RecreateWnd();
}

void TCustomListView::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool value) {
  if (value == showColumnHeaders_) return;
  showColumnHeaders_ = value;
  RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone) value = bsSingle;
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool value) {
  gridLines_ = value;
  ApplyExtendedStyle();
}

void TCustomListView::Scroll(int dx, int dy) {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, LVM_SCROLL, static_cast<WPARAM>(dx), dy);
}

int TCustomListView::TopIndex() {
  HWND h = HandleIfAllocated();
  return h ? static_cast<int>(SendMessageW(h, LVM_GETTOPINDEX, 0, 0)) : 0;
}

const TClassInfo& TListView::StaticClass() {
  static const TClassInfo info(L"TListView", &TCustomListView::StaticClass());
  return info;
}

TListView::TListView(TComponent* owner) : TCustomListView(owner) {}

}  // namespace ui
