// A small HTTP/1.1 server on 127.0.0.1 for download tests, running in the test process on
// threads of its own. Each path answers with a status, a body and a way of sending it: at
// once, slowly, cut off, stalled, not at all, or by closing the connection unanswered. It
// shuts down promptly even while connections are stalled.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class HttpServer {
 public:
  struct Response {
    int status = 200;
    std::string body;
    bool chunked = false;       // Transfer-Encoding: chunked instead of Content-Length
    int delayMs = 0;            // wait before answering
    int chunkDelayMs = 0;       // wait between chunks of 1 KiB
    // Without chunks: the body goes in pieces of `pieceBytes` with `pieceDelayMs` between
    // them (0: all at once), so a slow server trickles.
    size_t pieceBytes = 0;
    int pieceDelayMs = 0;
    // After `endAfter` bytes of the body the answer stops: the connection is closed (a body
    // cut short) or stays open with nothing more sent (a stalled server).
    enum class End { Whole, Close, Stall };
    End end = End::Whole;
    size_t endAfter = 0;
    bool neverAnswers = false;  // the request is read and then nothing is ever sent
    bool closesAtOnce = false;  // the request is read and the connection closed unanswered
    std::string type = "application/octet-stream";  // Content-Type (files of a folder: by extension)
    // More header lines, each ending with CR LF ("Location: …" for a redirect).
    std::string headers{};
  };

  HttpServer();  // listens on an ephemeral port
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& path) const;
  void Serve(const std::string& path, Response response);
  // Paths without a route of their own are answered from this folder (a Windows path).
  void ServeFolder(const std::wstring& folder);
  // Paths requested so far, in order.
  std::vector<std::string> Requests() const;

  // A port on which nothing listens (connections are refused).
  static int RefusedPort();

 private:
  void AcceptLoop();
  void Handle(uintptr_t client);
  // Sends the answer (or as much of it as the response gives before it ends).
  void Answer(uintptr_t client, const Response& r);
  // Waits `ms` or until the server stops; answers false when it stops.
  bool Wait(int ms) const;

  uintptr_t listener_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  mutable std::mutex mutex_;
  std::map<std::string, Response> routes_;
  std::wstring folder_;
  std::vector<std::string> requests_;
  // The threads of the connections, each with whether it has ended; ended ones are joined
  // as new connections come, so that a long run does not keep thousands of them.
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended;
  };
  std::vector<Worker> workers_;
  std::vector<uintptr_t> open_;  // client connections being handled
  void* stopEvent_;              // set when the server stops: every wait ends
};

}  // namespace testsupport
