// The Unix path under which Wine keeps a Windows path, for tests that look
// at a file from the Unix side or name it through drive Z:.
#pragma once

#include <windows.h>

#include <string>

namespace qmtest {

// Empty when not run under Wine.
inline std::string UnixPath(const std::string& path) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto to_unix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!to_unix) return {};
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  char* unix_path = to_unix(wide);
  if (!unix_path) return {};
  std::string s = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return s;
}

}  // namespace qmtest
