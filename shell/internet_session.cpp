#include "shell/internet_session.h"

#include "shell/scoped_handle.h"

namespace {
ZInternetHandle& Session() {
  static ZInternetHandle session;
  return session;
}
}  // namespace

HINTERNET InternetSession() { return Session().get(); }

bool OpenInternetSession() {
  // Only the exchanges with the web service use the session, and they go
  // straight to the service's host: a proxy of the system's settings (Wine
  // takes http_proxy even for loopback addresses) never stands between.
  Session().reset(InternetOpenA("Zavotra", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  return static_cast<bool>(Session());
}

void CloseInternetSession() { Session().reset(); }
