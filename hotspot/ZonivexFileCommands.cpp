// Opening a picture or .shg file, importing the hotspots of another file,
// and saving the document.
#include <exception>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/GraphicControl.h"
#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "hotspot/ShgGraphic.h"
#include "hotspot/ZonivexForm.h"

namespace qm::zonivex {

using namespace cl;

namespace {

constexpr char kOpenFilter[] =
    "ファイル|*.shg;*.bmp;*.wmf;*.emf|shgファイル|*.shg|画像ファイル|*.bmp|メタファイル|*.wmf;*.emf";
constexpr char kHotspotFilter[] = "|ホットスポット|*.shg";
constexpr int kHotspotFilterIndex = 5;

int Ask(const char* text) {
  return ShowMessageBox(Application().DialogOwner(), text, kApplicationTitle, MB_YESNO | MB_ICONWARNING);
}

// Runs add, which adds rows and shapes, with the list and the picture drawn
// once at the end, on every way out: a list view drawn as each row comes
// takes ever longer for the next one, and each shape would ask for a
// repaint of its own.
template <typename F>
void DrawnOnce(cl::TListView& list, cl::TControl* picture, F add) {
  struct TRowsHeld {
    cl::TListView& list;
    explicit TRowsHeld(cl::TListView& l) : list(l) { list.BeginUpdate(); }
    ~TRowsHeld() { list.EndUpdate(); }
  } rows(list);
  cl::TGraphicUpdate shapes(picture);
  add();
}

void Tell(const char* text) {
  ShowMessageBox(Application().DialogOwner(), text, kApplicationTitle, MB_OK | MB_ICONWARNING);
}

// The picture shown: a bitmap as stored; a metafile drawn on a bitmap, so
// that the rubber band can be drawn on it like on any other picture.
std::unique_ptr<TGraphic> PictureOf(const hotspot::TShg& shg) {
  if (shg.pictureType != hotspot::kShgTypeMetafile) return hotspot::ToClassGraphic(shg);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetHandle(hotspot::ToGraphic(shg));
  return bitmap;
}

}  // namespace

void TForm1::LoadBtnClick(TComponent*) {
  if (!SaveChangesIfWanted()) return;
  OpenDialog1->Filter = std::string(kOpenFilter) + (PictureLoaded ? kHotspotFilter : "");
  OpenDialog1->InitialDir = ExtractFileDir(FileName);
  OpenDialog1->FileName.clear();
  OpenDialog1->FilterIndex = 1;
  if (!OpenDialog1->Execute(Handle())) return;
  if (PictureLoaded && OpenDialog1->FilterIndex == kHotspotFilterIndex)
    ImportHotspots(OpenDialog1->FileName);
  else
    OpenDocument(OpenDialog1->FileName);
}

void TForm1::ClearDocumentView() {
  BandActive = false;
  Image1->Clear();
  HsList->BeginUpdate();
  HsList->Clear();
  HsList->EndUpdate();
  TrkShapeManager1->ClearShapes();
  StatusBar1->SetPanelText(0, "");
  ScrollBox1->ScrollTo(0, 0);
}

bool TForm1::OpenDocument(const std::string& path) {
  ClearDocumentView();
  const std::string previous = FileName;
  FileName = path;
  std::unique_ptr<TGraphic> picture;
  try {
    Shg.LoadFromFile(path);
    // A picture that cannot be rebuilt counts as one that cannot be read.
    picture = PictureOf(Shg);
  } catch (const std::exception&) {
    Tell(kReadFailed);
    // Nothing is left to save: the old name comes back, so that no save
    // writes the empty window over the file that failed.
    PictureLoaded = false;
    SaveBtn->SetEnabled(false);
    DelBtn->SetEnabled(false);
    PropBtn->SetEnabled(false);
    FileName = previous;
    Modified = false;
    SetText(kApplicationTitle);
    return false;
  }
  Image1->SetGraphic(std::move(picture));
  ScrollBox1->UpdateScrollRange();
  DrawnOnce(*HsList, ScrollBox1, [&] {
    for (int i = 0; i < Shg.HotSpotCount(); ++i) {
      const hotspot::THotSpot& h = Shg.HotSpots(i);
      AddHotspotItem(h.x, h.y, h.width, h.height, h.name, h.context, h.mode, h.visible != 0, false, false);
    }
  });
  PictureLoaded = true;
  SaveBtn->SetEnabled(true);
  UpdateHotspotButtons();
  SetCaptionForFile();
  Modified = false;
  return true;
}

bool TForm1::ImportHotspots(const std::string& path) {
  hotspot::TShg other;
  hotspot::UsePlatformConverters(other);
  try {
    other.LoadFromFile(path);
  } catch (const std::exception&) {
    Tell(kReadFailed);
    return false;
  }
  DrawnOnce(*HsList, ScrollBox1, [&] {
    for (int i = 0; i < other.HotSpotCount(); ++i) {
      const hotspot::THotSpot& h = other.HotSpots(i);
      const hotspot::THotspotRect r =
          hotspot::ClampImportedHotspot({h.x, h.y, h.width, h.height}, ImageWidth(), ImageHeight());
      AddHotspotItem(r.x, r.y, r.w, r.h, h.name, h.context, h.mode, h.visible != 0, false, true);
    }
  });
  UpdateHotspotButtons();
  // The imported hotspots are work of this document: closing asks for them.
  if (other.HotSpotCount() > 0) Modified = true;
  return true;
}

void TForm1::SaveBtnClick(TComponent*) { SaveDocument(); }

bool TForm1::SaveDocument() {
  const std::string previous = FileName;
  const bool overwrite = LowerAscii(ExtractFileExt(FileName)) == ".shg" && Ask(kAskOverwrite) == IDYES;
  if (!overwrite) {
    SaveDialog1->InitialDir = ExtractFileDir(FileName);
    SaveDialog1->FileName = ChangeFileExt(ExtractFileName(FileName), "");
    if (!SaveDialog1->Execute(Handle())) return false;
    if (FileExists(SaveDialog1->FileName) && Ask(kAskOverwrite) != IDYES) return false;
    FileName = SaveDialog1->FileName;
    SetCaptionForFile();
  }
  if (!WriteDocument()) {
    FileName = previous;
    SetCaptionForFile();
    return false;
  }
  return true;
}

bool TForm1::SaveChangesIfWanted() {
  if (!Modified) return true;
  switch (Ask(kAskSaveChanges)) {
    case IDYES: return SaveDocument();
    case IDNO: return true;
    default: return false;  // the question was dismissed: nothing happens
  }
}

bool TForm1::WriteDocument() {
  // Rows and shapes hold the current values: copy them into the document.
  const int n = std::min(HsList->Count(), Shg.HotSpotCount());
  for (int i = 0; i < n; ++i) {
    const TListItem* row = HsList->Item(i);
    const hotspot::TTrkShape* shape = TrkShapeManager1->Shapes(i);
    hotspot::THotSpot& h = Shg.HotSpots(i);
    h.name = row->Caption();
    h.context = row->SubItem(1);
    h.visible = row->Data != 0 ? 1 : 0;
    h.mode = static_cast<std::uint8_t>(row->ImageIndex());
    const hotspot::THotSpotRect r =
        hotspot::MakeHotSpotRect(shape->ImageLeft(), shape->ImageTop(), shape->Width(), shape->Height());
    h.x = r.x;
    h.y = r.y;
    h.width = r.width;
    h.height = r.height;
  }
  try {
    Shg.SaveToFile(FileName);
  } catch (const std::exception&) {
    Tell(kWriteFailed);
    return false;
  }
  Modified = false;
  return true;
}

}  // namespace qm::zonivex
