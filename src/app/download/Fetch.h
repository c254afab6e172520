// One download on a worker thread: the address through the platform's URL moniker service
// into a temporary file in the destination folder, moved to its final name only when the
// service ended with success, an answer that is not an error page and the whole body;
// anything else leaves no file.
#pragma once

#include "app/download/BindStatusCallback.h"

namespace download {

// An aborted binding whose end the service has not reported after this long is given up.
constexpr DWORD kAbortGraceMs = 2000;

// Runs the download on the calling thread, which must have initialised COM and handle no
// other binding at the same time. Leaves the outcome in the job's transfer and posts
// WM_DOWNLOADENDED when it has ended.
void RunDownload(const TDownloadJob& job);

}  // namespace download
