#include "CrashReport.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

#ifdef _WIN32
namespace {

const char* AccessKind(ULONG_PTR kind) {
  switch (kind) {
    case 0: return "reading";
    case 1: return "writing";
    case 8: return "executing";
    default: return "accessing";
  }
}

// Runs on the crashing thread, possibly with the C library's locks held: it formats into a
// local buffer and writes with the system call only.
LONG WINAPI ReportAndEnd(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& r = *info->ExceptionRecord;
  char text[256];
  int n = std::snprintf(text, sizeof text,
                        "\n*** Crash: exception 0x%08lX at address %p on thread %lu",
                        static_cast<unsigned long>(r.ExceptionCode), r.ExceptionAddress,
                        static_cast<unsigned long>(GetCurrentThreadId()));
  if (r.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && r.NumberParameters >= 2 && n > 0) {
    n += std::snprintf(text + n, sizeof text - static_cast<unsigned>(n), " (%s address %p)",
                       AccessKind(r.ExceptionInformation[0]),
                       reinterpret_cast<void*>(r.ExceptionInformation[1]));
  }
  if (n > 0) {
    n += std::snprintf(text + n, sizeof text - static_cast<unsigned>(n),
                       "; the test process ends here.\n");
  }
  DWORD written = 0;
  if (n > 0) WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(n), &written, nullptr);
  TerminateProcess(GetCurrentProcess(), r.ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

#endif

void EndProcessOnCrash() {
  // A crashing process writes nothing it still holds in a buffer.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
#ifdef _WIN32
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(ReportAndEnd);
#endif
}

}  // namespace testsupport
