// The web-browser control: the platform's browser object (IWebBrowser2) hosted in an OLE
// container of our own. Where the system has no browser engine to host, the control shows
// the address it was asked for and a link that opens it with the shell instead.
#pragma once

#include <exdisp.h>

#include <memory>
#include <string>

#include "ui/ComObj.h"
#include "ui/Controls.h"

namespace ui {

class TWebBrowser : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TWebBrowser(TComponent* owner);
  ~TWebBrowser() override;

  // Shows the page at `url`; every call counts as a navigation, hosted or not.
  void Navigate(const std::wstring& url);
  std::wstring LocationURL() const { return url_; }
  int NavigationCount() const { return navigations_; }
  // The platform's browser is hosted (otherwise the fallback is shown).
  bool BrowserHosted() const { return static_cast<bool>(browser_); }
  // The fallback's link, in client coordinates (empty while the browser is hosted).
  RECT LinkRect() const { return linkRect_; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void PaintWindow(HDC dc) override;

 private:
  class TSite;
  void Host();
  void Unhost();
  void PaintFallback(HDC dc);

  TSite* site_ = nullptr;  // reference-counted COM object
  TComPtr<IOleObject> object_;
  TComPtr<IWebBrowser2> browser_;
  std::wstring url_;
  int navigations_ = 0;
  RECT linkRect_{};
};

}  // namespace ui
