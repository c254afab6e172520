#include "app/download/BindStatusCallback.h"

#include <memory>

namespace download {

TBindStatusCallback::TBindStatusCallback(HWND reportTo, int run) : reportTo_(reportTo), run_(run) {}

STDMETHODIMP TBindStatusCallback::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IBindStatusCallback || iid == IID_IUnknown) {
    *out = static_cast<IBindStatusCallback*>(this);
    AddRef();
    return S_OK;
  }
  if (iid == IID_IHttpNegotiate) {
    *out = static_cast<IHttpNegotiate*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TBindStatusCallback::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }

// The service may keep a reference past its blocking call, so the last Release frees the
// sink rather than the worker.
STDMETHODIMP_(ULONG) TBindStatusCallback::Release() {
  LONG n = InterlockedDecrement(&FRefCount);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

STDMETHODIMP TBindStatusCallback::OnStartBinding(DWORD, IBinding*) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::GetPriority(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::OnLowResource(DWORD) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::OnStopBinding(HRESULT, LPCWSTR) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::GetBindInfo(DWORD*, BINDINFO*) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
STDMETHODIMP TBindStatusCallback::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }

STDMETHODIMP TBindStatusCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) {
  if (additional) *additional = nullptr;
  return S_OK;
}

STDMETHODIMP TBindStatusCallback::OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) {
  if (additional) *additional = nullptr;
  responseCode_ = code;
  return S_OK;
}

STDMETHODIMP TBindStatusCallback::OnProgress(ULONG progress, ULONG maximum, ULONG, LPCWSTR) {
  auto report = std::make_unique<TProgressReport>(TProgressReport{run_, FRow, progress, maximum});
  if (PostMessageW(reportTo_, WM_DOWNLOADPROGRESS, 0, reinterpret_cast<LPARAM>(report.get()))) report.release();
  return S_OK;
}

namespace {

DWORD WINAPI DownloadProc(void* parameter) {
  std::unique_ptr<TDownloadJob> job(static_cast<TDownloadJob*>(parameter));
  auto* sink = new TBindStatusCallback(job->ReportTo, job->Run);
  sink->AddRef();
  sink->SetRow(job->Row);
  HRESULT hr = URLDownloadToFileA(nullptr, job->Url.c_str(), job->Path.c_str(), 0, sink);
  if (SUCCEEDED(hr) && sink->ResponseCode() >= 400) {
    // The server answered with an error page, which is not the image: it goes.
    DeleteFileA(job->Path.c_str());
    hr = INET_E_DOWNLOAD_FAILURE;
  }
  sink->Release();
  auto ended = std::make_unique<TDownloadEnded>(TDownloadEnded{job->Run, job->Row, hr});
  if (PostMessageW(job->ReportTo, WM_DOWNLOADENDED, 0, reinterpret_cast<LPARAM>(ended.get()))) ended.release();
  return 0;
}

}  // namespace

bool StartDownload(TDownloadJob job) {
  auto owned = std::make_unique<TDownloadJob>(std::move(job));
  HANDLE thread = CreateThread(nullptr, 1024, &DownloadProc, owned.get(), 0, nullptr);
  if (!thread) return false;
  owned.release();
  CloseHandle(thread);  // never joined: the thread ends on its own
  return true;
}

}  // namespace download
