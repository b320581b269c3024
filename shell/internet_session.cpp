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
  Session().reset(InternetOpenA("Zavotra", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  return static_cast<bool>(Session());
}

void CloseInternetSession() { Session().reset(); }
