// Theme services: the functions of uxtheme.dll, taken by name when the
// system has them (Windows NT above 5.0), and the question whether the
// themed look is on. Every themed drawing step checks its result and falls
// back to plain painting; Wine starts with themes off.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace cl {

struct TThemeApi {
  HTHEME(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* CloseThemeData)(HTHEME) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeText)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
  HRESULT(WINAPI* GetThemeTextExtent)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;
  BOOL(WINAPI* IsThemeActive)() = nullptr;
  BOOL(WINAPI* IsAppThemed)() = nullptr;
};

// The loaded functions, or null when uxtheme.dll is not there (or the
// system is older than NT 5.1), or lacks one of them. Loaded once.
const TThemeApi* ThemeApi();

// True while the library is loaded and themes are on for this program;
// asked afresh at every call.
bool ThemedLookActive();

// For tests: pretend the library is missing (true) or use it again.
void SetThemeApiDisabled(bool disabled);

}  // namespace cl
