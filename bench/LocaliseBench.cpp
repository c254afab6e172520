// The command line on a big sheet, side by side in one run against one loopback site:
//   localise_bench.exe PACKAGE_ROOT SHEET
// serves PACKAGE_ROOT (a Windows path) on 127.0.0.1 and localises SHEET (its path inside the
// package, with "/", say css/flag-icon.css), each time into a fresh copy of the sheet:
// vexlo.exe on an empty sheet (what starting the program costs); then three rounds of
// vexlo.exe with --jobs 8 and the standard downloader (wget2 -p -k, a Linux program that Wine
// starts) in turn; then vexlo.exe with the window's pacing. It prints the times, the medians
// of the rounds and their ratios, and checks that every image each run fetched has the bytes
// of the package's file. Exit status 0 when every image arrived whole in every run, every run
// ended with status 0 and the median of --jobs 8 took at most three times as long as the
// standard downloader's.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "BuiltProgram.h"
#include "HttpServer.h"
#include "QuietProcess.h"
#include "ui/SysUtils.h"

namespace {

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_EXE); }

std::string ReadAll(const std::wstring& path) {
  std::ifstream f(std::filesystem::path(path), std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Starts a program in `folder` with its output thrown away and answers the seconds until it
// ended, or -1.
double Timed(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder, DWORD* status) {
  double seconds = -1;
  if (!testsupport::RunQuietly(program, arguments, folder, *status, seconds))
    std::fprintf(stderr, "cannot start %s (error %lu)\n", ui::Utf8(program).c_str(), GetLastError());
  return seconds;
}

// wget2 -p -k, started through Wine as a Linux program. Wine does not wait for a Linux
// program, so a shell around it measures its time and writes it, with its exit status, to a
// file in `folder` when it has ended. Answers the seconds, or -1.
double TimedStandardDownloader(const std::wstring& url, const std::wstring& folder, DWORD* status) {
  std::wstring script = L"s=$(date +%s%N); wget2 -q -p -k -nH --no-robots " + url +
                        L"; r=$?; echo $(( ($(date +%s%N) - s) / 1000 )) $r > .t && mv .t wget2.time";
  DWORD shell = 0;
  if (Timed(L"Z:\\bin\\sh", L"-c \"" + script + L"\"", folder, &shell) < 0) return -1;
  std::wstring result = folder + L"wget2.time";
  for (int waited = 0; !Exists(result); waited += 5) {
    if (waited > 600000) return -1;
    Sleep(5);
  }
  std::istringstream in(ReadAll(result));
  long long micro = -1;
  in >> micro >> *status;
  DeleteFileW(result.c_str());
  return micro < 0 ? -1 : micro / 1e6;
}

// The path of a full address on the site, with its "." and ".." segments resolved.
std::string SitePath(const std::string& address) {
  size_t host = address.find("//");
  size_t slash = address.find('/', host == std::string::npos ? 0 : host + 2);
  std::string path = slash == std::string::npos ? "/" : address.substr(slash);
  std::vector<std::string> parts;
  std::stringstream in(path.substr(1, path.find_first_of("?#") - 1));
  for (std::string part; std::getline(in, part, '/');) {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (part != ".") {
      parts.push_back(part);
    }
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  return out;
}

std::wstring Windows(const std::string& sitePath) {
  std::wstring path = ui::Widen(sitePath.substr(1));
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// The middle one of the times (a time of -1, a run that could not start, counts as longest).
double Median(std::vector<double> times) {
  if (times.empty()) return -1;
  for (double& t : times)
    if (t < 0) t = std::numeric_limits<double>::infinity();
  std::sort(times.begin(), times.end());
  const double middle = times[times.size() / 2];
  return std::isinf(middle) ? -1 : middle;
}

struct Check {
  int images = 0;
  int whole = 0;
};

// The image lines of a report: sheet, row, found, full address, result, file (line ends cut).
std::vector<std::vector<std::string>> ImageLines(const std::wstring& report) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream text(ReadAll(report));
  for (std::string line; std::getline(text, line);) {
    std::vector<std::string> fields;
    std::istringstream in(line.substr(0, line.find('\r')));
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (fields.size() >= 5) lines.push_back(fields);  // not a summary line
  }
  return lines;
}

// The images the report says completed: each file beside the sheet has the package's bytes.
Check CheckReport(const std::wstring& report, const std::wstring& sheetFolder, const std::wstring& root) {
  Check check;
  for (const auto& fields : ImageLines(report)) {
    ++check.images;
    if (fields[4] != "完成" || fields.size() < 6) continue;
    std::string expected = ReadAll(root + Windows(SitePath(fields[3])));
    check.whole += !expected.empty() && ReadAll(sheetFolder + ui::Widen(fields[5])) == expected;
  }
  return check;
}

// The images of the sheet's addresses as the standard downloader saved them: at their paths
// on the site, under its folder, with the package's bytes.
Check CheckMirror(const std::wstring& report, const std::wstring& mirror, const std::wstring& root) {
  Check check;
  for (const auto& fields : ImageLines(report)) {
    ++check.images;
    std::wstring path = Windows(SitePath(fields[3]));
    std::string expected = ReadAll(root + path);
    check.whole += !expected.empty() && Exists(mirror + path) && ReadAll(mirror + path) == expected;
  }
  return check;
}

std::wstring FreshFolder(const std::wstring& base, const wchar_t* name, const std::wstring& sheet,
                         const std::string& bytes) {
  std::wstring folder = base + name + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (size_t slash = sheet.find(L'\\'); slash != std::wstring::npos; slash = sheet.find(L'\\', slash + 1))
    CreateDirectoryW((folder + sheet.substr(0, slash)).c_str(), nullptr);
  std::ofstream(std::filesystem::path(folder + sheet), std::ios::binary) << bytes;
  return folder;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: localise_bench PACKAGE_ROOT SHEET\n");
    return 2;
  }
  std::wstring root = argv[1];
  if (!root.ends_with(L'\\')) root += L'\\';
  std::string sheetUrl = ui::Utf8(argv[2]);
  std::wstring sheet = Windows("/" + sheetUrl);
  std::string bytes = ReadAll(root + sheet);
  testsupport::HttpServer server;
  server.ServeFolder(root);
  std::wstring site = ui::Widen(server.Url(""));

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = std::wstring(temp) + L"vexlo-localise-bench-" + std::to_wstring(GetTickCount()) + L"\\";
  CreateDirectoryW(base.c_str(), nullptr);
  std::wstring sheetFolder = sheet.substr(0, sheet.find_last_of(L'\\') + 1);
  const std::wstring vexlo = ProgramPath();
  const std::wstring command = L"--localise " + sheet + L" --site " + site + L" --quiet --report report.txt";

  // --jobs 8 and the standard downloader take turns, three rounds each, each into a fresh
  // folder; their medians are compared, so that one slow round of either decides nothing.
  constexpr int kRounds = 3;
  std::wstring empty = FreshFolder(base, L"empty", sheet, "");
  DWORD status = 0;
  double startup = Timed(vexlo, command, empty, &status);
  std::vector<double> fastTimes, standardTimes;
  bool whole = true, exitedWell = status == 0;
  Check fastCheck;
  for (int round = 1; round <= kRounds; ++round) {
    const std::wstring n = std::to_wstring(round);
    std::wstring jobs = FreshFolder(base, (L"jobs8-" + n).c_str(), sheet, bytes);
    std::wstring mirror = base + L"wget2-" + n + L"\\";
    CreateDirectoryW(mirror.c_str(), nullptr);
    DWORD fastStatus = 0, standardStatus = 0;
    fastTimes.push_back(Timed(vexlo, command + L" --jobs 8", jobs, &fastStatus));
    standardTimes.push_back(TimedStandardDownloader(site + L"/" + ui::Widen(sheetUrl), mirror, &standardStatus));
    fastCheck = CheckReport(jobs + L"report.txt", jobs + sheetFolder, root);
    Check mirrorCheck = CheckMirror(jobs + L"report.txt", mirror, root);
    std::printf("round %d: vexlo --jobs 8 %.2f s (exit %lu, %d of %d images whole), wget2 -p -k %.2f s (exit %lu, %d of %d)\n",
                round, fastTimes.back(), fastStatus, fastCheck.whole, fastCheck.images, standardTimes.back(),
                standardStatus, mirrorCheck.whole, mirrorCheck.images);
    whole = whole && fastCheck.images > 0 && fastCheck.whole == fastCheck.images && mirrorCheck.whole == mirrorCheck.images;
    exitedWell = exitedWell && fastStatus == 0 && standardStatus == 0;
  }
  std::wstring paced = FreshFolder(base, L"paced", sheet, bytes);
  DWORD pacedStatus = 0;
  double slow = Timed(vexlo, command, paced, &pacedStatus);
  Check slowCheck = CheckReport(paced + L"report.txt", paced + sheetFolder, root);
  whole = whole && slowCheck.whole == slowCheck.images && slowCheck.images == fastCheck.images;
  exitedWell = exitedWell && pacedStatus == 0;

  const double fast = Median(fastTimes), standard = Median(standardTimes);
  std::printf("sheet: %s, %d images, served from 127.0.0.1\n", sheetUrl.c_str(), fastCheck.images);
  std::printf("vexlo --jobs 8:        %7.2f s  (median of %d)\n", fast, kRounds);
  std::printf("vexlo, window pacing:  %7.2f s  (exit %lu, %d of %d images whole)\n", slow, pacedStatus, slowCheck.whole,
              slowCheck.images);
  std::printf("wget2 -p -k:           %7.2f s  (median of %d)\n", standard, kRounds);
  std::printf("vexlo start-up alone:  %7.2f s  (an empty sheet, exit %lu)\n", startup, status);
  const double allowed = 3.0;
  bool inTime = fast > 0 && standard > 0 && fast <= allowed * standard;
  if (fast > 0 && standard > 0) {
    std::printf("--jobs 8 / wget2:      %7.2f x  (%.0f x allowed%s)\n", fast / standard, allowed,
                inTime ? "" : ": TOO SLOW");
    std::printf("pacing / --jobs 8:     %7.2f x\n", slow / fast);
    std::printf("--jobs 8 less start-up / wget2: %.2f x\n", (fast - startup) / standard);
  }
  std::printf("folder: %s\n", ui::Utf8(base).c_str());
  if (!whole) std::printf("some images did not arrive whole\n");
  if (!exitedWell) std::printf("some run did not end with exit status 0\n");
  return whole && exitedWell && inTime ? 0 : 1;
}
