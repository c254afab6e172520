#include "skin/controls/SkinScrollbars.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"

namespace skin {

namespace {

constexpr LPARAM kPaintFrameKey = 0x41A2;

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}


void RefreshShown(TWScrollbar* bar) {
  if (bar && bar->Shown()) bar->Refresh();
}

// Repaints the shown panels; a panel that is not shown while the window has that bar is placed
// again (rows were added and the native bar appeared).
void RefreshOrPlace(TWScrollbar* bar, HWND window, LONG styleBit) {
  if (!bar) return;
  if (bar->Shown()) {
    bar->Reposition();
  } else if (GetWindowLongW(window, GWL_STYLE) & styleBit) {
    bar->Reposition();
  }
}

}  // namespace

void FillBarCorner(HDC dc, HWND window, const TWScrollbar* horz, const TWScrollbar* vert,
                   ui::TColor face) {
  if (!horz || !vert || !horz->Shown() || !vert->Shown() || !horz->Handle() || !vert->Handle()) return;
  RECT h{}, v{}, w{};
  GetWindowRect(horz->Handle(), &h);
  GetWindowRect(vert->Handle(), &v);
  GetWindowRect(window, &w);
  RECT corner{v.left - w.left, h.top - w.top, v.right - w.left, h.bottom - w.top};
  FillColour(dc, corner, face);
}

// ---------------------------------------------------------------------------------------------
// TSkinScrollbar

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::AttachScrollBars(ui::TControl* control, TSkinData* skinData,
                                      TSkinnerHost* form, ui::TCanvas* canvas) {
  if (hooked_) return;
  AttachBars(control, skinData, form, canvas);
  Attached([=, this] { AttachBars(control, skinData, form, canvas); });
}

void TSkinScrollbar::AttachBars(ui::TControl* control, TSkinData* skinData,
                                      TSkinnerHost* form, ui::TCanvas* canvas) {
  if (hooked_ || !control) return;
  skinData_ = skinData;
  form_ = form;
  canvas_ = canvas;
  control_ = control;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) {
    handle_ = windowed->HandleIfAllocated();
    unicode_ = handle_ && IsWindowUnicode(handle_);
  }
  Register(form);
  const bool bordered = !ui::IsPublishedProp(control, L"BorderStyle") ||
                        Lower(ui::GetEnumPropText(control, L"BorderStyle")) != L"bsnone";
  drawBorder_ = bordered && control->ClassName() != L"TImageScrollBox" && kind_ != 1;
  if (ui::GetPropInfo(control, L"FixedColor") && ui::GetIntProp(control, L"FixedColor") != -1) {
    savedFixedColour_ = ui::GetIntProp(control, L"FixedColor");
    fixedColourChanged_ = true;
    changeColor_ = true;
    ui::SetOrdProp(control, L"FixedColor", static_cast<int>(FaceColour()));
  }
  if (handle_) {
    if (!singleBar_) {
      horzBar_ = std::make_unique<TWScrollbar>(*this, spkHorizontal);
      horzBar_->Attach(handle_, control);
    }
    vertBar_ = std::make_unique<TWScrollbar>(*this, spkVertical);
    vertBar_->Attach(handle_, control);
    if (!control->Visible()) {
      if (horzBar_) horzBar_->Hide();
      vertBar_->Hide();
    }
  }
  HookControl(*control);
  hooked_ = true;
  status_ = kSkinnerAttached;
}

void TSkinScrollbar::Detach() {
  if (fixedColourChanged_ && control_) {
    ui::SetOrdProp(control_, L"FixedColor", savedFixedColour_);
    fixedColourChanged_ = false;
    changeColor_ = false;  // the control's Color was never taken
  }
  TSkinControl::Detach();
  if (status_ != kSkinnerWindowGone) {
    horzBar_.reset();
    vertBar_.reset();
  }
}

void TSkinScrollbar::RepositionBars() {
  if (horzBar_) horzBar_->Reposition();
  if (vertBar_) vertBar_->Reposition();
}

void TSkinScrollbar::PaintBorder(HDC dc) const {
  RECT r{};
  GetWindowRect(handle_, &r);
  OffsetRect(&r, -r.left, -r.top);
  ui::TBrushHandle shadow(CreateSolidBrush(ui::ColorToRGB(ShadowColour())));
  FrameRect(dc, &r, shadow.Get());
  InflateRect(&r, -1, -1);
  ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(FaceColour())));
  FrameRect(dc, &r, face.Get());
}

bool TSkinScrollbar::BeforeMessage(ui::TMessage& m) {
  if (m.Msg == WM_NCPAINT && drawBorder_) {
    CallPrevious(m);
    if (HDC dc = GetWindowDC(handle_)) {
      PaintBorder(dc);
      ReleaseDC(handle_, dc);
    }
    // The native bars were just painted over the panels.
    RefreshShown(horzBar_.get());
    RefreshShown(vertBar_.get());
    return false;
  }
  if (m.Msg == ui::CM_RECREATEWND && form_ && handle_) {
    // The control gets a new window: the frame skinner replaces this skinner. Told before the
    // old window goes, so that the frame replaces it before it purges the skinners of gone
    // windows.
    PostMessageW(form_->HostWindow(), SKM_CONTROLRECREATED, reinterpret_cast<WPARAM>(handle_), 0);
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      RepositionBars();
      break;
    case WM_NCPAINT:
      RefreshShown(horzBar_.get());
      RefreshShown(vertBar_.get());
      break;
    case WM_HSCROLL:
      if (horzBar_) horzBar_->SetHotPart(LOWORD(m.WParam));
      break;
    case WM_VSCROLL:
      if (vertBar_) vertBar_->SetHotPart(LOWORD(m.WParam));
      break;
    case WM_MOUSEWHEEL:
      RefreshShown(horzBar_.get());
      RefreshShown(vertBar_.get());
      break;
    case ui::CM_VISIBLECHANGED:
      if (m.WParam != 0) {
        RepositionBars();
      } else {
        if (horzBar_) horzBar_->Hide();
        if (vertBar_) vertBar_->Hide();
      }
      break;
    case SKM_PAINTFRAME:
      if (m.LParam == kPaintFrameKey) {
        if (m.WParam) PaintBorder(reinterpret_cast<HDC>(m.WParam));
        m.Result = kPaintFrameKey;
        return;
      }
      break;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinScrollbar::Draw(HDC dc, const RECT&) {
  if (!handle_) return;
  RefreshOrPlace(horzBar_.get(), handle_, WS_HSCROLL);
  RefreshOrPlace(vertBar_.get(), handle_, WS_VSCROLL);
  FillBarCorner(dc, handle_, horzBar_.get(), vertBar_.get(), FaceColour());
}

// ---------------------------------------------------------------------------------------------
// TSkinListView

// The scroll-bar skinners draw every part from the scroll-bar strip; the tracks and thumbs of
// their own are optional.
bool TSkinScrollbar::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Scrollbar); }
bool TSkinScrollbarH::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Scrollbar); }
bool TSkinScControl::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Scrollbar); }
bool TSkinHeader::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Headerbar); }

TSkinListView::~TSkinListView() = default;

void TSkinListView::AttachBars(ui::TControl* control, TSkinData* skinData,
                               TSkinnerHost* form, ui::TCanvas* canvas) {
  if (hooked_) return;
  TSkinScrollbar::AttachBars(control, skinData, form, canvas);
  if (!handle_) return;
  const auto header = reinterpret_cast<HWND>(SendMessageW(handle_, LVM_GETHEADER, 0, 0));
  if (!header) return;
  // The header's skinner lives as long as the list's; it is not in the frame's list.
  header_ = std::make_unique<TSkinHeader>(nullptr);
  header_->AttachHandle(header, skinData, nullptr, canvas);
}

std::vector<TSkinControl*> TSkinListView::NestedSkinners() const {
  if (!header_) return {};
  return {header_.get()};
}

// ---------------------------------------------------------------------------------------------
// TSkinHeader

int HeaderItemFrame(bool hot) { return hot ? 2 : 1; }

void TSkinHeader::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                         bool changeColor) {
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  hotIndex_ = -1;
}

void TSkinHeader::AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form,
                               ui::TCanvas* canvas) {
  TSkinControl::AttachSkinHandle(handle, skinData, form, canvas);
  hotIndex_ = -1;
}

bool TSkinHeader::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (!skinData_ || !HasImage(skinData_->Resolved().Headerbar)) break;
      HandlePaint(m);
      return false;
    case WM_ERASEBKGND:
      if (!skinData_ || !HasImage(skinData_->Resolved().Headerbar)) break;
      m.Result = 1;
      return false;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinHeader::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      int hot = -1;
      for (std::size_t i = 0; i < itemRects_.size(); ++i) {
        if (PtInRect(&itemRects_[i], p)) hot = static_cast<int>(i);
      }
      if (hot != hotIndex_) {
        hotIndex_ = hot;
        InvalidateRect(handle_, nullptr, FALSE);
      }
      TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, handle_, 0};
      TrackMouseEvent(&leave);
      return;
    }
    case WM_MOUSELEAVE:
      hotIndex_ = -1;
      InvalidateRect(handle_, nullptr, FALSE);
      return;
    case WM_PAINT:
      return;  // painted before the control's own procedure, or left to it
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinHeader::Draw(HDC dc, const RECT& rect) {
  const TDataSkinObject* bar = skinData_ ? skinData_->Resolved().Headerbar : nullptr;
  if (!HasImage(bar) || !handle_) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  ui::TBitmap picture(width, height);
  HDC pdc = picture.Canvas()->Handle();
  const auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(pdc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(pdc, TRANSPARENT);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, HDM_GETIMAGELIST, 0, 0));
  const int count = static_cast<int>(SendMessageW(handle_, HDM_GETITEMCOUNT, 0, 0));
  itemRects_.assign(static_cast<std::size_t>(std::max(count, 0)), RECT{});
  int right = 0;
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(handle_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    DrawHeaderItem(images, pdc, i, item);
    itemRects_[static_cast<std::size_t>(i)] = {item.left + 3, item.top, item.right - 3, item.bottom};
    right = std::max(right, static_cast<int>(item.right));
  }
  if (right < width) {
    const int frames = bar->Frame > 0 ? bar->Frame : 1;
    DrawNineRegion(pdc, {right, 0, width, height}, *bar->Bitmap, TFrameLayout::SideBySide,
                   bar->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch, false, frames, 1,
                   {bar->LeftWidth, bar->TopHeight, bar->RightWidth, bar->BottomHeight});
  }
  BitBlt(dc, rect.left, rect.top, width, height, pdc, 0, 0, SRCCOPY);
  SelectObject(pdc, oldFont);
}

void TSkinHeader::DrawHeaderItem(HIMAGELIST images, HDC dc, int index, const RECT& rect) {
  const TDataSkinObject* bar = skinData_->Resolved().Headerbar;
  wchar_t text[201] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = 201;
  SendMessageW(handle_, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  const bool hot = index == hotIndex_;
  ui::TBitmap face(width, height);
  ui::TCanvas* canvas = face.Canvas();
  const int frames = bar->Frame > 0 ? bar->Frame : 1;
  DrawNineRegion(canvas->Handle(), {0, 0, width, height}, *bar->Bitmap, TFrameLayout::SideBySide,
                 bar->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch, false, frames,
                 HeaderItemFrame(hot), {bar->LeftWidth, bar->TopHeight, bar->RightWidth, bar->BottomHeight});
  const std::wstring caption = text;
  if (!caption.empty()) {
    SelectObject(canvas->Handle(), GetCurrentObject(dc, OBJ_FONT));
    const TColour colour = hot && bar->MouseOverColour2 ? bar->MouseOverColour2 : bar->NormalColour2;
    SetTextColor(canvas->Handle(), ui::ColorToRGB(ResolveColour(colour)));
    const UINT alignment = (item.fmt & HDF_RIGHT) ? DT_RIGHT : (item.fmt & HDF_CENTER) ? DT_CENTER : DT_LEFT;
    const int image = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
    DrawIconCaption(*canvas, {0, 0, width, height}, alignment, caption, image, images);
    SelectObject(canvas->Handle(), GetStockObject(SYSTEM_FONT));
  }
  BitBlt(dc, rect.left, rect.top, width, height, canvas->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TSkinScrollbarH

TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form,
                                   ui::TCanvas* canvas) {
  TSkinControl::AttachSkinHandle(handle, skinData, form, canvas);
  horzBar_ = std::make_unique<TWScrollbar>(*this, spkHorizontal);
  horzBar_->Attach(handle, nullptr);
  vertBar_ = std::make_unique<TWScrollbar>(*this, spkVertical);
  vertBar_->Attach(handle, nullptr);
}

void TSkinScrollbarH::Detach() {
  TSkinControl::Detach();
  if (status_ != kSkinnerWindowGone) {
    horzBar_.reset();
    vertBar_.reset();
  }
}

bool TSkinScrollbarH::BeforeMessage(ui::TMessage& m) {
  if (vertBar_ && handle_ && !IsWindowVisible(handle_)) vertBar_->Hide();
  return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbarH::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
      if (horzBar_) horzBar_->Reposition();
      if (vertBar_) vertBar_->Reposition();
      break;
    case WM_HSCROLL:
      if (horzBar_) horzBar_->SetHotPart(LOWORD(m.WParam));
      break;
    case WM_VSCROLL:
      if (vertBar_) vertBar_->SetHotPart(LOWORD(m.WParam));
      break;
    case WM_MOUSEWHEEL:
      RefreshShown(horzBar_.get());
      RefreshShown(vertBar_.get());
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinScrollbarH::Draw(HDC dc, const RECT&) {
  RefreshShown(horzBar_.get());
  RefreshShown(vertBar_.get());
  FillBarCorner(dc, handle_, horzBar_.get(), vertBar_.get(), FaceColour());
}

// ---------------------------------------------------------------------------------------------
// TSkinScControl

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                            bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  if (!handle_ || !control_) return;
  bar_ = std::make_unique<TWScrollbar>(*this, spkControl);
  bar_->Attach(handle_, control_);
  if (!control_->Visible()) bar_->Hide();
}

void TSkinScControl::Detach() {
  TSkinControl::Detach();
  if (status_ != kSkinnerWindowGone) bar_.reset();
}

void TSkinScControl::AfterMessage(ui::TMessage& m) {
  if (!bar_) {
    TSkinControl::AfterMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT:
      bar_->Reposition();
      break;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case ui::CN_VSCROLL:
    case ui::CN_HSCROLL:
      bar_->Refresh();
      break;
    case ui::CM_VISIBLECHANGED:
      if (m.WParam != 0) bar_->Reposition();
      else bar_->Hide();
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinScControl::Draw(HDC, const RECT&) {
  if (bar_) bar_->Refresh();
}

}  // namespace skin
