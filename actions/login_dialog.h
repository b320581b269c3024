// The modal dialog that asks for the login and password of a web service
// before its action runs, when the credential table does not hold them.
#pragma once
#include <windows.h>

class ZWebService;

// Lists the services that need a login, the action's selected; shows the
// first stored pair of the chosen service's credential key. On OK the
// chosen service becomes the action's, its key's entry becomes the one pair
// typed, and the credential table is saved. True for OK.
bool ShowLoginDialog(HWND owner, ZWebService& action);
