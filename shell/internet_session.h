// The program's root WinINet handle, opened at start-up; null when the
// system has no Internet support. The web exchange and the downloads use it.
#pragma once
#include <windows.h>
#include <wininet.h>

HINTERNET InternetSession();
// Opens the session (agent "Zavotra", direct connections, no proxy); false
// when InternetOpenA failed.
bool OpenInternetSession();
void CloseInternetSession();
