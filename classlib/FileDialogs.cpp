#include "classlib/FileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "core/Cp932.h"

namespace cl {

namespace {
FileDialogHook& Hook() {
  static FileDialogHook hook;
  return hook;
}
}  // namespace

void SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

TFileDialog::TFileDialog(TComponent* owner, bool save) : TComponent(owner), save_(save) {}

bool TFileDialog::Execute(HWND owner) {
  if (Hook()) return Hook()(*this);
  // The filter's "|" separators become NULs, with a double NUL at the end.
  std::string filter;
  for (const std::string& part : qm::SplitAtChar(Filter, '|')) {
    filter += part;
    filter += '\0';
  }
  filter += '\0';
  std::vector<char> file(4096, '\0');
  FileName.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (FileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (OverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  BOOL ok = save_ ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace cl
