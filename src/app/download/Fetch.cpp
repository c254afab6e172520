#include "app/download/Fetch.h"

#include "app/download/WorkerPool.h"
#include "ui/ComObj.h"

namespace download {

namespace {

// A temporary file in the destination folder, open for writing while the body arrives, and
// deleted when it goes unless it was moved.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::wstring& folder) {
    wchar_t path[MAX_PATH];
    if (!GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"vx", 0, path)) {
      error_ = GetLastError();
      return;
    }
    path_ = path;
    file_ = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, TRUNCATE_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) error_ = GetLastError();
  }
  ~TTemporaryFile() {
    Close();
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  const std::wstring& Path() const { return path_; }
  HANDLE File() const { return file_; }
  bool Valid() const { return error_ == 0; }
  // Why the file could not be made or opened (a system error code).
  DWORD Error() const { return error_; }
  // The bytes written so far; nothing when the file cannot tell.
  std::optional<uint64_t> Size() const {
    LARGE_INTEGER size;
    if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
  }
  void Close() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  // The file was moved away: its name is free again and no longer ours to delete.
  void Forget() { path_.clear(); }

 private:
  std::wstring path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  DWORD error_ = 0;
};

// Handles the thread's messages until the sink hears the end of the binding. An aborted
// binding whose end does not come within kAbortGraceMs is given up.
HRESULT WaitForStop(const TBindStatusCallback& sink, const TTransfer& transfer) {
  DWORD abortSeen = 0;
  while (!sink.Stopped()) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    DispatchThreadMessages();
    if (sink.Stopped() || !transfer.AbortedAs()) continue;
    if (!abortSeen) abortSeen = GetTickCount() | 1;
    else if (GetTickCount() - abortSeen > kAbortGraceMs) return E_ABORT;
  }
  return sink.StopResult();
}

// A host name that no host name may be: one with a delimiter in it (Wine's parser takes the
// "[::" of "http://[::/" for a name).
bool MalformedHost(IUri& uri) {
  DWORD type = Uri_HOST_UNKNOWN;
  if (FAILED(uri.GetHostType(&type)) || type != Uri_HOST_DNS) return false;
  ui::TBStr host;
  if (FAILED(uri.GetHost(host.Put()))) return false;
  return host.Str().find_first_of(L":/?#[]@") != std::wstring::npos;
}

// The address bound to a stream whose body the sink writes; answers how the binding ended.
// An address that cannot be parsed fails before any binding: Wine's binding reports it only
// as a failed download, after its first step.
HRESULT Bind(const std::wstring& url, TBindStatusCallback* sink, const TTransfer& transfer) {
  ui::TComPtr<IUri> parsed;
  HRESULT hr = CreateUri(url.c_str(), Uri_CREATE_ALLOW_RELATIVE, 0, parsed.Put());
  if (FAILED(hr)) return hr;
  if (MalformedHost(*parsed.Get())) return INET_E_INVALID_URL;
  ui::TComPtr<IMoniker> moniker;
  hr = CreateURLMoniker(nullptr, url.c_str(), moniker.Put());
  if (FAILED(hr)) return hr;
  ui::TComPtr<IBindCtx> context;
  hr = CreateAsyncBindCtx(0, sink, nullptr, context.Put());
  if (FAILED(hr)) return hr;
  ui::TComPtr<IStream> stream;
  hr = moniker->BindToStorage(context.Get(), nullptr, IID_IStream, stream.PutVoid());
  if (SUCCEEDED(hr)) hr = WaitForStop(*sink, transfer);
  RevokeBindStatusCallback(context.Get(), sink);
  return hr;
}

// The download into a temporary file, moved to the final name only when the binding ended
// with success, an answer that is not an error page and as many bytes as announced. Answers
// how it ended; an abort's reason outweighs whatever the aborted binding ended with.
TOutcome Fetch(const TDownloadJob& job) {
  if (job.Name.empty()) return TOutcome::InvalidAddress();
  if (std::optional<TOutcome> aborted = job.Transfer->AbortedAs()) return *aborted;
  TTemporaryFile temporary(job.Folder);
  if (!temporary.Valid()) return TOutcome::Unwritable(temporary.Error());
  auto* created = new TBindStatusCallback(job.ReportTo, job.Run, job.Transfer);
  created->AddRef();
  auto sink = ui::TComPtr<TBindStatusCallback>::Attach(created);
  sink->SetRow(job.Row);
  sink->SetBody(temporary.File());
  HRESULT hr = Bind(job.Url, sink.Get(), *job.Transfer);
  sink->SetBody(nullptr);  // a late call of an abandoned binding writes nothing
  job.Transfer->Detach();
  TServiceResult service{hr, sink->Reached(), sink->ResponseCode(), sink->AnnouncedLength(), temporary.Size()};
  temporary.Close();
  if (std::optional<TOutcome> aborted = job.Transfer->AbortedAs()) return *aborted;
  if (sink->WriteError()) return TOutcome::Unwritable(sink->WriteError());
  TOutcome outcome = ServiceOutcome(service);
  if (!outcome.IsCompleted()) return outcome;
  outcome = job.Transfer->Commit(temporary.Path(), job.Folder + job.Name);
  if (outcome.IsCompleted()) temporary.Forget();
  return outcome;
}

}  // namespace

void RunDownload(const TDownloadJob& job) {
  job.Transfer->SetOutcome(Fetch(job));
  PostMessageW(job.ReportTo, WM_DOWNLOADENDED, static_cast<WPARAM>(job.Run), job.Row);
}

}  // namespace download
