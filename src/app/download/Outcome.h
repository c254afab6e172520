// Why a download ended as it did, and the short text a failed row shows for it.
//
// The worker finds the outcome from what the download service's call left behind
// (TServiceResult) or from its own file handling; the window shows ReasonText.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace download {

// Browsers give up after about this many redirects of one request; so does a download.
constexpr int kMaxRedirects = 20;

class TOutcome {
 public:
  enum class Kind {
    Completed,       // the whole image is in place
    HttpError,       // the server answered with an error status (Code)
    Stalled,         // no progress within the stall limit: aborted by the watchdog
    Refused,         // the connection was refused
    Closed,          // the connection was closed or reset before any answer
    Cut,             // the body ended early: Received of Announced bytes
    Unwritable,      // the file could not be written or moved to its name (Code: system error)
    InvalidAddress,  // an address the service rejects, or one that names no file
    Aborted,         // stopped because the user started again or closed the window
    Failed,          // any other failure of the service (Code: its HRESULT)
    NotWeb,          // not an http or https address (Code 1: a redirect led there)
    Redirects,       // more redirects than kMaxRedirects
    TooLong,         // still running after the download's time limit: aborted by the watchdog
    HostNotFound,    // the server's name could not be resolved
    Certificate,     // the server's certificate is not trusted
    WebPage,         // a web page arrived where an image or a font was asked for
    Empty,           // the server answered with an empty body
  };

  static TOutcome Completed() { return TOutcome(Kind::Completed); }
  static TOutcome HttpError(uint32_t status) { return TOutcome(Kind::HttpError, status); }
  static TOutcome Stalled() { return TOutcome(Kind::Stalled); }
  static TOutcome Refused() { return TOutcome(Kind::Refused); }
  static TOutcome Closed() { return TOutcome(Kind::Closed); }
  static TOutcome Cut(uint64_t received, uint64_t announced) { return TOutcome(Kind::Cut, 0, received, announced); }
  static TOutcome Unwritable(DWORD systemError) { return TOutcome(Kind::Unwritable, systemError); }
  static TOutcome InvalidAddress() { return TOutcome(Kind::InvalidAddress); }
  static TOutcome Aborted() { return TOutcome(Kind::Aborted); }
  static TOutcome Failed(HRESULT result) { return TOutcome(Kind::Failed, static_cast<uint32_t>(result)); }
  static TOutcome NotWeb(bool redirected = false) { return TOutcome(Kind::NotWeb, redirected ? 1 : 0); }
  static TOutcome Redirects() { return TOutcome(Kind::Redirects); }
  static TOutcome TooLong() { return TOutcome(Kind::TooLong); }
  static TOutcome HostNotFound() { return TOutcome(Kind::HostNotFound); }
  static TOutcome Certificate() { return TOutcome(Kind::Certificate); }
  static TOutcome WebPage() { return TOutcome(Kind::WebPage); }
  static TOutcome Empty() { return TOutcome(Kind::Empty); }

  Kind What() const { return kind_; }
  bool IsCompleted() const { return kind_ == Kind::Completed; }
  uint32_t Code() const { return code_; }
  uint64_t Received() const { return received_; }
  uint64_t Announced() const { return announced_; }
  bool operator==(const TOutcome&) const = default;

 private:
  explicit TOutcome(Kind kind, uint32_t code = 0, uint64_t received = 0, uint64_t announced = 0)
      : kind_(kind), code_(code), received_(received), announced_(announced) {}
  Kind kind_;
  uint32_t code_;
  uint64_t received_;
  uint64_t announced_;
};

// What the service's call left: its result, how far the connection got by the service's
// reports of progress, the answer's status (0: none) and announced length, and the bytes in
// the file (nothing: no file).
struct TServiceResult {
  enum class Step { None, Resolving, Connecting, Requested };
  HRESULT result = S_OK;
  Step reached = Step::None;
  DWORD status = 0;
  std::optional<uint64_t> announced;
  std::optional<uint64_t> received;
};

// The outcome of a call that was not aborted.
TOutcome ServiceOutcome(const TServiceResult& service);

// The "进度" cell of a failed row: the important word first, numbers kept. Empty for a
// completed download.
std::wstring ReasonText(const TOutcome& outcome);

}  // namespace download
