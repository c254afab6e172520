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

// The values on the crashing thread's stack that point into the program's own code: the
// return addresses of the calls that led to the crash (a crash inside a system library has
// no other trace of our code). `nm` of the executable maps them to functions.
void WriteProgramAddressesOnStack(const CONTEXT& context) {
#if defined(_M_IX86) || defined(__i386__)
  const auto base = reinterpret_cast<ULONG_PTR>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + static_cast<ULONG_PTR>(dos->e_lfanew));
  const ULONG_PTR end = base + nt->OptionalHeader.SizeOfImage;
  const auto* stack = reinterpret_cast<const ULONG_PTR*>(context.Esp);
  MEMORY_BASIC_INFORMATION region{};
  if (!VirtualQuery(stack, &region, sizeof region)) return;
  const auto* top = reinterpret_cast<const ULONG_PTR*>(static_cast<const char*>(region.BaseAddress) +
                                                       region.RegionSize);
  char text[512];
  int n = std::snprintf(text, sizeof text, "*** Program addresses on the stack (image at %p):",
                        reinterpret_cast<void*>(base));
  for (int found = 0; stack < top && found < 24 && n > 0 && n < 480; ++stack) {
    if (*stack > base + 0x1000 && *stack < end) {
      n += std::snprintf(text + n, sizeof text - static_cast<unsigned>(n), " %08lx",
                         static_cast<unsigned long>(*stack));
      ++found;
    }
  }
  if (n <= 0) return;
  n += std::snprintf(text + n, sizeof text - static_cast<unsigned>(n), "\n");
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(n), &written, nullptr);
#else
  (void)context;
#endif
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
  WriteProgramAddressesOnStack(*info->ContextRecord);
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
