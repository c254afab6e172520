// Ends a test process at once when it crashes, after saying where.
#pragma once

namespace testsupport {

// Makes the standard output unbuffered, so that everything printed before a crash is already
// written. On Windows, from now on an unhandled exception on any thread also prints its code
// and address to the standard error and ends the process with the exception code, instead of
// handing the crash to a debugger that waits. Elsewhere the sanitizers and the system report
// crashes.
void EndProcessOnCrash();

}  // namespace testsupport
