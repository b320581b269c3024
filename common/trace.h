// Diagnostic trace for development: the formatted text (at most 2047
// characters) becomes the title of the first top-level window of class
// "Notepad"; nothing happens when none is open.
#pragma once
#include <stdio.h>  // the runtime's printf format family

void DiagnosticTrace(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)));
