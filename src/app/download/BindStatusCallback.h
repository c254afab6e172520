// The progress sink of one download through the platform's URL moniker service, and the
// messages and job that tie a download to the window. The sink writes the body it is handed
// into the download's temporary file and reports progress to the main window.
//
// Workers never touch a window or a timer: the sink posts each report to the window, which
// updates the row and moves the run on, on its own thread.
#pragma once

#include <windows.h>

#include <urlmon.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/download/Outcome.h"
#include "app/download/Transfer.h"

namespace download {

// Posted to the report window for every progress report; lParam owns a TProgressReport.
constexpr UINT WM_DOWNLOADPROGRESS = WM_APP + 0x210;
// Posted when a worker has ended and its files are settled: wParam the run, lParam the row.
// Its outcome (TOutcome) is in the download's TTransfer.
constexpr UINT WM_DOWNLOADENDED = WM_APP + 0x211;

struct TProgressReport {
  int Run;
  int Row;
  ULONG Progress;
  ULONG Maximum;
};

// Everything one download needs, handed to its worker.
struct TDownloadJob {
  std::wstring Url;
  std::wstring Folder;  // the destination folder, with its trailing separator (empty: current)
  std::wstring Name;    // the final file name inside it
  int Row = 0;
  int Run = 0;
  HWND ReportTo = nullptr;
  std::shared_ptr<TTransfer> Transfer;
};

// The progress sink: reports progress for one row of one run, keeps the service's binding in
// the transfer so that the download can be aborted, hears the server's answer
// (IHttpNegotiate), so that an error page or a cut body is not taken for the image, notes
// how far the connection got, which tells the service's failures apart, and stops the binding
// at a redirect, noting where it leads. It asks for an
// asynchronous binding that pulls the body as a stream past the service's cache, writes what
// arrives to its body file, and notes the binding's end. All its calls come on the thread
// that started the binding, while that thread handles its messages.
class TBindStatusCallback : public IBindStatusCallback,
                            public IHttpNegotiate,
                            public IServiceProvider,
                            public IBindCallbackRedirect {
 public:
  TBindStatusCallback(HWND reportTo, int run, std::shared_ptr<TTransfer> transfer);
  void SetRow(int row) { FRow = row; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP OnStartBinding(DWORD reserved, IBinding* binding) override;
  STDMETHODIMP GetPriority(LONG* priority) override;
  STDMETHODIMP OnLowResource(DWORD reserved) override;
  STDMETHODIMP OnProgress(ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText) override;
  STDMETHODIMP OnStopBinding(HRESULT result, LPCWSTR error) override;
  STDMETHODIMP GetBindInfo(DWORD* flags, BINDINFO* info) override;
  STDMETHODIMP OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP OnObjectAvailable(REFIID iid, IUnknown* object) override;
  STDMETHODIMP BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved, LPWSTR* additional) override;
  STDMETHODIMP OnResponse(DWORD code, LPCWSTR responseHeaders, LPCWSTR requestHeaders, LPWSTR* additional) override;
  STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override;
  STDMETHODIMP Redirect(LPCWSTR url, VARIANT_BOOL* cancel) override;
  // Where the server redirected the download to (as it wrote it); empty when it did not. The
  // service is told not to follow: the download follows, so that it can count the redirects
  // and refuse to leave http and https.
  const std::wstring& RedirectedTo() const { return redirectedTo_; }
  // The HTTP status of the answer; 0 when none came (not HTTP, or no answer).
  DWORD ResponseCode() const { return responseCode_; }
  // The media type the answer announced (lower case; empty: none).
  const std::wstring& ContentType() const { return contentType_; }
  // The body length the answer announced, if it announced one.
  std::optional<uint64_t> AnnouncedLength() const { return announcedLength_; }
  // The furthest connection step the service reported.
  TServiceResult::Step Reached() const { return reached_; }
  // Where the body goes from now on (nothing: it is read and dropped).
  void SetBody(HANDLE file) { body_ = file; }
  // The error of the first write that failed; 0 when none did.
  DWORD WriteError() const { return writeError_; }
  // The binding has ended, with StopResult.
  bool Stopped() const { return stopped_; }
  HRESULT StopResult() const { return stopResult_; }

 private:
  virtual ~TBindStatusCallback() = default;  // freed by its last Release
  void Write(const char* bytes, ULONG count);
  LONG FRow = 0;
  LONG FRefCount = 0;
  HWND reportTo_;
  int run_;
  std::shared_ptr<TTransfer> transfer_;
  DWORD responseCode_ = 0;
  std::optional<uint64_t> announcedLength_;
  std::wstring contentType_;
  std::wstring redirectedTo_;
  TServiceResult::Step reached_ = TServiceResult::Step::None;
  HANDLE body_ = nullptr;
  DWORD writeError_ = 0;
  bool stopped_ = false;
  HRESULT stopResult_ = S_OK;
  std::optional<std::pair<ULONG, ULONG>> reported_;  // the last progress and maximum sent
};

// Lets the download service keep up to `count` connections to one server at once, for every
// download of the process from now on (its own limit is lower, and downloads beyond it wait).
void AllowConnectionsPerServer(int count);

}  // namespace download
