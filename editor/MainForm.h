// The editor's main window: the contents tree on the left, the topic editor,
// the error pane below it, the toolbars in the dock bar, the status bar, the
// menus' skeleton, the project model and the settings. The commands live in
// command groups (CommandGroup.h), one class each, which the window creates
// in a fixed order and tells of its life.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Action.h"
#include "classlib/Form.h"
#include "classlib/ImageList.h"
#include "classlib/Menu.h"
#include "classlib/Panel.h"
#include "classlib/RichEdit.h"
#include "classlib/Splitter.h"
#include "classlib/StatusBar.h"
#include "classlib/ToolBar.h"
#include "controls/RichEditEx.h"
#include "controls/TreeViewEx.h"
#include "core/IniSettings.h"
#include "editor/core/EditorSettings.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

class TCommandGroup;
class TProjectCommands;
class TContentsCommands;
class TTopicCommands;
class TCompileCommands;

// The per-user settings key.
constexpr char kSettingsKey[] = "software\\tarvesk\\quillmark";
// The application title while no project is open. The misspelling is the
// one a second start searches for: keep it as it is.
constexpr char kApplicationTitle[] = "Quillmerk";

// A place in one of the skeleton's menus where command groups put their
// items, in the order the groups are created: before End (a separator or a
// fixed item of the skeleton), or at the menu's end when End is null.
struct TMenuPlace {
  cl::TMenuItem* Menu = nullptr;
  cl::TMenuItem* End = nullptr;

  // An item linked to the action.
  cl::TMenuItem* Add(cl::TAction* action) const;
  // An item of its own; name and image_index are left out when empty or -1.
  cl::TMenuItem* Add(const std::string& caption, const std::string& name = "", int image_index = -1,
                     cl::TShortCut shortcut = 0) const;

 private:
  cl::TMenuItem* Place(cl::TMenuItem* item) const;
};

// Actions and menu items that are enabled and disabled together; command
// groups add theirs.
struct TCommandSet {
  std::vector<cl::TAction*> Actions;
  std::vector<cl::TMenuItem*> Items;
  std::vector<cl::TControl*> Controls;
  void SetEnabled(bool on) const;
};

class TMainForm : public cl::TForm {
 public:
  // settings: where the settings live (the registry key in the program,
  // another store in tests).
  explicit TMainForm(IniStore& settings);
  ~TMainForm() override;

  void FormCreate() override;
  bool FormCloseQuery() override;
  void FormDestroy() override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // Project model and program settings, for the life of the window.
  ProjectModel Project;
  EditorSettings Settings;
  RECT WorkArea{};
  HWND NextClipboardViewer = nullptr;

  // Components.
  cl::TActionList* ActionList1 = nullptr;
  cl::TImageList* ImageList1 = nullptr;  // contents tree kinds
  cl::TImageList* ImageList4 = nullptr;  // menu and toolbar images
  cl::TImageList* ImageList5 = nullptr;  // the same, disabled
  cl::TControlBar* ControlBar1 = nullptr;
  cl::TToolBar* PrjBar = nullptr;
  cl::TToolBar* EditBar = nullptr;
  cl::TToolBar* AttrBar = nullptr;
  cl::TToolBar* ContextBar = nullptr;
  cl::TToolBar* TopicBar = nullptr;
  cl::TPopupMenu* ViewMenu = nullptr;  // of the dock bar and of every toolbar
  controls::TTreeViewEx* ConTextView = nullptr;
  cl::TSplitter* Splitter1 = nullptr;
  cl::TPanel* EditorPane = nullptr;  // the ruler above the editor
  controls::TRichEditEx* Editor = nullptr;
  cl::TSplitter* Splitter2 = nullptr;
  controls::TRichEditEx* ErrEdit = nullptr;
  cl::TStatusBar* StatusBar = nullptr;

  // The menus' skeleton and the places the command groups fill:
  //   File:  project | contents | (recent projects) Exit
  //   Edit:   undo and the clipboard | finding | the topic
  //   View:   the toolbars, then one place
  //   Insert: table and pictures | links | fixed markup
  //   Format: one place
  //   Tools:  compile | the project's options and backup | other programs
  //   Hidden: items reached only by their shortcuts (never shown)
  cl::TMainMenu* MainMenu = nullptr;
  cl::TMenuItem* FileMenu = nullptr;
  cl::TMenuItem* EditMenu = nullptr;
  cl::TMenuItem* ViewMenuItem = nullptr;
  cl::TMenuItem* InsertMenu = nullptr;
  cl::TMenuItem* FormatMenu = nullptr;
  cl::TMenuItem* ToolMenu = nullptr;
  cl::TMenuItem* HiddenMenu = nullptr;  // "隠し", never visible
  cl::TMenuItem* ExitItem = nullptr;
  TMenuPlace FileProjectPlace;
  TMenuPlace FileContentsPlace;
  TMenuPlace EditClipPlace;
  TMenuPlace EditFindPlace;
  TMenuPlace EditPlace;
  TMenuPlace ViewPlace;
  TMenuPlace InsertObjectPlace;
  TMenuPlace InsertLinkPlace;
  TMenuPlace InsertMarkupPlace;
  TMenuPlace FormatPlace;
  TMenuPlace ToolCompilePlace;
  TMenuPlace ToolProjectPlace;
  TMenuPlace ToolProgramPlace;
  TMenuPlace HiddenPlace;

  // Toolbar visibility, on the View menu and ViewMenu; the Tag names the bar.
  cl::TAction* PrjBarV = nullptr;
  cl::TAction* ContextBarV = nullptr;
  cl::TAction* TopicBarV = nullptr;
  cl::TAction* AttrBarV = nullptr;
  cl::TAction* EditBarV = nullptr;

  // The commands that need an open project: creating or opening one enables
  // them, nothing disables them again.
  TCommandSet ProjectOpenCommands;
  // The commands that work on the open topic: enabled while a topic is open
  // (ShowTopicStatus).
  TCommandSet TopicOpenCommands;

  // Toolbar places in the settings.
  void LoadToolBarState(IniSettings& reg, cl::TToolBar* bar);
  void SaveToolBarState(IniSettings& reg, cl::TToolBar* bar);
  cl::TToolBar* ToolBarByName(const std::string& name) const;

  // The command groups that the others call on, created in this order.
  TProjectCommands* ProjectCmds = nullptr;
  TContentsCommands* ContentsCmds = nullptr;
  TTopicCommands* TopicCmds = nullptr;
  TCompileCommands* CompileCmds = nullptr;
  // Any group by its class.
  template <class G>
  G& Group() const {
    for (const auto& g : groups_)
      if (auto* found = dynamic_cast<G*>(g.get())) return *found;
    throw std::logic_error("No such command group");
  }

 private:
  // Creates a group after those before it; it is told of the window's life
  // in this order.
  template <class G>
  G* AddGroup() {
    auto group = std::make_unique<G>(*this);
    G* g = group.get();
    groups_.push_back(std::move(group));
    return g;
  }
  void CreateComponents();
  void CreateMenus();
  void CreateToolBars();
  void CreateGroups();
  void ReadSettings();
  void WriteSettings();

  std::vector<std::unique_ptr<TCommandGroup>> groups_;
  IniStore& settings_store_;
};

}  // namespace qm::editor
