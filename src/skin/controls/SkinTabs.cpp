#include "skin/controls/SkinTabs.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/SkinEdits.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinMessages.h"
#include "ui/ComCtrls.h"

namespace skin {

namespace {

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

constexpr int kTextBuffer = 80;  // characters of a tab's text read back
constexpr int kPaneInflate = 4;  // the pane reaches this far beyond the display rectangle
constexpr int kCloseGlyph = 6;   // side of a close button
constexpr int kPaneOverlap = 2;  // rows of the pane's edge the tab row lies over

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

// The tab's text and image index, read wide or narrow as the window is.
void ReadTab(HWND window, bool unicode, int index, std::wstring& text, int& image) {
  image = -1;
  text.clear();
  if (unicode) {
    wchar_t buffer[kTextBuffer + 1] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = buffer;
    item.cchTextMax = kTextBuffer;
    if (!SendMessageW(window, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return;
    text = item.pszText ? item.pszText : L"";
    image = item.iImage;
  } else {
    char buffer[kTextBuffer + 1] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = buffer;
    item.cchTextMax = kTextBuffer;
    if (!SendMessageA(window, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return;
    text = AnsiToWide(item.pszText ? item.pszText : "");
    image = item.iImage;
  }
}

// The window's display rectangle grown by the pane's reach.
RECT DisplayRect(HWND window, const RECT& rect, int inflate) {
  RECT display = rect;
  SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  InflateRect(&display, inflate, inflate);
  return display;
}

// The font the control draws its tabs in, selected into the DC; answers the one replaced.
HGDIOBJ SelectTabFont(HDC dc, ui::TControl* control, HWND window) {
  if (const auto* font = control ? ui::GetObjectProp<ui::TFont>(control, L"Font") : nullptr) {
    return SelectObject(dc, font->Handle());
  }
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
  return SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
}

// The tab under a client point, or -1.
int TabAtPoint(HWND window, POINT p) {
  TCHITTESTINFO info{};
  info.pt = p;
  return static_cast<int>(SendMessageW(window, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

void RequestMouseLeave(HWND window) {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

// The hot tab after a mouse message; `hot` unchanged for other messages.
int HotTabAfter(const ui::TMessage& m, HWND window, int hot) {
  if (m.Msg == WM_MOUSELEAVE) return -1;
  if (m.Msg != WM_MOUSEMOVE || !window || !IsWindowEnabled(window)) return hot;
  if (hot < 0) RequestMouseLeave(window);
  return TabAtPoint(window, {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
}

// Messages after which the whole control is drawn again: a new current tab (chosen by the
// program, the mouse or the keyboard) moves the opening in the pane's edge, which the tab
// control's own invalidation of the tabs does not reach; changed tabs move the others.
bool ChangesTabs(UINT msg) {
  switch (msg) {
    case TCM_SETCURSEL: case TCM_SETCURFOCUS: case TCM_DELETEITEM: case TCM_DELETEALLITEMS:
    case TCM_INSERTITEMW: case TCM_INSERTITEMA: case TCM_SETITEMW: case TCM_SETITEMA:
    case WM_LBUTTONDOWN: case WM_KEYDOWN: case WM_SIZE:
      return true;
    default:
      return false;
  }
}

ui::TColor ElementColour(const TDataSkinObject& e, bool current) {
  return ResolveColour(current ? e.MouseOverColour2 : e.NormalColour2);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pure rules

TTabSide TabSideOfStyle(DWORD style) {
  const bool second = (style & TCS_BOTTOM) != 0;  // TCS_RIGHT on vertical tabs
  if (style & TCS_VERTICAL) return second ? tsdRight : tsdLeft;
  return second ? tsdBottom : tsdTop;
}

TSkinFrame TabFrame(const TSkinState& s, bool current, bool hot, int frameCount) {
  TSkinFrame frame = sfNormal;
  if (!s.Enabled) frame = sfDisabled;
  else if (current) frame = s.Focused ? sfFocused : sfPressed;
  else if (hot) frame = sfHot;
  if (frame <= frameCount) return frame;
  return current && frameCount >= sfPressed ? sfPressed : sfNormal;
}

TSkinFrame TabButtonFrame(const TSkinState& s, bool current, bool hot) {
  if (!s.Enabled) return sfDisabled;
  if (current) return sfPressed;
  if (hot) return sfHot;
  return sfNormal;
}

RECT TabRowRect(const RECT& w, const RECT& d, TTabSide side) {
  switch (side) {
    case tsdBottom: return {w.left, d.bottom, w.right, w.bottom};
    case tsdLeft: return {w.left, w.top, d.left, w.bottom};
    case tsdRight: return {d.right, w.top, w.right, w.bottom};
    case tsdTop: break;
  }
  return {w.left, w.top, w.right, d.top};
}

RECT TabInRow(const RECT& item, TTabSide side, int rowLength, int windowRight, int bottomRowTop) {
  const LONG a = item.left, t = item.top, r = item.right, b = item.bottom;
  switch (side) {
    case tsdBottom: return {a, t - bottomRowTop - 1, r, b - bottomRowTop - 1};
    case tsdLeft: return {rowLength - b, a, rowLength - t, r};
    case tsdRight: return {t - 1, windowRight - r, b - 1, windowRight - a};
    case tsdTop: break;
  }
  return {a, t + 1, r, b + 1};
}

TMargins TurnMargins(const TMargins& m, TTabSide side) {
  switch (side) {
    case tsdBottom: return {m.Left, m.Bottom, m.Right, m.Top};
    case tsdLeft: return {m.Top, m.Right, m.Bottom, m.Left};   // turned counter-clockwise
    case tsdRight: return {m.Bottom, m.Left, m.Top, m.Right};  // turned clockwise
    case tsdTop: break;
  }
  return m;
}

// ---------------------------------------------------------------------------------------------
// TSkinTab

TSkinTab::TSkinTab(ui::TComponent* owner)
    : TSkinControl(owner),
      tabImage_(std::make_unique<TSkinBitmap>()),
      paneImage_(std::make_unique<TSkinBitmap>()),
      rowBitmap_(std::make_unique<ui::TBitmap>()),
      face_(std::make_unique<ui::TBitmap>()) {}

TSkinTab::~TSkinTab() = default;

const TDataSkinObject* TSkinTab::TabsElement() const {
  return skinData_ ? skinData_->Resolved().Tabs : nullptr;
}

void TSkinTab::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                      bool changeColor) {
  if (hooked_) return;
  plain_ = kind_ == kTabKindPlain;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  if (!handle_) return;
  enabled_ = (GetLong(GWL_STYLE) & WS_DISABLED) == 0;
  const auto* pages = dynamic_cast<ui::TPageControl*>(control_);
  closable_ = pages && pages->Tag() == kClosableTabsTag && pages->TabPosition() == ui::tpTop;
  LoadImages();
  FindRowUpDown();
  active_ = true;
  unicode_ = IsWindowUnicode(handle_) != FALSE;
}

void TSkinTab::AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form,
                            ui::TCanvas* canvas) {
  plain_ = kind_ == kTabKindPlain;
  TSkinControl::AttachSkinHandle(handle, skinData, form, canvas);
  focused_ = GetFocus() == handle;
  enabled_ = (GetLong(GWL_STYLE) & WS_DISABLED) == 0;
  closable_ = false;
  LoadImages();
  FindRowUpDown();
}

bool TSkinTab::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.Tabs); }

void TSkinTab::LoadImages() {
  side_ = handle_ ? TabSideOfStyle(static_cast<DWORD>(GetLong(GWL_STYLE))) : tsdTop;
  tabImage_->SetSize(0, 0);
  paneImage_->SetSize(0, 0);
  const TDataSkinObject* tabs = TabsElement();
  if (!tabs) return;
  if (tabs->Bitmap) tabImage_->Assign(*tabs->Bitmap);
  if (const TSkinBitmap* pane = skinData_->Resolved().TabPanePicture) paneImage_->Assign(*pane);
  switch (side_) {
    case tsdBottom:
      FlipBitmap(*tabImage_);
      FlipBitmap(*paneImage_);
      break;
    case tsdLeft:
      RotateLeft(*paneImage_);
      break;
    case tsdRight:
      RotateRight(*paneImage_);
      break;
    case tsdTop:
      break;
  }
}

void TSkinTab::FindRowUpDown() {
  if (rowUpDown_ || !handle_) return;
  HWND arrows = FindWindowExA(handle_, nullptr, "msctls_updown32", nullptr);
  if (!arrows || (form_ && form_->Skinners().Find(arrows))) return;
  // Owned by the control (the tab control's own component list frees it with the control).
  rowUpDown_ = new TSkinUpDown(control_ ? static_cast<ui::TComponent*>(control_) : this);
  rowUpDown_->AttachHandle(arrows, skinData_, form_, canvas_);
}

// The arrows of the tab row, when no frame's list holds them.
std::vector<TSkinControl*> TSkinTab::NestedSkinners() const {
  if (!rowUpDown_ || form_) return {};
  return {rowUpDown_};
}

void TSkinTab::SkinChanged() {
  LoadImages();
  TSkinControl::SkinChanged();
}

bool TSkinTab::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      HandlePaint(m);
      return false;
    case WM_LBUTTONDOWN: {
      if (!closable_) break;
      const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      for (std::size_t i = 0; i < closeRects_.size(); ++i) {
        if (!PtInRect(&closeRects_[i], at)) continue;
        m.Result = 0;
        CloseTab(static_cast<int>(i));
        return false;
      }
      break;
    }
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTab::AfterMessage(ui::TMessage& m) {
  if (m.Msg == WM_MOUSEMOVE || m.Msg == WM_MOUSELEAVE) {
    SetHotTab(HotTabAfter(m, handle_, hotTab_));
    return;
  }
  TSkinControl::AfterMessage(m);
  if (handle_ && ChangesTabs(m.Msg)) InvalidateRect(handle_, nullptr, FALSE);
}

void TSkinTab::SetHotTab(int index) {
  if (index == hotTab_) return;
  hotTab_ = index;
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TSkinTab::CloseTab(int index) {
  const HWND formWindow = form_ ? form_->HostWindow() : nullptr;
  if (!formWindow) return;  // nobody to ask: the page stays
  const std::shared_ptr<bool> alive = AliveFlag();
  const LRESULT answer = SendMessageW(formWindow, SKM_TABCLOSE, reinterpret_cast<WPARAM>(handle_), index);
  if (!*alive || answer != 0) return;
  auto* pages = dynamic_cast<ui::TPageControl*>(control_);
  if (!pages) return;
  for (int i = 0; i < pages->PageCount(); ++i) {
    ui::TTabSheet* page = pages->Pages(i);
    if (page && page->TabIndex() == index) {
      closeRects_.clear();
      hotTab_ = -1;
      delete page;
      InvalidateRect(handle_, nullptr, TRUE);
      return;
    }
  }
}

void TSkinTab::Draw(HDC dc, const RECT& rect) {
  if (!handle_ || rect.right <= rect.left || rect.bottom <= rect.top) return;
  enabled_ = (GetLong(GWL_STYLE) & WS_DISABLED) == 0;
  focused_ = GetFocus() == handle_;
  RECT display = DisplayRect(handle_, rect, AtDpi(kPaneInflate));
  switch (side_) {
    case tsdTop: display.top += 1; break;
    case tsdBottom: display.bottom -= 1; break;
    case tsdLeft: display.left += 1; break;
    case tsdRight: display.right -= 1; break;
  }
  FindRowUpDown();  // the arrows come once the tabs no longer fit
  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  closeRects_.assign(static_cast<std::size_t>(std::max(count, 0)), RECT{});
  // Composed off screen: the face colour, the pane, then the row laid over the pane's edge.
  face_->SetSize(WidthOf(rect), HeightOf(rect));
  HDC face = face_->Canvas()->Handle();
  FillFace(face, {0, 0, WidthOf(rect), HeightOf(rect)});
  DrawPane(face, display);
  if (!tabImage_->Empty()) DrawRow(face, rect, display);
  const int saved = SaveDC(dc);
  if (rowUpDown_ && IsWindowVisible(rowUpDown_->Handle())) {
    // The row's arrow buttons stay above the row.
    RECT arrows{};
    GetWindowRect(rowUpDown_->Handle(), &arrows);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&arrows), 2);
    ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
  }
  BitBlt(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), face, 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
  if (plain_) PaintGraphicChildren(control_, dc);
}

void TSkinTab::DrawRow(HDC dc, const RECT& rect, const RECT& display) {
  // The row reaches over the pane's edge, so that the current tab opens into the pane; where
  // no tab lies the row is the key colour and the pane's edge shows through.
  RECT row = TabRowRect(rect, display, side_);
  const int overlap = AtDpi(kPaneOverlap);
  switch (side_) {
    case tsdTop: row.bottom += overlap; break;
    case tsdBottom: row.top -= overlap; break;
    case tsdLeft: row.right += overlap; break;
    case tsdRight: row.left -= overlap; break;
  }
  const bool lying = side_ == tsdLeft || side_ == tsdRight;
  const int length = lying ? HeightOf(row) : WidthOf(row);
  const int thickness = lying ? WidthOf(row) : HeightOf(row);
  if (length <= 0 || thickness <= overlap) return;
  rowBitmap_->SetSize(length, thickness);
  ui::TCanvas& canvas = *rowBitmap_->Canvas();
  HDC rowDC = canvas.Handle();
  FillColour(rowDC, {0, 0, length, thickness}, kKeyColour);
  const HGDIOBJ oldFont = SelectTabFont(rowDC, control_, handle_);
  const int current = static_cast<int>(SendMessageW(handle_, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  const int rowOrigin = side_ == tsdBottom ? display.bottom - overlap : display.bottom;
  for (int i = 0; i < static_cast<int>(closeRects_.size()); ++i) {
    RECT item{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    const RECT face = TabInRow(item, side_, length, rect.right, rowOrigin);
    RECT open = face;  // the current tab covers the pane's edge
    if (i == current && side_ == tsdBottom) open.top = std::min<LONG>(open.top, 0);
    if (i == current && side_ != tsdBottom) open.bottom = std::max<LONG>(open.bottom, thickness);
    DrawTab(canvas, i, face, open, current, images);
  }
  SelectObject(rowDC, oldFont);
  if (side_ == tsdLeft) RotateLeft(*rowBitmap_);
  if (side_ == tsdRight) RotateRight(*rowBitmap_);
  DrawTransparent(dc, row, *rowBitmap_, kKeyColour);
}

void TSkinTab::DrawTab(ui::TCanvas& canvas, int index, const RECT& face, const RECT& open,
                       int current, HIMAGELIST images) {
  const TDataSkinObject& tabs = *TabsElement();
  const int frames = std::max(1, tabs.Frame);
  const bool isCurrent = index == current;
  const TSkinFrame frame = TabFrame({enabled_, false, false, focused_}, isCurrent, index == hotTab_, frames);
  HDC dc = canvas.Handle();
  DrawNineRegion(dc, open, *tabImage_, TFrameLayout::SideBySide,
                 tabs.Tile ? TCentreMode::Tile : TCentreMode::Stretch, tabs.Trans != 0, frames,
                 frame, side_ == tsdBottom ? TurnMargins(MarginsOf(tabs), tsdBottom) : MarginsOf(tabs));
  RECT textRect = face;
  if (closable_) {
    const int side = AtDpi(kCloseGlyph), inset = AtDpi(8), top = AtDpi(2);
    const RECT glyph{face.right - inset, face.top + top, face.right - inset + side, face.top + top + side};
    MoveToEx(dc, glyph.left, glyph.top, nullptr);
    LineTo(dc, glyph.right, glyph.top);
    LineTo(dc, glyph.right, glyph.bottom);
    LineTo(dc, glyph.left, glyph.bottom);
    LineTo(dc, glyph.left, glyph.top);
    LineTo(dc, glyph.right, glyph.bottom);
    MoveToEx(dc, glyph.right, glyph.top, nullptr);
    LineTo(dc, glyph.left, glyph.bottom);
    closeRects_[static_cast<std::size_t>(index)] = {glyph.left, glyph.top, glyph.right + 1, glyph.bottom + 1};
    textRect.right = glyph.left;
  }
  SetTextColor(dc, ui::ColorToRGB(ElementColour(tabs, isCurrent)));
  std::wstring text;
  int image = -1;
  ReadTab(handle_, unicode_, index, text, image);
  DrawIconCaption(canvas, textRect, DT_CENTER, text, image, images);
}

void TSkinTab::DrawPane(HDC dc, const RECT& display) {
  if (paneImage_->Empty() || display.right <= display.left || display.bottom <= display.top) return;
  // The tab element's second image has fixed margins; the pane element brings its own.
  const TResolvedSkin* skin = skinData_ ? &skinData_->Resolved() : nullptr;
  TMargins margins{AtDpi(4), AtDpi(5), AtDpi(4), AtDpi(4)};
  TCentreMode centre = TCentreMode::Stretch;
  if (skin && skin->Tabs && skin->TabPaneSource != TTabPaneSource::TabsBorder && skin->TabPane) {
    margins = MarginsOf(*skin->TabPane);
    centre = skin->TabPane->Tile ? TCentreMode::Tile : TCentreMode::Stretch;
  }
  DrawNineRegion(dc, display, *paneImage_, TFrameLayout::SideBySide, centre, false, 1, 1,
                 TurnMargins(margins, side_));
}

// ---------------------------------------------------------------------------------------------
// TSkinTabBtn

TSkinTabBtn::TSkinTabBtn(ui::TComponent* owner)
    : TSkinControl(owner), row_(std::make_unique<ui::TBitmap>()) {}

TSkinTabBtn::~TSkinTabBtn() = default;

// Button-style tabs are drawn from the push-button element.
bool TSkinTabBtn::HasSkinParts(const TResolvedSkin& skin) const {
  return HasFrames(skin.Button, skin.Button ? skin.Button->Frame : 1);
}

bool TSkinTabBtn::BeforeMessage(ui::TMessage& m) {
  if (m.Msg == WM_PAINT) {
    HandlePaint(m);
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::AfterMessage(ui::TMessage& m) {
  if (m.Msg == WM_MOUSEMOVE || m.Msg == WM_MOUSELEAVE) {
    const int hot = HotTabAfter(m, handle_, hotTab_);
    if (hot != hotTab_) {
      hotTab_ = hot;
      InvalidateRect(handle_, nullptr, FALSE);
    }
    return;
  }
  TSkinControl::AfterMessage(m);
  if (handle_ && ChangesTabs(m.Msg)) InvalidateRect(handle_, nullptr, FALSE);
}

void TSkinTabBtn::Draw(HDC dc, const RECT& rect) {
  if (!handle_ || !skinData_) return;
  enabled_ = control_ ? control_->Enabled() : IsWindowEnabled(handle_) != FALSE;
  const TDataSkinButton* buttons = skinData_->Resolved().Button;
  if (!buttons || !buttons->Bitmap || buttons->Bitmap->Empty()) return;
  const RECT display = DisplayRect(handle_, rect, AtDpi(kPaneInflate));
  const RECT row{rect.left, rect.top, rect.right, display.top + 1};
  if (row.right <= row.left || row.bottom <= row.top) return;
  row_->SetSize(WidthOf(row), HeightOf(row));
  ui::TCanvas& canvas = *row_->Canvas();
  HDC rowDC = canvas.Handle();
  FillFace(rowDC, {0, 0, WidthOf(row), HeightOf(row)});
  const HGDIOBJ oldFont = SelectTabFont(rowDC, control_, handle_);
  const int frames = std::max(1, buttons->Frame);
  const int current = static_cast<int>(SendMessageW(handle_, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    OffsetRect(&item, -row.left, 1 - row.top);
    const int frame = std::min<int>(TabButtonFrame({enabled_}, i == current, i == hotTab_), frames);
    DrawSkinElement(rowDC, item, frames, frame, buttons);
    COLORREF colour = RGB(0, 0, 0);
    if (frame == sfNormal && buttons->HasNormalColour2) colour = ui::ColorToRGB(ResolveColour(buttons->NormalColour2));
    if (frame == sfPressed && buttons->HasPressedColour2) colour = ui::ColorToRGB(ResolveColour(buttons->PressedColour2));
    if (frame == sfHot && buttons->HasMouseOverColour2) colour = ui::ColorToRGB(ResolveColour(buttons->MouseOverColour2));
    SetTextColor(rowDC, colour);
    std::wstring text;
    int image = -1;
    ReadTab(handle_, unicode_, i, text, image);
    DrawIconCaption(canvas, item, DT_CENTER, text, image, images);
  }
  SelectObject(rowDC, oldFont);
  BitBlt(dc, row.left, row.top, WidthOf(row), HeightOf(row), rowDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TSkinTabSheet

bool TSkinTabSheet::BeforeMessage(ui::TMessage& m) {
  if (!TSkinControl::BeforeMessage(m)) return false;
  if (kind_ != 0) return true;
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT:
      HandlePaint(m);
      return false;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(handle_, &client);
      FillFace(reinterpret_cast<HDC>(m.WParam), client);
      m.Result = 1;
      return false;
    }
    default:
      return true;
  }
}

void TSkinTabSheet::Draw(HDC dc, const RECT& rect) {
  FillFace(dc, rect);
  PaintGraphicChildren(control_, dc);
}

}  // namespace skin
