// A program run to its end with its output thrown away, for checks and benchmarks that start
// vexlo.exe and read what it wrote to its files.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Runs `program` with `arguments` in `folder`, its output and error output going nowhere,
// and waits for it to end. Answers false when it could not start; else `status` holds its
// exit status and `seconds` the time from its start to its end.
bool RunQuietly(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder, DWORD& status,
                double& seconds);

}  // namespace testsupport
