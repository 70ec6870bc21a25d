// Indexes into the editor's menu and toolbar image strip (res/images.bmp).
#pragma once

namespace qm::editor {

enum ImageIndex {
  kImgNew, kImgOpen, kImgSave, kImgCompile, kImgViewHelp, kImgErrorLog, kImgBackup,
  kImgHelpOptions, kImgAddBook, kImgAddTopic, kImgAddHidden, kImgAddExternal, kImgDelete,
  kImgCut, kImgCopy, kImgPaste, kImgUndo, kImgBold, kImgItalic, kImgUnderline, kImgAlignLeft,
  kImgCenter, kImgAlignRight, kImgBullets, kImgLink, kImgFindId, kImgTopicInfo, kImgZonivex,
  kImgHcw,
};

}  // namespace qm::editor
