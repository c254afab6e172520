#include "ui/OleCtrls.h"

#include <windowsx.h>

#include <ole2.h>
#include <oleidl.h>

#include "ui/ShellApi.h"

namespace ui {

// The container side of the hosted browser: client site, in-place site and frame in one
// reference-counted object that lives as long as the browser holds it.
class TWebBrowser::TSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit TSite(HWND window) : window_(window) {}
  void Detach() { window_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    *c = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* w) override {
    *w = window_;
    return window_ ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(window_, pos);
    GetClientRect(window_, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(window_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: the page has no menus or tool bars of ours.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  virtual ~TSite() = default;
  HWND window_;
  ULONG refs_ = 1;
};

namespace {

// The system's HTML document object.
const CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

// The browser object renders pages with the system's HTML engine; without one it can show
// nothing, and the control falls back.
bool HtmlEngineAvailable() {
  static const bool available = [] {
    TComPtr<IUnknown> document;
    return SUCCEEDED(CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      document.PutVoid()));
  }();
  return available;
}

const wchar_t kFallbackTitle[] = L"无法在此显示网页（系统中没有可用的浏览器组件）：";
const wchar_t kFallbackLink[] = L"用默认浏览器打开此网址";

}  // namespace

const TClassInfo& TWebBrowser::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TWebBrowser", &TWinControl::StaticClass());
    c.Str(L"LocationURL", &TWebBrowser::LocationURL);
    return c;
  }();
  return info;
}

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
  acceptsControls_ = false;
  SetColor(clWindow);
  SetBounds(0, 0, 300, 150);
}

TWebBrowser::~TWebBrowser() {
  BeginDestruction();
  Unhost();
}

void TWebBrowser::CreateHandleDone() { Host(); }

void TWebBrowser::DestroyWnd() {
  Unhost();
  TWinControl::DestroyWnd();
}

void TWebBrowser::Host() {
  if (object_ || !HtmlEngineAvailable()) return;
  TComPtr<IOleObject> object;
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object.PutVoid())))
    return;
  auto* site = new TSite(HandleIfAllocated());
  RECT r = ClientRect();
  if (FAILED(object->SetClientSite(site)) ||
      FAILED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, HandleIfAllocated(), &r))) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    site->Release();
    return;
  }
  site_ = site;
  object_ = object;
  browser_ = object.As<IWebBrowser2>(IID_IWebBrowser2);
  if (browser_ && !url_.empty()) {
    TBStr address(url_);
    browser_->Navigate(address.Get(), nullptr, nullptr, nullptr, nullptr);
  }
}

void TWebBrowser::Unhost() {
  browser_.Reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
  if (site_) {
    site_->Detach();
    site_->Release();
    site_ = nullptr;
  }
}

void TWebBrowser::Navigate(const std::wstring& url) {
  ++navigations_;
  url_ = url;
  if (browser_) {
    TBStr address(url);
    browser_->Navigate(address.Get(), nullptr, nullptr, nullptr, nullptr);
  } else {
    Invalidate();
  }
}

void TWebBrowser::PaintWindow(HDC dc) {
  if (!browser_) PaintFallback(dc);
}

void TWebBrowser::PaintFallback(HDC dc) {
  RECT client = ClientRect();
  FillRect(dc, &client, Brush()->Handle());
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(*Font());
  canvas.Brush()->SetStyle(bsClear);
  RECT text{client.left + 8, client.top + 8, client.right - 8, client.bottom};
  canvas.Font()->SetColor(clWindowText);
  int h = canvas.DrawText(kFallbackTitle, text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  text.top += h + 4;
  h = canvas.DrawText(url_.empty() ? L"about:blank" : url_, text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  text.top += h + 8;
  linkRect_ = {};
  if (!url_.empty()) {
    canvas.Font()->SetColor(clBlue);
    canvas.Font()->SetStyle(1 << fsUnderline);
    RECT link = text;
    canvas.DrawText(kFallbackLink, link, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    canvas.DrawText(kFallbackLink, link, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    linkRect_ = link;
  }
  canvas.SetHandle(nullptr);
}

void TWebBrowser::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      if (object_) {
        TComPtr<IOleInPlaceObject> inplace = object_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
        RECT r{0, 0, LOWORD(m.LParam), HIWORD(m.LParam)};
        if (inplace) inplace->SetObjectRects(&r, &r);
      }
      Invalidate();
      break;
    case WM_SETCURSOR:
      if (!browser_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(HandleIfAllocated(), &p);
        if (PtInRect(&linkRect_, p)) {
          ::SetCursor(CursorHandle(crHandPoint));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_LBUTTONUP:
      if (!browser_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (PtInRect(&linkRect_, p) && !url_.empty()) ShellOpen(GetAncestor(HandleIfAllocated(), GA_ROOT), url_);
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace ui
