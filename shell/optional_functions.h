// System functions that older Windows versions lack, looked up once when the
// program is loaded. An entry is null when its library or function is
// missing: every caller checks before calling.
#pragma once
#include <windows.h>

struct ZOptionalFunctions {
  using IsValidLanguageGroupFn = BOOL(WINAPI*)(LGRPID, DWORD);
  using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
  using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
  using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
  using GetWindowModuleFileNameFn = UINT(WINAPI*)(HWND, LPSTR, UINT);
  using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

  IsValidLanguageGroupFn isValidLanguageGroup = nullptr;
  GetMonitorInfoFn getMonitorInfo = nullptr;
  MonitorFromPointFn monitorFromPoint = nullptr;
  MonitorFromRectFn monitorFromRect = nullptr;
  SetLayeredWindowAttributesFn setLayeredWindowAttributes = nullptr;
  UpdateLayeredWindowFn updateLayeredWindow = nullptr;
  GetWindowModuleFileNameFn getWindowModuleFileName = nullptr;
  AlphaBlendFn alphaBlend = nullptr;
};

// The table, filled before the entry point runs.
const ZOptionalFunctions& OptionalFunctions();
