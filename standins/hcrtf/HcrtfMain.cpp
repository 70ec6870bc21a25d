// hcrtf.exe: the help compiler stand-in. No window and no console; its only
// output is the error log in the project folder.
#include <windows.h>

#include "standins/hcrtf/core/Compiler.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return qm::hcrtf::RunHcrtf(qm::hcrtf::SkipProgramName(GetCommandLineA()));
}
