// Calls unlha32.dll once, for scripts: the DLL's path is the first argument,
// the command line is taken from the environment variable UNLHA_LINE (so that
// its quotes reach the library as they are). Prints the report; the exit code
// is the library's result.
#include <windows.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) return 100;
  HMODULE dll = LoadLibraryA(argv[1]);
  if (!dll) return 101;
  using UnlhaProc = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
  auto unlha = reinterpret_cast<UnlhaProc>(reinterpret_cast<void*>(GetProcAddress(dll, "Unlha")));
  if (!unlha) return 102;
  std::vector<char> line(32768);
  if (GetEnvironmentVariableA("UNLHA_LINE", line.data(), static_cast<DWORD>(line.size())) == 0) return 103;
  std::vector<char> report(65536);
  const int rc = unlha(nullptr, line.data(), report.data(), static_cast<DWORD>(report.size()));
  std::fputs(report.data(), stdout);
  FreeLibrary(dll);
  return rc;
}
