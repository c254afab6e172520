// A small HTTP/1.1 server on 127.0.0.1 for download tests, running in the test process on
// threads of its own. Each path answers with a status, a body and a way of sending it.
#pragma once

#include <atomic>
#include <map>
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

  uintptr_t listener_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  mutable std::mutex mutex_;
  std::map<std::string, Response> routes_;
  std::wstring folder_;
  std::vector<std::string> requests_;
  std::vector<std::thread> workers_;
};

}  // namespace testsupport
