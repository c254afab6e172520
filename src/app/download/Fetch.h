// One download on a worker thread: the address through the platform's URL moniker service
// into a temporary file in the destination folder, moved to its final name only when the
// service ended with success, an answer that is not an error page and the whole body;
// anything else leaves no file.
#pragma once

#include <string>
#include <string_view>

#include "app/download/BindStatusCallback.h"

namespace download {

// An aborted binding whose end the service has not reported after this long is given up.
constexpr DWORD kAbortGraceMs = 2000;

// The temporary files of downloads are named kTemporaryPrefix, hex digits, ".tmp".
inline constexpr const wchar_t* kTemporaryPrefix = L"vx";
// Removes the temporary files that downloads killed with their program left in `folder` (with
// its trailing separator): only names of our own, and only files no download holds open.
void RemoveLeftovers(const std::wstring& folder);

// Runs the download on the calling thread, which must have initialised COM and handle no
// other binding at the same time. Leaves the outcome in the job's transfer and posts
// WM_DOWNLOADENDED when it has ended.
void RunDownload(const TDownloadJob& job);

}  // namespace download
