#include "app/download/Fetch.h"

#include <atomic>
#include <cwchar>

#include "app/download/HttpResponse.h"
#include "app/download/WorkerPool.h"
#include "ui/ComObj.h"
#include "ui/SysUtils.h"

namespace download {

namespace {

// Whether `name` (any letter case) is a temporary file's: kTemporaryPrefix, one to eight hex
// digits (the system's temporary names of earlier versions have up to four), ".tmp". The
// search pattern alone would also match a long name through its short one.
bool IsTemporaryName(std::wstring_view name) {
  const std::wstring lower = ui::LowerCase(std::wstring(name));
  const std::wstring_view prefix = kTemporaryPrefix, suffix = L".tmp";
  if (lower.size() < prefix.size() + 1 + suffix.size() || lower.size() > prefix.size() + 8 + suffix.size() ||
      !lower.starts_with(prefix) || !lower.ends_with(suffix))
    return false;
  return lower.find_first_not_of(L"0123456789abcdef", prefix.size()) == lower.size() - suffix.size();
}

// A temporary file in the destination folder, open while the body arrives, and deleted when
// it goes unless it was moved. Its name is ours alone (kTemporaryPrefix, eight hex digits,
// ".tmp"), so that a later run can tell the leftovers of a killed one; it is open without
// sharing deletion, so that no such clean-up can remove it while it is in use. Any folder
// length is taken: the name is built here, never in a fixed buffer.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::wstring& folder) {
    static std::atomic<unsigned> counter{0};
    const unsigned seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
    for (int attempt = 0; attempt < 100 && file_ == INVALID_HANDLE_VALUE; ++attempt) {
      wchar_t name[32];
      std::swprintf(name, 32, L"%ls%08X.tmp", kTemporaryPrefix, seed + counter.fetch_add(1) * 40503u);
      std::wstring path = (folder.empty() ? L".\\" : folder) + name;
      file_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
      error_ = file_ == INVALID_HANDLE_VALUE ? GetLastError() : 0;
      if (file_ != INVALID_HANDLE_VALUE) path_ = path;
      else if (error_ != ERROR_FILE_EXISTS && error_ != ERROR_ALREADY_EXISTS) break;
    }
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
  // Empties the file for a new body; false when it cannot be.
  bool Empty() {
    LARGE_INTEGER zero{};
    return SetFilePointerEx(file_, zero, nullptr, FILE_BEGIN) && SetEndOfFile(file_);
  }
  // Up to `count` bytes from the start of the file.
  std::string Start(DWORD count) const {
    std::string bytes(count, '\0');
    DWORD got = 0;
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file_, zero, nullptr, FILE_BEGIN) || !ReadFile(file_, bytes.data(), count, &got, nullptr))
      got = 0;
    bytes.resize(got);
    return bytes;
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

// Why the address cannot be downloaded, if it cannot: it does not parse, names a host no
// host may be, or is not an http or https address (a file, a share, another protocol). Wine's
// binding reports an address it cannot parse only as a failed download, after its first step.
std::optional<TOutcome> AddressProblem(const std::wstring& url) {
  ui::TComPtr<IUri> parsed;
  if (FAILED(CreateUri(url.c_str(), Uri_CREATE_ALLOW_RELATIVE, 0, parsed.Put()))) return TOutcome::InvalidAddress();
  if (!IsWebAddress(url)) return TOutcome::NotWeb();
  if (MalformedHost(*parsed.Get())) return TOutcome::InvalidAddress();
  return std::nullopt;
}

// The address bound to a stream whose body the sink writes; answers how the binding ended.
HRESULT Bind(const std::wstring& url, TBindStatusCallback* sink, const TTransfer& transfer) {
  ui::TComPtr<IMoniker> moniker;
  HRESULT hr = CreateURLMoniker(nullptr, url.c_str(), moniker.Put());
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

// What arrived, when the service delivered the whole of it: nothing, or a web page (a
// server's error page sent with status 200) where an image or a font was asked for.
std::optional<TOutcome> BodyProblem(const TTemporaryFile& body, uint64_t received, const std::wstring& type) {
  if (received == 0) return TOutcome::Empty();
  if (IsWebPage(body.Start(512), type)) return TOutcome::WebPage();
  return std::nullopt;
}

// The end of one binding: how the download ended, or where the server redirected it.
struct THop {
  std::optional<TOutcome> ended;
  std::wstring redirect;
};

// `url` bound into the temporary file, emptied first. The binding ends at a redirect.
THop FetchOnce(const TDownloadJob& job, const std::wstring& url, TTemporaryFile& temporary) {
  if (!temporary.Empty()) return {TOutcome::Unwritable(GetLastError()), {}};
  auto* created = new TBindStatusCallback(job.ReportTo, job.Run, job.Transfer);
  created->AddRef();
  auto sink = ui::TComPtr<TBindStatusCallback>::Attach(created);
  sink->SetRow(job.Row);
  sink->SetBody(temporary.File());
  HRESULT hr = Bind(url, sink.Get(), *job.Transfer);
  sink->SetBody(nullptr);  // a late call of an abandoned binding writes nothing
  job.Transfer->Detach();
  if (std::optional<TOutcome> aborted = job.Transfer->AbortedAs()) return {*aborted, {}};
  if (!sink->RedirectedTo().empty()) return {std::nullopt, sink->RedirectedTo()};
  if (sink->WriteError()) return {TOutcome::Unwritable(sink->WriteError()), {}};
  TServiceResult service{hr, sink->Reached(), sink->ResponseCode(), sink->AnnouncedLength(), temporary.Size()};
  TOutcome outcome = ServiceOutcome(service);
  if (!outcome.IsCompleted()) return {outcome, {}};
  if (std::optional<TOutcome> problem = BodyProblem(temporary, *service.received, sink->ContentType()))
    return {*problem, {}};
  return {outcome, {}};
}

// The address a redirect from `base` to `location` (as the server wrote it) leads to;
// nothing when the two make no address.
std::optional<std::wstring> Redirected(const std::wstring& base, const std::wstring& location) {
  ui::TComPtr<IUri> baseUri, combined;
  if (FAILED(CreateUri(base.c_str(), Uri_CREATE_ALLOW_RELATIVE, 0, baseUri.Put())) ||
      FAILED(CoInternetCombineUrlEx(baseUri.Get(), location.c_str(), 0, combined.Put(), 0)))
    return std::nullopt;
  ui::TBStr absolute;
  if (FAILED(combined->GetAbsoluteUri(absolute.Put()))) return std::nullopt;
  return absolute.Str();
}

// The download into a temporary file, moved to the final name only when the binding ended
// with success, an answer that is not an error page and as many bytes as announced. Redirects
// are followed here, up to kMaxRedirects and only to http and https. Answers how it ended; an
// abort's reason outweighs whatever the aborted binding ended with.
TOutcome Fetch(const TDownloadJob& job) {
  if (job.Name.empty()) return TOutcome::InvalidAddress();
  if (std::optional<TOutcome> problem = AddressProblem(job.Url)) return *problem;
  if (std::optional<TOutcome> aborted = job.Transfer->AbortedAs()) return *aborted;
  TTemporaryFile temporary(job.Folder);
  if (!temporary.Valid()) return TOutcome::Unwritable(temporary.Error());
  std::wstring url = job.Url;
  for (int redirects = 0;; ++redirects) {
    THop hop = FetchOnce(job, url, temporary);
    if (hop.ended && !hop.ended->IsCompleted()) return *hop.ended;
    if (hop.ended) break;
    if (redirects == kMaxRedirects) return TOutcome::Redirects();
    std::optional<std::wstring> next = Redirected(url, hop.redirect);
    if (!next) return TOutcome::InvalidAddress();
    if (!IsWebAddress(*next)) return TOutcome::NotWeb(true);
    url = *next;
  }
  temporary.Close();
  TOutcome outcome = job.Transfer->Commit(temporary.Path(), job.Folder + job.Name);
  if (outcome.IsCompleted()) temporary.Forget();
  return outcome;
}

}  // namespace

void RemoveLeftovers(const std::wstring& folder) {
  std::wstring base = folder.empty() ? L".\\" : folder;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((base + kTemporaryPrefix + L"*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryName(found.cFileName))
      DeleteFileW((base + found.cFileName).c_str());  // fails, as it should, for a file in use
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void RunDownload(const TDownloadJob& job) {
  job.Transfer->SetOutcome(Fetch(job));
  PostMessageW(job.ReportTo, WM_DOWNLOADENDED, static_cast<WPARAM>(job.Run), job.Row);
}

}  // namespace download
