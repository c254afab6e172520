// TCustomTabControl, TTabSheet and TPageControl.
#include <algorithm>

#include "ui/ComCtrls.h"

namespace ui {

const TEnumInfo& TabStyleInfo() {
  static const TEnumInfo info(L"TTabStyle", {L"tsTabs", L"tsButtons", L"tsFlatButtons"});
  return info;
}

const TEnumInfo& TabPositionInfo() {
  static const TEnumInfo info(L"TTabPosition", {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomTabControl", &TWinControl::StaticClass());
    c.Bool(L"MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine);
    c.Enum(L"Style", TabStyleInfo(), &TCustomTabControl::Style, &TCustomTabControl::SetStyle);
    c.Enum(L"TabPosition", TabPositionInfo(), &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition);
    return c;
  }();
  return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clBtnFace);
  SetBounds(0, 0, 289, 193);
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = WC_TABCONTROLW;
  if (style_ == tsTabs) p.Style |= TCS_TABS;
  else p.Style |= TCS_BUTTONS | (style_ == tsFlatButtons ? TCS_FLATBUTTONS : 0);
  if (multiLine_) p.Style |= TCS_MULTILINE;
  switch (tabPosition_) {
    case tpTop: break;
    case tpBottom: p.Style |= TCS_BOTTOM; break;
    case tpLeft: p.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
  }
}

void TCustomTabControl::SetStyle(TTabStyle value) {
  if (value < tsTabs || value > tsFlatButtons || value == style_) return;
  style_ = value;
  RecreateWnd();
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
  if (value < tpTop || value > tpRight || value == tabPosition_) return;
  tabPosition_ = value;
  RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value) {
  if (value == multiLine_) return;
  multiLine_ = value;
  RecreateWnd();
}

RECT TCustomTabControl::DisplayRect() {
  RECT r{};
  GetClientRect(Handle(), &r);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

// ---------------------------------------------------------------------------------------------
// TTabSheet

const TClassInfo& TTabSheet::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TTabSheet", &TWinControl::StaticClass());
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    c.Int(L"PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
    c.Int(L"TabIndex", &TTabSheet::TabIndex);
    c.Bool(L"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    return c;
  }();
  return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);  // the page control shows its active page only
  SetColor(clBtnFace);
}

TTabSheet::~TTabSheet() {
  // Leave the page control while still a whole tab sheet.
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (control == pageControl_) return;
  SetParent(control);  // the page controls hear of it through CM_CONTROLLISTCHANGE
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (pageControl_) pageControl_->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int tab = 0;
  for (TTabSheet* page : pageControl_->pages_) {
    if (page == this) return tab;
    if (page->tabVisible_) ++tab;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool value) {
  if (value == tabVisible_) return;
  tabVisible_ = value;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::PaintWindow(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, Brush()->Handle());
}

void TTabSheet::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateTabs();
}

// ---------------------------------------------------------------------------------------------
// TPageControl

const TClassInfo& TPageControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TPageControl", &TCustomTabControl::StaticClass());
    c.Obj(L"ActivePage", &TPageControl::ActivePage);
    c.Int(L"ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex);
    c.Int(L"PageCount", &TPageControl::PageCount);
    return c;
  }();
  return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  BeginDestruction();
  // The pages outlive this part of the object for a moment; they must not call back.
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  if (index == -1) SetActivePage(nullptr);
  else if (TTabSheet* page = Pages(index)) SetActivePage(page);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  if (HWND h = HandleIfAllocated())
    SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(page ? page->TabIndex() : -1), 0);
  if (page == activePage_) return;
  TTabSheet* old = activePage_;
  activePage_ = page;
  if (old) {
    // The focus must not stay on a window that is about to be hidden.
    HWND focus = GetFocus();
    if (old->HandleAllocated() && focus && IsChild(old->HandleIfAllocated(), focus) && HandleAllocated())
      ::SetFocus(HandleIfAllocated());
    old->SetVisible(false);
    if (old->OnHide) old->OnHide(old);
  }
  if (page) {
    PlacePages();
    page->SetVisible(true);
    if (page->OnShow) page->OnShow(page);
  }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward) const {
  int n = PageCount();
  if (n == 0) return nullptr;
  auto it = std::find(pages_.begin(), pages_.end(), current);
  int start = it == pages_.end() ? (forward ? -1 : n) : static_cast<int>(it - pages_.begin());
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (forward ? step : -step)) % n + n) % n;
    if (pages_[static_cast<size_t>(i)]->TabVisible()) return pages_[static_cast<size_t>(i)];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool forward) {
  if (TTabSheet* page = FindNextPage(activePage_, forward)) SetActivePage(page);
}

void TPageControl::InsertPage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  pages_.push_back(page);
  page->pageControl_ = this;
  UpdateTabs();
  if (!activePage_) SetActivePage(page);
  else page->SetVisible(false);
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  size_t index = static_cast<size_t>(it - pages_.begin());
  pages_.erase(it);
  page->pageControl_ = nullptr;
  if (activePage_ == page) {
    // The page that took its place (or the new last one) becomes active; the leaving page
    // may be half destroyed, so it hears nothing.
    activePage_ = nullptr;
    if (!pages_.empty() && !Destroying()) SetActivePage(pages_[std::min(index, pages_.size() - 1)]);
  }
  if (!Destroying()) UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  index = std::clamp(index, 0, PageCount());
  pages_.insert(pages_.begin() + index, page);
  UpdateTabs();
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
  if (tabIndex < 0) return nullptr;
  for (TTabSheet* page : pages_)
    if (page->TabVisible() && tabIndex-- == 0) return page;
  return nullptr;
}

void TPageControl::UpdateTabs() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
  int tab = 0;
  for (TTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    std::wstring text = page->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(h, TCM_INSERTITEMW, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(activePage_ ? activePage_->TabIndex() : -1), 0);
  PlacePages();
}

void TPageControl::PlacePages() {
  if (!HandleAllocated()) return;
  RECT r = DisplayRect();
  for (TTabSheet* page : pages_) page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::CreateHandleDone() {
  TCustomTabControl::CreateHandleDone();
  UpdateTabs();
}

void TPageControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: {
      // Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is on or in this control.
      HWND focus = GetFocus(), own = HandleIfAllocated();
      if (m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && own && (focus == own || IsChild(own, focus))) {
        SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
        m.Result = 1;
        return;
      }
      break;
    }
    case CM_CONTROLLISTCHANGE: {
      auto* control = reinterpret_cast<TControl*>(m.WParam);
      if (m.LParam) {
        if (auto* page = dynamic_cast<TTabSheet*>(control)) InsertPage(page);
      } else {
        // Compared by address only: a leaving control may be half destroyed.
        auto it = std::find_if(pages_.begin(), pages_.end(),
                               [control](TTabSheet* p) { return static_cast<TControl*>(p) == control; });
        if (it != pages_.end()) RemovePage(*it);
      }
      break;
    }
    case CN_NOTIFY:
      if (const NMHDR* header = ReflectedNotifyHeader(m)) {
        if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
          int tab = static_cast<int>(SendMessageW(HandleIfAllocated(), TCM_GETCURSEL, 0, 0));
          if (TTabSheet* page = PageOfTab(tab)) SetActivePage(page);
          if (OnChange) OnChange(this);
        }
        m.Result = 0;  // TCN_SELCHANGING: the change may go on
        return;
      }
      break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case CM_FONTCHANGED:
      TCustomTabControl::WndProc(m);
      PlacePages();
      return;
    default:
      break;
  }
  TCustomTabControl::WndProc(m);
}

}  // namespace ui
