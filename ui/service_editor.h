// The service editor (dialog 209): a new web-service action gets a symbol
// from the symbol library and a web site chosen by type and country from
// the web service list.
#pragma once
#include <windows.h>

class ZWebService;

// Edits `action` in place: its symbol and its service id. True for OK,
// which the dialog allows only once both are chosen.
bool RunServiceEditor(HWND owner, ZWebService& action);
