// quillmarksetup: installs the suite from the folder it runs in, or, started
// with "/r", uninstalls it. It refuses to run beside a second copy of itself
// or beside either editor.
#include <windows.h>
#include "classlib/ComApartment.h"
#include "classlib/Dialogs.h"
#include "classlib/ProgramStart.h"
#include "setup/MainForm.h"
#include "setup/PackageFiles.h"
#include "setup/core/SetupNames.h"
#include "setup/core/SetupTexts.h"

namespace {

// A reason not to start, before any window.
void RefuseToStart(const std::string& text) {
  cl::ShowMessageBox(nullptr, text, qm::setup::kSetupTitle, MB_OK | MB_ICONERROR);
}

// True when the editor that owns the mutex runs; the user has been told.
bool EditorRuns(const char* mutex, const char* product) {
  // MUTEX_ALL_ACCESS, not inherited.
  HANDLE h = OpenMutexA(0x1F0001, FALSE, mutex);
  if (!h) return false;
  RefuseToStart(std::string(product) + qm::setup::kRunningSuffix);
  CloseHandle(h);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace qm::setup;
  // The shortcuts are shell objects; the folder browser needs COM too.
  const cl::TComApartment com;

  cl::TProgramStart start;
  start.Title = kSetupTitle;
  start.RestoreWithShowWindow = true;
  if (cl::AnotherCopyRuns(start)) return 0;
  if (EditorRuns(kHotspotMutex, kHotspotProduct) || EditorRuns(kEditorMutex, kEditorProduct))
    return kExitFailed;

  TSetupRun run;
  run.packageFolder = ProgramFolder();
  std::string missing;
  if (!ReadPackageVersions(run, missing)) {
    // A program with a malformed version ends the setup without a word.
    if (!missing.empty()) RefuseToStart(missing + kMissingFileSuffix);
    return kExitFailed;
  }
  cl::RunProgram(start, [&run]() -> cl::TForm* { return new TForm1(run); });
  return run.exitCode;
}
