#include "app/download/BindStatusCallback.h"

#include <wininet.h>

#include <algorithm>

#include "app/download/HttpResponse.h"

namespace download {

TBindStatusCallback::TBindStatusCallback(HWND reportTo, int run, std::shared_ptr<TTransfer> transfer)
    : reportTo_(reportTo), run_(run), transfer_(std::move(transfer)) {}

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

// The binding is kept so that the download can be aborted. A transfer aborted before its
// binding started refuses it; the service then ends the call with E_ABORT. (Aborting the
// binding from inside this call instead made Wine's service return success with no file.)
STDMETHODIMP TBindStatusCallback::OnStartBinding(DWORD, IBinding* binding) {
  transfer_->Touch();
  return transfer_->Attach(binding) ? S_OK : E_ABORT;
}
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

STDMETHODIMP TBindStatusCallback::OnResponse(DWORD code, LPCWSTR responseHeaders, LPCWSTR, LPWSTR* additional) {
  if (additional) *additional = nullptr;
  responseCode_ = code;
  if (responseHeaders) announcedLength_ = download::AnnouncedLength(responseHeaders);
  transfer_->Touch();
  return S_OK;
}

STDMETHODIMP TBindStatusCallback::OnProgress(ULONG progress, ULONG maximum, ULONG status, LPCWSTR) {
  transfer_->Touch();
  using Step = TServiceResult::Step;
  Step step = status == BINDSTATUS_FINDINGRESOURCE ? Step::Resolving
              : status == BINDSTATUS_CONNECTING    ? Step::Connecting
              : status == BINDSTATUS_SENDINGREQUEST ? Step::Requested
                                                    : Step::None;
  reached_ = std::max(reached_, step);
  auto report = std::make_unique<TProgressReport>(TProgressReport{run_, FRow, progress, maximum});
  if (PostMessageW(reportTo_, WM_DOWNLOADPROGRESS, 0, reinterpret_cast<LPARAM>(report.get()))) report.release();
  return S_OK;
}

namespace {

// A temporary file in the destination folder, deleted when it goes unless it was moved.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::wstring& folder) {
    wchar_t path[MAX_PATH];
    if (GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"vx", 0, path)) path_ = path;
    else error_ = GetLastError();
  }
  ~TTemporaryFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  const std::wstring& Path() const { return path_; }
  bool Valid() const { return !path_.empty(); }
  // Why the file could not be made (a system error code).
  DWORD Error() const { return error_; }
  // The file was moved away: its name is free again and no longer ours to delete.
  void Forget() { path_.clear(); }

 private:
  std::wstring path_;
  DWORD error_ = 0;
};

std::optional<uint64_t> FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The download into a temporary file, moved to the final name only when the call returned
// success with an answer that is not an error page and with as many bytes as announced.
// Answers how it ended; an abort's reason outweighs whatever the aborted call returned.
TOutcome Fetch(const TDownloadJob& job) {
  if (job.Name.empty()) return TOutcome::InvalidAddress();
  TTemporaryFile temporary(job.Folder);
  if (!temporary.Valid()) return TOutcome::Unwritable(temporary.Error());
  auto* sink = new TBindStatusCallback(job.ReportTo, job.Run, job.Transfer);
  sink->AddRef();
  sink->SetRow(job.Row);
  HRESULT hr = URLDownloadToFileW(nullptr, job.Url.c_str(), temporary.Path().c_str(), 0, sink);
  job.Transfer->Detach();
  TServiceResult service{hr, sink->Reached(), sink->ResponseCode(), sink->AnnouncedLength(),
                         FileSize(temporary.Path())};
  sink->Release();
  if (std::optional<TOutcome> aborted = job.Transfer->AbortedAs()) return *aborted;
  TOutcome outcome = ServiceOutcome(service);
  if (!outcome.IsCompleted()) return outcome;
  outcome = job.Transfer->Commit(temporary.Path(), job.Folder + job.Name);
  if (outcome.IsCompleted()) temporary.Forget();
  return outcome;
}

}  // namespace

void AllowConnectionsPerServer(int count) {
  DWORD n = static_cast<DWORD>(count);
  InternetSetOptionW(nullptr, INTERNET_OPTION_MAX_CONNS_PER_SERVER, &n, sizeof n);
  InternetSetOptionW(nullptr, INTERNET_OPTION_MAX_CONNS_PER_1_0_SERVER, &n, sizeof n);
}

DWORD WINAPI DownloadProc(void* parameter) {
  std::unique_ptr<TDownloadJob> job(static_cast<TDownloadJob*>(parameter));
  job->Transfer->SetOutcome(Fetch(*job));
  PostMessageW(job->ReportTo, WM_DOWNLOADENDED, static_cast<WPARAM>(job->Run), job->Row);
  return 0;
}

}  // namespace download
