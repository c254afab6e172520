#include "app/download/Outcome.h"

#include <urlmon.h>

#include <cwchar>

#include "ui/SysUtils.h"

namespace download {
namespace {

// A failed call. Wine's service ends most network failures with INET_E_DOWNLOAD_FAILURE
// (a refused connection, one closed before the answer, an address it cannot connect to), so
// how far its reports of progress got tells them apart: no step at all means it could not
// use the address.
TOutcome FailedCall(const TServiceResult& s) {
  switch (s.result) {
    case E_INVALIDARG:             // Wine: a port out of range
    case MK_E_SYNTAX:              // Wine: a scheme no protocol handles
    case INET_E_INVALID_URL:
    case INET_E_UNKNOWN_PROTOCOL:
      return TOutcome::InvalidAddress();
    case INET_E_CONNECTION_TIMEOUT:
      return TOutcome::Stalled();
    case INET_E_INVALID_CERTIFICATE:
    case INET_E_SECURITY_PROBLEM:
      return TOutcome::Certificate();
    case INET_E_RESOURCE_NOT_FOUND:  // the name did not resolve
      return TOutcome::HostNotFound();
    default:
      break;
  }
  if (s.status != 0 && s.announced && s.received && *s.received < *s.announced)
    return TOutcome::Cut(*s.received, *s.announced);
  if (HRESULT_FACILITY(s.result) == FACILITY_INTERNET) {
    if (s.reached == TServiceResult::Step::Requested) return TOutcome::Closed();
    if (s.reached == TServiceResult::Step::Connecting) return TOutcome::Refused();
    if (s.reached == TServiceResult::Step::Resolving) return TOutcome::HostNotFound();
    if (s.reached == TServiceResult::Step::None) return TOutcome::InvalidAddress();
  }
  return TOutcome::Failed(s.result);
}

}  // namespace

TOutcome ServiceOutcome(const TServiceResult& s) {
  // Wine: the call itself succeeds. A redirect that reaches here was not followed.
  if (s.status >= 300) return TOutcome::HttpError(s.status);
  if (FAILED(s.result)) return FailedCall(s);
  if (!s.received) return TOutcome::Unwritable(ERROR_FILE_NOT_FOUND);  // the file went away
  // Wine: a connection closed before any answer ends the call with success and no bytes.
  if (s.status == 0 && s.reached == TServiceResult::Step::Requested && *s.received == 0) return TOutcome::Closed();
  if (s.announced && *s.announced != *s.received) return TOutcome::Cut(*s.received, *s.announced);
  return TOutcome::Completed();
}

std::wstring ReasonText(const TOutcome& o) {
  switch (o.What()) {
    case TOutcome::Kind::Completed: return L"";
    case TOutcome::Kind::HttpError: return L"服务器返回 " + std::to_wstring(o.Code());
    case TOutcome::Kind::Stalled: return L"超时无响应";
    case TOutcome::Kind::Refused: return L"连接被拒绝";
    case TOutcome::Kind::Closed: return L"连接被关闭";
    case TOutcome::Kind::Cut:
      if (o.Received() > o.Announced())
        return L"长度不符：收到 " + std::to_wstring(o.Received()) + L" 字节，服务器声明 " + std::to_wstring(o.Announced()) +
               L" 字节";
      return L"不完整：" + std::to_wstring(o.Received()) + L"/" + std::to_wstring(o.Announced()) + L" 字节";
    case TOutcome::Kind::Unwritable: return L"无法写入：" + ui::SysErrorMessage(o.Code());
    case TOutcome::Kind::InvalidAddress: return L"网址无效";
    case TOutcome::Kind::Aborted: return L"已取消";
    case TOutcome::Kind::NotWeb:
      return o.Code() ? L"重定向到了非 http/https 网址，未下载" : L"不是 http/https 网址，未下载";
    case TOutcome::Kind::Redirects: return L"重定向次数过多";
    case TOutcome::Kind::TooLong: return L"下载时间过长";
    case TOutcome::Kind::HostNotFound: return L"找不到服务器";
    case TOutcome::Kind::Certificate: return L"证书无效";
    case TOutcome::Kind::WebPage: return L"服务器返回的是网页，不是图片";
    case TOutcome::Kind::Empty: return L"服务器返回的内容为空";
    case TOutcome::Kind::Failed: break;
  }
  wchar_t code[16];
  std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(o.Code()));
  return L"下载失败 (" + std::wstring(code) + L")";
}

}  // namespace download
