// The Help menu (the program's help, Help Workshop's help, the about box)
// and the program options on the View menu.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "editor/CommandGroup.h"

namespace qm::editor {

class THelpMenuCommands : public TCommandGroup {
 public:
  explicit THelpMenuCommands(TMainForm& form);

  cl::TMenuItem* Option1 = nullptr;
  cl::TMenuItem* HelpMenu = nullptr;
  cl::TMenuItem* HelpContentsItem = nullptr;
  cl::TMenuItem* HelpSearchItem = nullptr;
  cl::TMenuItem* HelpAboutItem = nullptr;

  // Edits the Help Workshop folder, the default topic font and the
  // title-copy switch; Cancel changes nothing.
  void Option1Click(cl::TComponent* sender);
  // The program's own help file, at its contents.
  void HelpContents(cl::TComponent* sender);
  // Help Workshop's help file in its folder.
  void HelpSearch(cl::TComponent* sender);
  void HelpAbout(cl::TComponent* sender);
  // The about box, centred on the mouse cursor, shown modally.
  void ShowAboutBox();

  // The help viewer call (WinHelpA); tests put another in its place.
  std::function<BOOL(HWND, const std::string&, UINT, ULONG_PTR)> WinHelpCall;
};

}  // namespace qm::editor
