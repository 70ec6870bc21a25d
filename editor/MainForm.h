// The editor's main window: the contents tree on the left, the topic editor,
// the error pane below it, the toolbars in the dock bar and the status bar.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classlib/Action.h"
#include "classlib/FileDialogs.h"
#include "classlib/Form.h"
#include "classlib/ImageList.h"
#include "classlib/Menu.h"
#include "classlib/RichEdit.h"
#include "classlib/Splitter.h"
#include "classlib/StatusBar.h"
#include "classlib/ToolBar.h"
#include "classlib/TreeView.h"
#include "controls/TreeViewEx.h"
#include "core/IniSettings.h"
#include "editor/core/EditorSettings.h"
#include "editor/core/ProjectFiles.h"
#include "editor/core/ProjectModel.h"
#include "editor/core/TopicFootnotes.h"
#include "editor/core/TopicStash.h"

namespace qm::editor {

// The per-user settings key.
constexpr char kSettingsKey[] = "software\\tarvesk\\quillmark";
// The application title while no project is open. The spelling is the one a
// second start searches for: keep it as it is.
constexpr char kApplicationTitle[] = "Quillmerk";

class TMainForm : public cl::TForm, public ProjectFileUi {
 public:
  // settings: where the settings live (the registry key in the program,
  // another store in tests).
  explicit TMainForm(IniStore& settings);
  ~TMainForm() override;

  void FormCreate() override;
  bool FormCloseQuery() override;
  void FormDestroy() override;

  // Project model, owned for the life of the window.
  ProjectModel Project;
  EditorSettings Settings;
  RECT WorkArea{};
  HWND NextClipboardViewer = nullptr;

  // Components.
  cl::TMainMenu* MainMenu = nullptr;
  cl::TMenuItem* FileMenu = nullptr;
  cl::TMenuItem* EditMenu = nullptr;
  cl::TMenuItem* ViewMenuItem = nullptr;
  cl::TMenuItem* ToolMenu = nullptr;
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
  cl::TPopupMenu* ViewMenu = nullptr;
  controls::TTreeViewEx* ConTextView = nullptr;
  cl::TSplitter* Splitter1 = nullptr;
  cl::TRichEdit* Editor = nullptr;
  cl::TSplitter* Splitter2 = nullptr;
  cl::TRichEdit* ErrEdit = nullptr;
  cl::TStatusBar* StatusBar = nullptr;

  // Actions and menu items.
  cl::TMenuItem* FileNewItem = nullptr;
  cl::TAction* OpenA = nullptr;
  cl::TAction* SaveA = nullptr;
  cl::TAction* HelpMakeA = nullptr;
  cl::TAction* HelpOptionA = nullptr;
  cl::TAction* AddBookA = nullptr;
  cl::TAction* AddCntA = nullptr;
  cl::TAction* AddHideA = nullptr;
  cl::TAction* AddHelpA = nullptr;
  cl::TAction* DelCntA = nullptr;
  cl::TAction* PrjBarV = nullptr;
  cl::TAction* ContextBarV = nullptr;
  cl::TAction* TopicBarV = nullptr;
  cl::TAction* AttrBarV = nullptr;
  cl::TAction* EditBarV = nullptr;
  cl::TMenuItem* ErrView = nullptr;
  cl::TMenuItem* HelpView = nullptr;
  cl::TMenuItem* Backup1 = nullptr;
  cl::TMenuItem* FindID = nullptr;
  cl::TMenuItem* HcwH1 = nullptr;
  cl::TMenuItem* ZonivexS1 = nullptr;
  cl::TMenuItem* ExitItem = nullptr;

  // Toolbar places.
  void LoadToolBarState(IniSettings& reg, cl::TToolBar* bar);
  void SaveToolBarState(IniSettings& reg, cl::TToolBar* bar);
  cl::TToolBar* ToolBarByName(const std::string& name) const;

  // Project commands (ProjectCommands.cpp).
  cl::TOpenDialog* OpenDialog = nullptr;
  cl::TSaveDialog* SaveDialog = nullptr;
  void FileNew(cl::TComponent* sender);
  void OpenAExecute(cl::TComponent* sender);
  void SaveAExecute(cl::TComponent* sender);
  void RecentProjectClick(cl::TComponent* sender);
  void PushRecentProject();
  void RebuildRecentMenu();
  // Enables the six commands that need an open project.
  void EnableProjectActions();

  // What reading and writing the project files shows (ProjectView.cpp).
  void BeginWait() override;
  void EndWait() override;
  void SetProjectCaption(const std::string& caption, const std::string& app_title) override;
  void ContentsResetting() override;
  void ProjectWasReset() override;
  void ContentsRebuilt() override;
  void ProjectRead() override;
  void ShowNoContents() override;
  // Rebuilds the tree view's items from the project's contents tree.
  void RebuildContentsView();
  // The contents node that a tree view item shows.
  ContentsNode* NodeOfItem(cl::TTreeNode item) const;

  // The open topic (TopicCommands.cpp).
  void ClearTopicEditor();
  void LoadTopic();
  void SaveTopic();
  // What the editor pane cannot hold of the open topic, set aside.
  TopicStash OpenTopicStash;

  // ---- Contents tree editing and topic status (ContentsCommands.cpp) ----
  // Sets up the tree's events, the contents actions and their menus.
  void WireContentsCommands();
  void ShowTopicStatus(const std::string& id);
  void UpdateContentsActions();
  void ConTextViewClick(cl::TComponent* sender);
  void ConTextViewChange(cl::TComponent* sender);
  void ConTextViewExpanded(cl::TTreeNode item);
  void ConTextViewCollapsed(cl::TTreeNode item);
  void ConTextViewEditing(cl::TTreeNode item, bool& allow);
  void ConTextViewEdited(cl::TTreeNode item, std::string& text);
  void ConTextViewDragOver(cl::TControl* source, int x, int y, bool& accept);
  void ConTextViewDragDrop(cl::TControl* source, int x, int y);
  void EditorDragOver(cl::TControl* source, int x, int y, bool& accept);
  // The add and delete commands; the sender's Tag (or its action's) chooses
  // the placement.
  void AddBookAExecute(cl::TComponent* sender);
  void AddCntAExecute(cl::TComponent* sender);
  void AddHideAExecute(cl::TComponent* sender);
  void DelCntAExecute(cl::TComponent* sender);
  void BookMenuPopup(cl::TPopupMenu* sender);
  void TopicInsMenuPopup(cl::TPopupMenu* sender);
  // The drop-down buttons of ContextBar and their position menus.
  cl::TToolButton* AddBookButton = nullptr;
  cl::TToolButton* AddCntButton = nullptr;
  cl::TToolButton* AddHelpButton = nullptr;
  cl::TPopupMenu* BookMenu = nullptr;
  cl::TMenuItem* BookInsUpMenu = nullptr;
  cl::TMenuItem* BookInsDnMenu = nullptr;
  cl::TMenuItem* BookInsLDnMenu = nullptr;
  cl::TPopupMenu* TopicInsMenu = nullptr;
  cl::TMenuItem* TopicInsUpMenu = nullptr;
  cl::TMenuItem* TopicInsDnMenu = nullptr;
  cl::TMenuItem* TopicInsTopMenu = nullptr;
  cl::TPopupMenu* OtherInsMenu = nullptr;
  cl::TMenuItem* OtherUpMenu = nullptr;
  cl::TMenuItem* OtherDownMenu = nullptr;
  cl::TMenuItem* OtherTopMenu = nullptr;
  // The topic editor as a drop target.
  controls::TDropHandler* EditorDrop = nullptr;
  // The commands that work on the open topic: enabled while a topic is open
  // (ShowTopicStatus). The commands of the topic editor add themselves here.
  std::vector<cl::TAction*> TopicCommandActions;
  std::vector<cl::TMenuItem*> TopicCommandItems;
  // Whether they were last enabled; empty before the first ShowTopicStatus.
  std::optional<bool> TopicCommandsEnabled;
  // The tree view after the contents tree changed: a new node's item, a
  // moved node's items (expansion kept), or a node's item going.
  void InsertContentsItem(ContentsNode* node);
  void MoveContentsItems(ContentsNode* node);
  // ---- end of contents tree editing ----

  // ---- Compile and the error log (CompileCommands.cpp) ----
  // Sets up the compile, error-log, help and program commands.
  void WireCompileCommands();
  // Saves, runs the help compiler on the project, shows the help file and
  // the error log.
  void HelpMakeAExecute(cl::TComponent* sender);
  // Replaces the error pane's text by the lines of a file.
  void LoadErrorLog(const std::string& path);
  void ErrViewClick(cl::TComponent* sender);
  void HelpViewClick(cl::TComponent* sender);
  // Selects and opens the contents node of a topic id; warn: report a miss.
  void GoToTopicId(const std::string& id, bool warn);
  void FindIDClick(cl::TComponent* sender);
  void ErrEditSelectionChange(cl::TComponent* sender);
  // Starts Help Workshop (sender's Tag 0) or the hotspot graphics editor (1).
  void ProgExecute(cl::TComponent* sender);
  // True while the window waits for the help compiler.
  bool CompilerRunning() const { return compiler_running_; }
  // The commands that would leave the project or start another compile or
  // backup call this first: while the compiler runs it says why they must
  // wait and returns true.
  bool RefuseWhileCompiling();
  // The help viewer call (WinHelpA); tests put another in its place.
  std::function<BOOL(HWND, const std::string&, UINT, ULONG_PTR)> WinHelpCall;

 private:
  friend class CompilerWait;
  bool compiler_running_ = false;
  bool close_deferred_ = false;
  bool loading_error_log_ = false;
  // The layout steps that show the error pane under the editor.
  void ShowErrorPane();
  // Starts a program (flags 0x20, the editor's environment); folder empty:
  // the editor's current folder. Reports a failure naming the program.
  // process receives the handles (to wait for), or they are closed at once.
  bool StartProgram(const std::string& program, const std::string& command_line,
                    const std::string& folder, bool folder_not_set, PROCESS_INFORMATION* process);

 public:
  // ---- end of compile and the error log ----

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::unique_ptr<cl::TWaitCursor> wait_;
  void CreateComponents();
  void CreateMenus();
  void CreateToolBars();
  void ReadSettings();
  void WriteSettings();
  IniStore& settings_store_;
};

}  // namespace qm::editor
