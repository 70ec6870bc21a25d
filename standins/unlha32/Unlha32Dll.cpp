// unlha32.dll: the archiver library the editor's backup calls. One entry,
// Unlha(owner window, command line, output buffer, its size); 0 is success.
// No window is shown: the owner window is not used.
#include <windows.h>

#include <cstring>
#include <string>

#include "core/Cp932.h"
#include "standins/unlha32/core/ArchiveUpdate.h"

// 64-bit builds export the name as it stands; 32-bit builds map it onto the
// decorated stdcall name through unlha32.def.
#ifdef _WIN64
#define UNLHA_EXPORT extern "C" __declspec(dllexport)
#else
#define UNLHA_EXPORT extern "C"
#endif

UNLHA_EXPORT int WINAPI Unlha(HWND /*owner*/, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
  std::string report;
  int rc;
  try {
    rc = qm::lzh::RunUnlha(commandLine ? commandLine : "", report);
  } catch (...) {  // nothing may leave the library
    rc = qm::lzh::kUnlhaCannotWrite;
    report = "internal error\r\n";
  }
  // The report goes out cut to the buffer (never inside a double-byte
  // character), closed by a zero byte; a buffer of size 0 is not touched.
  if (output != nullptr && outputSize > 0) {
    const std::string text = qm::CutBytes(report, outputSize - 1);
    std::memcpy(output, text.data(), text.size());
    output[text.size()] = '\0';
  }
  return rc;
}
