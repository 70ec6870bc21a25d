// The window of the hotspot graphics editor: the hotspot list on the left,
// the picture in a scroll box with the hotspot rectangles over it, the
// toolbar and the status line.
//
// Each hotspot is kept three times in the same order: row i of HsList,
// shape i of TrkShapeManager1 and hotspot i of the document. Between a
// load and a save the row (name, mode, context, frame flag) and the shape
// (the rectangle) hold the current values; a save copies them into the
// document.
#pragma once

#include <memory>
#include <string>

#include "classlib/Action.h"
#include "classlib/FileDialogs.h"
#include "classlib/Form.h"
#include "classlib/Image.h"
#include "classlib/ImageList.h"
#include "classlib/ListView.h"
#include "classlib/ScrollBox.h"
#include "classlib/Splitter.h"
#include "classlib/StatusBar.h"
#include "classlib/ToolBar.h"
#include "core/IniSettings.h"
#include "hotspot/TrkShape.h"
#include "hotspot/core/Shg.h"
#include "hotspot/core/ZonivexGeometry.h"
#include "hotspot/core/ZonivexSettings.h"

namespace qm::zonivex {

// The application title; a second start searches for it.
constexpr char kApplicationTitle[] = "Zonivex";
constexpr char kMutexName[] = "Tarvesk_Zonivexor";

// Messages, all with the caption "Zonivex".
constexpr char kAskSaveChanges[] = "変更があります。保存しますか?";
constexpr char kReadFailed[] = "読み込みに失敗しました";
constexpr char kAskOverwrite[] = "上書きしてもよろしいですか?";
constexpr char kWriteFailed[] = "書き込みに失敗しました";

class TForm1 : public cl::TForm {
 public:
  // settings: where the settings section lives (the registry key in the
  // program, a store in memory in tests).
  explicit TForm1(IniStore& settings);
  ~TForm1() override;

  void FormCreate() override;
  bool FormCloseQuery() override;
  void FormDestroy() override;

  // Components.
  cl::TActionList* ActionList1 = nullptr;
  cl::TImageList* ImageList1 = nullptr;  // toolbar images of older systems
  cl::TImageList* ImageList2 = nullptr;  // toolbar images
  cl::TImageList* ImageList3 = nullptr;  // the same, disabled
  cl::TControlBar* ControlBar1 = nullptr;
  cl::TToolBar* ToolBar1 = nullptr;
  cl::TAction* CloseBtn = nullptr;
  cl::TAction* LoadBtn = nullptr;
  cl::TAction* SaveBtn = nullptr;
  cl::TAction* DelBtn = nullptr;
  cl::TAction* PropBtn = nullptr;
  cl::TAction* ToolButton3 = nullptr;  // the defaults
  cl::TAction* AboutBtn = nullptr;
  cl::TStatusBar* StatusBar1 = nullptr;
  cl::TListView* HsList = nullptr;
  cl::TSplitter* Splitter1 = nullptr;
  cl::TScrollBox* ScrollBox1 = nullptr;
  cl::TImage* Image1 = nullptr;
  hotspot::TTrkShapeManager* TrkShapeManager1 = nullptr;
  cl::TOpenDialog* OpenDialog1 = nullptr;
  cl::TSaveDialog* SaveDialog1 = nullptr;

  // State.
  int BandStartX = 0, BandStartY = 0;  // Image1 coordinates
  int BandX = 0, BandY = 0;
  bool BandActive = false;
  bool PictureLoaded = false;
  // The current file; at start the start-up folder followed by "\x", so
  // that the dialogs open in that folder.
  std::string FileName;
  hotspot::TShg Shg;  // the document
  int DefaultMode = 1;
  bool DefaultFrameShown = false;
  bool Modified = false;
  hotspot::ZonivexSettings Settings;
  hotspot::TWorkArea WorkArea;

  // ---- Files (ZonivexFileCommands.cpp) ----
  void LoadBtnClick(cl::TComponent* sender);
  void SaveBtnClick(cl::TComponent* sender);
  // Opens a picture or .shg file as the document; false (after the
  // message) when it could not be read.
  bool OpenDocument(const std::string& path);
  // Adds the hotspots of another .shg file to the document.
  bool ImportHotspots(const std::string& path);
  // Writes the document under FileName; false (after the message) when
  // that failed.
  bool WriteDocument();
  // Saves as the save button does; false when the author cancelled the
  // dialog or declined to write over a file, or the write failed.
  bool SaveDocument();
  // With unsaved changes, asks whether to save them: true when the open or
  // close may go on (saved, or "No"); false when the save did not happen
  // or the question was dismissed.
  bool SaveChangesIfWanted();

  // ---- Hotspots (ZonivexHotspotCommands.cpp) ----
  void AddHotspotItem(int x, int y, int w, int h, const std::string& name, const std::string& context,
                      int mode, bool frameShown, bool select, bool addToDocument);
  void Image1MouseDown(int button, cl::TShiftState shift, int x, int y);
  void Image1MouseMove(cl::TShiftState shift, int x, int y);
  void Image1MouseUp(int button, cl::TShiftState shift, int x, int y);
  void HsListClick();
  // The list's own selection changed (a click or the arrow keys).
  void HsListSelectItem(bool selected);
  void HsListDblClick();
  void TrkShapeManager1Selected(hotspot::TTrkShape* shape);
  void TrkShapeManager1MoveEnd(hotspot::TTrkShape* shape);
  void TrkShapeManager1DblClick(hotspot::TTrkShape* shape);
  void DelBtnClick(cl::TComponent* sender);
  void PropBtnClick(cl::TComponent* sender) { EditAttributes(); }
  void ToolButton3Click(cl::TComponent* sender);
  void EditAttributes();
  // The status line for row i (with its shape's rectangle).
  void ShowStatus(int row);
  // Enables Delete and Attributes while there are rows.
  void UpdateHotspotButtons();

  // ---- The topic-id exchange (ZonivexExchange.cpp) ----
  // Puts a context's topic id on the clipboard and tells the help editor.
  void SendContextToEditor(const std::string& context);
  // The application's message hook.
  void MessageProc(MSG& msg, bool& handled);

  // ---- Start and close (ZonivexForm.cpp) ----
  void CloseBtnClick(cl::TComponent* sender) { Close(); }
  void AboutBtnClick(cl::TComponent* sender);
  // The picture's size in pixels (0 x 0 when none).
  int ImageWidth() const;
  int ImageHeight() const;

 private:
  void CreateComponents();
  void ReadSettings();
  void WriteSettings();
  // Empties the picture, the list and the shapes.
  void ClearDocumentView();
  void SetCaptionForFile();
  // Draws the rubber band (inverting) between its start and (x, y).
  void DrawBand(int x, int y);
  // Puts a shape's picture rectangle into the fixed-image bounds.
  void UpdateFixedImage();
  // Selects a row from the program's side (the list's notification is then
  // left to the caller).
  void SelectRow(cl::TListItem* row);
  // Repaints the list and the picture whole after the splitter moved.
  void RepaintAfterSplit();
  IniStore& settings_store_;
  bool selectingRow_ = false;
};

}  // namespace qm::zonivex
