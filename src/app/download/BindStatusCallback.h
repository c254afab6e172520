// Download workers: one thread per image, each fetching its address into its file through
// the platform's URL moniker service, with a progress sink that reports to the main window.
//
// Workers never touch a window or a timer: the sink posts each report to the window, which
// updates the row and moves the run on, on its own thread.
#pragma once

#include <windows.h>

#include <urlmon.h>

#include <string>

namespace download {

// Posted to the report window for every progress report; lParam owns a TProgressReport.
constexpr UINT WM_DOWNLOADPROGRESS = WM_APP + 0x210;
// Posted when a worker's download call has returned; lParam owns a TDownloadEnded.
constexpr UINT WM_DOWNLOADENDED = WM_APP + 0x211;

struct TProgressReport {
  int Run;
  int Row;
  ULONG Progress;
  ULONG Maximum;
};

struct TDownloadEnded {
  int Run;
  int Row;
  HRESULT Result;
};

// Everything one worker needs, handed to it directly.
struct TDownloadJob {
  std::string Url;   // narrow, system code page
  std::string Path;  // narrow, system code page
  int Row = 0;
  int Run = 0;
  HWND ReportTo = nullptr;
};

// The progress sink: reports progress for one row of one run. It also hears the server's
// answer (IHttpNegotiate), so that an error page is not taken for the image.
class TBindStatusCallback : public IBindStatusCallback, public IHttpNegotiate {
 public:
  TBindStatusCallback(HWND reportTo, int run);
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
  // The HTTP status of the answer; 0 when none came (not HTTP, or no answer).
  DWORD ResponseCode() const { return responseCode_; }

 private:
  virtual ~TBindStatusCallback() = default;  // freed by its last Release
  LONG FRow = 0;
  LONG FRefCount = 0;
  HWND reportTo_;
  int run_;
  DWORD responseCode_ = 0;
};

// Starts a worker thread for the job (requested stack of 1024 bytes); it is not waited for.
// Answers false when no thread could be started.
bool StartDownload(TDownloadJob job);

}  // namespace download
