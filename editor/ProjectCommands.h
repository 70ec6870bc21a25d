// The File menu's project commands: New, Open, Save and the recent
// projects, and what reading and writing the project files show in the
// window (the hourglass, the captions, the contents tree view).
#pragma once

#include <memory>
#include <string>

#include "classlib/Control.h"
#include "classlib/FileDialogs.h"
#include "editor/CommandGroup.h"
#include "editor/core/ProjectFiles.h"

namespace qm::editor {

class TProjectCommands : public TCommandGroup, public ProjectFileUi {
 public:
  explicit TProjectCommands(TMainForm& form);

  cl::TMenuItem* FileNewItem = nullptr;
  cl::TAction* OpenA = nullptr;
  cl::TAction* SaveA = nullptr;
  cl::TOpenDialog* OpenDialog = nullptr;
  cl::TSaveDialog* SaveDialog = nullptr;

  void FileNew(cl::TComponent* sender);
  void OpenAExecute(cl::TComponent* sender);
  // Saves the open topic when it was changed and the project files when the
  // project was; raises what those saves raise.
  void SaveAExecute(cl::TComponent* sender);
  void RecentProjectClick(cl::TComponent* sender);
  // Puts the open project at the front of the recent projects.
  void PushRecentProject();
  void RebuildRecentMenu();
  // Enables the commands that need an open project.
  void EnableProjectActions();

  void FormCreated() override;
  void SaveBeforeClose() override;

  // What reading and writing the project files show.
  void BeginWait() override;
  void EndWait() override;
  void SetProjectCaption(const std::string& caption, const std::string& app_title) override;
  void ContentsResetting() override;
  void ProjectWasReset() override;
  void ContentsRebuilt() override;
  void ProjectRead() override;
  void ShowNoContents() override;

 private:
  // Reads the project at path after saving the open one.
  void OpenProject(const std::string& path);
  std::unique_ptr<cl::TWaitCursor> wait_;
};

}  // namespace qm::editor
