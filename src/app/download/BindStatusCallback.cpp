#include "app/download/BindStatusCallback.h"

#include <wininet.h>

#include <algorithm>
#include <cstddef>

#include "app/download/HttpResponse.h"

namespace download {

TBindStatusCallback::TBindStatusCallback(HWND reportTo, int run, std::shared_ptr<TTransfer> transfer)
    : reportTo_(reportTo), run_(run), transfer_(std::move(transfer)) {}

STDMETHODIMP TBindStatusCallback::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IBindStatusCallback || iid == IID_IUnknown) *out = static_cast<IBindStatusCallback*>(this);
  else if (iid == IID_IHttpNegotiate) *out = static_cast<IHttpNegotiate*>(this);
  else if (iid == IID_IServiceProvider) *out = static_cast<IServiceProvider*>(this);
  else if (iid == IID_IBindCallbackRedirect) *out = static_cast<IBindCallbackRedirect*>(this);
  else *out = nullptr;
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TBindStatusCallback::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }

// The service may keep a reference past its blocking call, so the last Release frees the
// sink rather than the worker.
STDMETHODIMP_(ULONG) TBindStatusCallback::Release() {
  LONG n = InterlockedDecrement(&FRefCount);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

// The binding is kept so that the download can be aborted. A transfer aborted before its
// binding started refuses it; the service then ends the call with E_ABORT. (Aborting the
// binding from inside this call instead made Wine's service return success with no file.)
STDMETHODIMP TBindStatusCallback::OnStartBinding(DWORD, IBinding* binding) {
  transfer_->Touch();
  return transfer_->Attach(binding) ? S_OK : E_ABORT;
}
STDMETHODIMP TBindStatusCallback::GetPriority(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::OnLowResource(DWORD) { return E_NOTIMPL; }

STDMETHODIMP TBindStatusCallback::OnStopBinding(HRESULT result, LPCWSTR) {
  stopResult_ = result;
  stopped_ = true;
  return S_OK;
}

// Asynchronous, the body pulled as a stream, nothing written to or read from the service's
// cache: a synchronous binding or one that needs a file makes the service keep a copy of
// every image in its cache, which costs more than the download itself.
STDMETHODIMP TBindStatusCallback::GetBindInfo(DWORD* flags, BINDINFO* info) {
  if (!flags || !info || info->cbSize < sizeof(DWORD)) return E_INVALIDARG;
  *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA | BINDF_NOWRITECACHE | BINDF_GETNEWESTVERSION;
  DWORD size = info->cbSize;
  ZeroMemory(info, size);
  info->cbSize = size;
  info->dwBindVerb = BINDVERB_GET;
  if (size >= offsetof(BINDINFO, dwOptions) + sizeof info->dwOptions)
    info->dwOptions = BINDINFO_OPTIONS_DISABLEAUTOREDIRECTS;
  return S_OK;
}

// Reads what the stream holds now into the body file. The stream answers S_OK while it has
// more, E_PENDING when more is still to come and S_FALSE at the end; the last two may come
// with bytes of their own.
STDMETHODIMP TBindStatusCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) {
  if (!medium || medium->tymed != TYMED_ISTREAM || !medium->pstm) return S_OK;
  transfer_->Touch();
  char buffer[16384];
  for (;;) {
    ULONG got = 0;
    HRESULT hr = medium->pstm->Read(buffer, sizeof buffer, &got);
    if (got > 0) Write(buffer, got);
    if (hr != S_OK || got == 0) break;
  }
  return S_OK;
}

void TBindStatusCallback::Write(const char* bytes, ULONG count) {
  if (!body_ || writeError_) return;
  DWORD written = 0;
  if (!WriteFile(body_, bytes, count, &written, nullptr)) writeError_ = GetLastError();
  else if (written != count) writeError_ = ERROR_HANDLE_DISK_FULL;
}
STDMETHODIMP TBindStatusCallback::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }

STDMETHODIMP TBindStatusCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) {
  if (additional) *additional = nullptr;
  return S_OK;
}

STDMETHODIMP TBindStatusCallback::OnResponse(DWORD code, LPCWSTR responseHeaders, LPCWSTR, LPWSTR* additional) {
  if (additional) *additional = nullptr;
  responseCode_ = code;
  if (responseHeaders) {
    announcedLength_ = download::AnnouncedLength(responseHeaders);
    contentType_ = download::ContentType(responseHeaders);
  }
  transfer_->Touch();
  return S_OK;
}

STDMETHODIMP TBindStatusCallback::QueryService(REFGUID service, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (service == IID_IBindCallbackRedirect || service == IID_IHttpNegotiate) return QueryInterface(iid, out);
  return E_NOINTERFACE;
}

// The binding ends here, with the place noted; the download decides whether to follow.
STDMETHODIMP TBindStatusCallback::Redirect(LPCWSTR url, VARIANT_BOOL* cancel) {
  if (url) redirectedTo_ = url;
  if (cancel) *cancel = VARIANT_TRUE;
  return S_OK;
}

STDMETHODIMP TBindStatusCallback::OnProgress(ULONG progress, ULONG maximum, ULONG status, LPCWSTR text) {
  if (status == BINDSTATUS_REDIRECTING && text && redirectedTo_.empty()) redirectedTo_ = text;
  transfer_->Touch();
  using Step = TServiceResult::Step;
  Step step = status == BINDSTATUS_FINDINGRESOURCE ? Step::Resolving
              : status == BINDSTATUS_CONNECTING    ? Step::Connecting
              : status == BINDSTATUS_SENDINGREQUEST ? Step::Requested
                                                    : Step::None;
  reached_ = std::max(reached_, step);
  // The service reports each connection step as 0 of 0: a report equal to the last one would
  // change nothing on the row, and is not sent.
  if (reported_ == std::pair{progress, maximum}) return S_OK;
  auto report = std::make_unique<TProgressReport>(TProgressReport{run_, FRow, progress, maximum});
  if (!PostMessageW(reportTo_, WM_DOWNLOADPROGRESS, 0, reinterpret_cast<LPARAM>(report.get()))) return S_OK;
  report.release();
  reported_ = {progress, maximum};
  return S_OK;
}

void AllowConnectionsPerServer(int count) {
  DWORD n = static_cast<DWORD>(count);
  InternetSetOptionW(nullptr, INTERNET_OPTION_MAX_CONNS_PER_SERVER, &n, sizeof n);
  InternetSetOptionW(nullptr, INTERNET_OPTION_MAX_CONNS_PER_1_0_SERVER, &n, sizeof n);
}

}  // namespace download
