// Ends a test process at once when it crashes, after saying where.
#pragma once

namespace testsupport {

// On Windows: from now on an unhandled exception on any thread prints its code and address
// to the standard error and ends the process with the exception code, instead of handing
// the crash to a debugger that waits. The standard output is made unbuffered so that
// everything printed before the crash is already written. Elsewhere it does nothing: the
// sanitizers and the system report crashes there.
void EndProcessOnCrash();

}  // namespace testsupport
