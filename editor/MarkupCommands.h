// Markup without a dialog: keep, end and topic-id markup (Insert menu), the
// line and border-style markup (Insert menu and the TopicBar's two drop-down
// buttons, which remember the last choice), the non-scrolling flag (Format
// menu, F10) and the line shortcuts Ctrl+Y, Ctrl+U and Ctrl+K, items of a
// main-menu item that is never shown.
#pragma once

#include <string_view>

#include "editor/CommandGroup.h"

namespace qm::editor {

class TMarkupCommands : public TCommandGroup {
 public:
  explicit TMarkupCommands(TMainForm& form);

  cl::TAction* keepA = nullptr;
  cl::TAction* EndA = nullptr;
  cl::TAction* TopicIdA = nullptr;
  cl::TAction* NoScrollA = nullptr;
  // The Insert menu's sub-menus of line and style choices.
  cl::TMenuItem* LineItem = nullptr;
  cl::TMenuItem* LineStyleItem = nullptr;
  // The drop-down buttons; each one's Tag is the remembered choice, its
  // action carries its image and enabling.
  cl::TToolButton* LineButton = nullptr;
  cl::TToolButton* StyleButton = nullptr;
  cl::TAction* LineButtonA = nullptr;
  cl::TAction* StyleButtonA = nullptr;
  cl::TPopupMenu* LineMenu = nullptr;
  cl::TPopupMenu* StyleMenu = nullptr;
  // The three items of the menu that is never shown.
  cl::TMenuItem* ctrlY1 = nullptr;
  cl::TMenuItem* ctrlU1 = nullptr;
  cl::TMenuItem* ctrlK1 = nullptr;

  // A line or style choice from a menu item (choice >= 0) or the button
  // itself (choice < 0, the remembered one): remember it and insert it.
  void SetLine(int choice);
  void SetStyle(int choice);
  void keepAExecute();
  void EndAExecute();
  void TopicIdAExecute();
  void NoScrollAExecute();
  void ctrlY1Click();
  void ctrlU1Click();
  void ctrlK1Click();
  // NoScrollA's check after the open topic changed.
  void ShowNoScroll();

 private:
  // Replaces the editor's selection, unless no topic is open.
  void Insert(std::string_view markup);
  // Selects a range of the editor and deletes it.
  void Delete(long start, long length);
};

}  // namespace qm::editor
