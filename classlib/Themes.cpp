#include "classlib/Themes.h"

namespace cl {

namespace {

bool g_disabled = false;

// NT above 5.0, asked of the system rather than of the manifest-dependent
// GetVersionEx.
bool SystemHasThemes() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto get = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                         reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                   : nullptr;
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  if (!get || get(&v) != 0) return false;
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         (v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion > 0));
}

template <typename F>
bool Take(HMODULE lib, const char* name, F& fn) {
  fn = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
  return fn != nullptr;
}

const TThemeApi* Load() {
  static TThemeApi api;
  if (!SystemHasThemes()) return nullptr;
  HMODULE lib = LoadLibraryA("uxtheme.dll");
  if (!lib) return nullptr;
  const bool all = Take(lib, "OpenThemeData", api.OpenThemeData) &&
                   Take(lib, "CloseThemeData", api.CloseThemeData) &&
                   Take(lib, "DrawThemeBackground", api.DrawThemeBackground) &&
                   Take(lib, "DrawThemeText", api.DrawThemeText) &&
                   Take(lib, "GetThemeTextExtent", api.GetThemeTextExtent) &&
                   Take(lib, "DrawThemeParentBackground", api.DrawThemeParentBackground) &&
                   Take(lib, "IsThemeActive", api.IsThemeActive) && Take(lib, "IsAppThemed", api.IsAppThemed);
  // The library stays loaded for the program's life.
  return all ? &api : nullptr;
}

}  // namespace

const TThemeApi* ThemeApi() {
  static const TThemeApi* api = Load();
  return g_disabled ? nullptr : api;
}

bool ThemedLookActive() {
  const TThemeApi* api = ThemeApi();
  return api && api->IsThemeActive() && api->IsAppThemed();
}

void SetThemeApiDisabled(bool disabled) { g_disabled = disabled; }

}  // namespace cl
