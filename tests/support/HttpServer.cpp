#include "HttpServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <stdexcept>

namespace testsupport {
namespace {

struct WinsockInit {
  WinsockInit() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
};

void SendAll(SOCKET s, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    int n = send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

std::string StatusText(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

SOCKET Listen(int& port) {
  static WinsockInit init;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(s, 64) != 0)
    throw std::runtime_error("cannot listen on 127.0.0.1");
  int len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  port = ntohs(addr.sin_port);
  return s;
}

}  // namespace

HttpServer::HttpServer() : stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  listener_ = Listen(port_);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

HttpServer::~HttpServer() {
  stopping_ = true;
  SetEvent(stopEvent_);
  closesocket(static_cast<SOCKET>(listener_));
  acceptor_.join();
  {
    // Connections whose client still waits are ended, so that their handlers return.
    std::lock_guard lock(mutex_);
    for (uintptr_t client : open_) shutdown(static_cast<SOCKET>(client), SD_BOTH);
  }
  for (Worker& w : workers_) w.thread.join();
  CloseHandle(stopEvent_);
}

bool HttpServer::Wait(int ms) const { return WaitForSingleObject(stopEvent_, static_cast<DWORD>(ms)) == WAIT_TIMEOUT; }

std::string HttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void HttpServer::Serve(const std::string& path, Response response) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(response);
}

void HttpServer::ServeFolder(const std::wstring& folder) {
  std::lock_guard lock(mutex_);
  folder_ = folder;
}

namespace {

// The content type a browser expects for a file of the site: style sheets, pages and images.
std::string TypeOf(const std::string& path) {
  static const std::pair<const char*, const char*> types[] = {
      {".css", "text/css"}, {".html", "text/html"}, {".htm", "text/html"}, {".svg", "image/svg+xml"},
      {".png", "image/png"}, {".gif", "image/gif"}, {".jpg", "image/jpeg"}};
  for (auto [extension, type] : types)
    if (path.ends_with(extension)) return type;
  return "application/octet-stream";
}

// The file under `folder` that a request path names, or nothing when it would leave it.
bool ReadFromFolder(const std::wstring& folder, const std::string& path, std::string& body) {
  if (folder.empty() || path.find("..") != std::string::npos) return false;
  std::wstring file = folder;
  for (char c : path) file += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char buf[65536];
  DWORD got = 0;
  body.clear();
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) body.append(buf, got);
  CloseHandle(h);
  return true;
}

}  // namespace

std::vector<std::string> HttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

int HttpServer::RefusedPort() {
  int port = 0;
  SOCKET s = Listen(port);
  closesocket(s);  // nothing listens there any more
  return port;
}

void HttpServer::AcceptLoop() {
  while (!stopping_) {
    SOCKET client = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    std::lock_guard lock(mutex_);
    if (stopping_) {
      closesocket(client);
      return;
    }
    open_.push_back(client);
    std::erase_if(workers_, [](Worker& w) {
      if (!*w.ended) return false;
      w.thread.join();
      return true;
    });
    auto ended = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({std::thread([this, client, ended] {
                          Handle(client);
                          *ended = true;
                        }),
                        ended});
  }
}

void HttpServer::Handle(uintptr_t handle) {
  SOCKET client = static_cast<SOCKET>(handle);
  std::string request;
  char buf[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    int n = recv(client, buf, sizeof buf, 0);
    if (n <= 0) break;
    request.append(buf, static_cast<size_t>(n));
  }
  size_t sp1 = request.find(' '), sp2 = request.find(' ', sp1 + 1);
  std::string path = sp1 != std::string::npos && sp2 != std::string::npos ? request.substr(sp1 + 1, sp2 - sp1 - 1) : "";
  Response r;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(path);
    std::string file = path.substr(0, path.find('?'));  // the query does not choose the file
    auto it = routes_.find(file);
    if (it != routes_.end()) r = it->second;
    else if (ReadFromFolder(folder_, file, r.body)) r.type = TypeOf(file);
    else r = Response{404, "not found"};
  }
  if (!r.delayMs || Wait(r.delayMs)) Answer(client, r);
  // A cut body too ends with the connection closed in order, as when the server's process goes
  // away. (A reset instead is not always reported by Wine's service: the download then ends
  // only at the stall limit, as a stall.)
  shutdown(client, SD_SEND);
  while (recv(client, buf, sizeof buf, 0) > 0) {
  }
  std::lock_guard lock(mutex_);
  std::erase(open_, handle);
  closesocket(client);
}

void HttpServer::Answer(uintptr_t handle, const Response& r) {
  SOCKET client = static_cast<SOCKET>(handle);
  if (r.neverAnswers) {
    Wait(INFINITE);
    return;
  }
  if (r.closesAtOnce) return;
  std::string head = "HTTP/1.1 " + std::to_string(r.status) + " " + StatusText(r.status) +
                     "\r\nContent-Type: " + r.type + "\r\nConnection: close\r\n" + r.headers;
  if (r.chunked) {
    SendAll(client, head + "Transfer-Encoding: chunked\r\n\r\n");
    for (size_t at = 0; at < r.body.size(); at += 1024) {
      std::string piece = r.body.substr(at, 1024);
      char size[16];
      wsprintfA(size, "%x\r\n", static_cast<unsigned>(piece.size()));
      SendAll(client, size + piece + "\r\n");
      if (r.chunkDelayMs && !Wait(r.chunkDelayMs)) return;
    }
    SendAll(client, "0\r\n\r\n");
    return;
  }
  SendAll(client, head + "Content-Length: " + std::to_string(r.body.size()) + "\r\n\r\n");
  size_t length = r.end == Response::End::Whole ? r.body.size() : std::min(r.endAfter, r.body.size());
  size_t piece = r.pieceBytes ? r.pieceBytes : length;
  for (size_t at = 0; at < length; at += piece) {
    if (at > 0 && r.pieceDelayMs && !Wait(r.pieceDelayMs)) return;
    SendAll(client, r.body.substr(at, std::min(piece, length - at)));
  }
  if (r.end == Response::End::Stall) Wait(INFINITE);
}

}  // namespace testsupport
