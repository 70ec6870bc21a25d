#include "editor/BackupCommands.h"

#include "editor/ImageIndexes.h"

namespace qm::editor {

TBackupCommands::TBackupCommands(TMainForm& form) : TCommandGroup(form) {
  Backup1 = Form.ToolProjectPlace.Add("バックアップ(&B)", "Backup1", kImgBackup);
  Backup1->SetEnabled(false);
  Form.ProjectOpenCommands.Items.push_back(Backup1);
}

}  // namespace qm::editor
