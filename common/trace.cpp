#include "common/trace.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

void DiagnosticTrace(const char* format, ...) {
  HWND notepad = FindWindowA("Notepad", nullptr);
  if (!notepad) return;
  char text[2048];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  // A hung Notepad must not hang the program that traces.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(notepad, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &ignored);
}
