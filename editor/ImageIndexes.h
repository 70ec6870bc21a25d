// Indexes into the editor's menu and toolbar image strip (res/images.bmp).
#pragma once

namespace qm::editor {

enum ImageIndex {
  kImgNew, kImgOpen, kImgSave, kImgCompile, kImgViewHelp, kImgErrorLog, kImgBackup,
  kImgHelpOptions, kImgAddBook, kImgAddTopic, kImgAddHidden, kImgAddExternal, kImgDelete,
  kImgCut, kImgCopy, kImgPaste, kImgUndo, kImgBold, kImgItalic, kImgUnderline, kImgAlignLeft,
  kImgCenter, kImgAlignRight, kImgBullets, kImgLink, kImgFindId, kImgTopicInfo, kImgZonivex,
  kImgHcw,
  // 41-49: the line and line-style buttons' pictures.
  // The colour menu's swatches, in the colour table's order; then the text
  // colour button.
  kImgColorFirst = 50,
  kImgTextColor = kImgColorFirst + 16,
  kImgComponentHelp,
};

}  // namespace qm::editor
