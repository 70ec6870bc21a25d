// Drawing hotspots with the rubber band, selecting them in the list or on
// the picture, deleting them and editing their attributes and the
// defaults of new ones.
#include <algorithm>

#include "classlib/Application.h"
#include "hotspot/HotspotDialogs.h"
#include "hotspot/ZonivexForm.h"
#include "hotspot/core/HotspotText.h"

namespace qm::zonivex {

using namespace cl;

void TForm1::AddHotspotItem(int x, int y, int w, int h, const std::string& name, const std::string& context,
                            int mode, bool frameShown, bool select, bool addToDocument) {
  TrkShapeManager1->AddShape(x, y, w, h, select);
  TListItem* row = HsList->Add();
  row->SetCaption(name);
  row->SetImageIndex(mode);  // the list has no images: the index keeps the mode
  row->AddSubItem(hotspot::ModeName(mode));
  row->AddSubItem(context);
  row->Data = frameShown ? 1 : 0;
  if (select) {
    SelectRow(row);
    ShowStatus(row->Index());
  }
  if (addToDocument) Shg.AddHotSpot();  // its fields are filled at the next save
}

void TForm1::ShowStatus(int row) {
  if (row < 0 || row >= HsList->Count() || row >= TrkShapeManager1->Count()) {
    StatusBar1->SetPanelText(0, "");
    return;
  }
  const TListItem* item = HsList->Item(row);
  const hotspot::TTrkShape* shape = TrkShapeManager1->Shapes(row);
  StatusBar1->SetPanelText(0, hotspot::HotspotStatusText(item->Caption(), item->ImageIndex(), item->SubItem(1),
                                                         shape->ImageLeft(), shape->ImageTop(), shape->Width(),
                                                         shape->Height()));
}

void TForm1::UpdateHotspotButtons() {
  const bool any = HsList->Count() > 0;
  DelBtn->SetEnabled(any);
  PropBtn->SetEnabled(any);
}

// ---------------------------------------------------------------------------
// The rubber band

void TForm1::DrawBand(int x, int y) {
  auto* bitmap = dynamic_cast<TBitmap*>(Image1->Graphic());
  if (!bitmap || bitmap->Empty()) return;
  TCanvas& canvas = bitmap->Canvas();
  canvas.Pen.Mode = pmNot;
  const POINT band[5] = {{BandStartX, BandStartY}, {x, BandStartY}, {x, y}, {BandStartX, y}, {BandStartX, BandStartY}};
  canvas.Polyline(band, 5);
  canvas.Pen.Mode = pmCopy;
  bitmap->FreeCanvas();
  Image1->Invalidate();
}

void TForm1::Image1MouseDown(int, TShiftState, int x, int y) {
  if (!PictureLoaded) return;
  BandStartX = BandX = x;
  BandStartY = BandY = y;
  BandActive = true;
  DrawBand(BandX, BandY);
}

void TForm1::Image1MouseMove(TShiftState, int x, int y) {
  if (!BandActive) return;
  DrawBand(BandX, BandY);  // erases the band drawn last
  BandX = x;
  BandY = y;
  DrawBand(BandX, BandY);
}

void TForm1::Image1MouseUp(int, TShiftState, int x, int y) {
  if (!BandActive) return;
  BandActive = false;
  DrawBand(BandX, BandY);
  const auto r = hotspot::RubberBandRect(BandStartX, BandStartY, x, y, ImageWidth(), ImageHeight());
  if (!r) return;
  AddHotspotItem(r->x, r->y, r->w, r->h, hotspot::NewHotspotName(HsList->Count()), "", DefaultMode,
                 DefaultFrameShown, true, true);
  Modified = true;
  UpdateHotspotButtons();
}

// ---------------------------------------------------------------------------
// Selection

void TForm1::HsListClick() {
  TListItem* row = HsList->Selected();
  if (!row) {
    TrkShapeManager1->DeselectOthers(nullptr);
    StatusBar1->SetPanelText(0, "");
    return;
  }
  const int i = row->Index();
  if (i >= TrkShapeManager1->Count()) return;
  hotspot::TTrkShape* shape = TrkShapeManager1->Shapes(i);
  if (shape->Selected()) return;
  shape->SetSelected(true);
  if (row->ImageIndex() > 0) SendContextToEditor(row->SubItem(1));
  ShowStatus(i);
}

void TForm1::HsListSelectItem(bool selected) {
  // A row the list selected itself (arrow keys, a click): the picture and
  // the status line follow as for a click. Rows the program selects are
  // followed by the code that selects them.
  if (selected && !selectingRow_) HsListClick();
}

void TForm1::SelectRow(TListItem* row) {
  selectingRow_ = true;
  HsList->SetSelected(row);
  selectingRow_ = false;
}

void TForm1::HsListDblClick() { EditAttributes(); }

void TForm1::TrkShapeManager1Selected(hotspot::TTrkShape* shape) {
  const int i = TrkShapeManager1->ShapeIndex(shape);
  if (i < 0 || i >= HsList->Count()) return;
  TListItem* row = HsList->Item(i);
  SelectRow(row);
  if (row->ImageIndex() > 0) SendContextToEditor(row->SubItem(1));
  ShowStatus(i);
  // Scroll the list so that the row shows.
  if (const TListItem* top = HsList->TopItem()) {
    const RECT rowRect = row->DisplayRect();
    RECT client;
    GetClientRect(HsList->Handle(), &client);
    const int dy = hotspot::ListScrollToShow(rowRect.top, rowRect.bottom - rowRect.top, top->DisplayRect().top,
                                             client.bottom, GetSystemMetrics(SM_CYHSCROLL));
    if (dy != 0) HsList->Scroll(0, dy);
  }
}

void TForm1::TrkShapeManager1MoveEnd(hotspot::TTrkShape* shape) {
  Modified = true;
  const int i = TrkShapeManager1->ShapeIndex(shape);
  if (const TListItem* row = HsList->Selected(); row && i >= 0) {
    StatusBar1->SetPanelText(0, hotspot::HotspotStatusText(row->Caption(), row->ImageIndex(), row->SubItem(1),
                                                           shape->ImageLeft(), shape->ImageTop(), shape->Width(),
                                                           shape->Height()));
  }
}

void TForm1::TrkShapeManager1DblClick(hotspot::TTrkShape*) { EditAttributes(); }

// ---------------------------------------------------------------------------
// Delete, attributes, defaults

void TForm1::DelBtnClick(TComponent*) {
  TListItem* row = HsList->Selected();
  if (!row) return;
  const int i = row->Index();
  TrkShapeManager1->DeleteShape(i);
  Shg.DeleteHotSpot(i);
  HsList->Delete(i);
  Modified = true;
  if (HsList->Count() == 0) {
    StatusBar1->SetPanelText(0, "");
    UpdateHotspotButtons();
    return;
  }
  const int next = std::min(i, HsList->Count() - 1);
  TListItem* nextRow = HsList->Item(next);
  SelectRow(nextRow);
  TrkShapeManager1->Shapes(next)->SetSelected(true);
  if (nextRow->ImageIndex() > 0) SendContextToEditor(nextRow->SubItem(1));
  ShowStatus(next);
}

namespace {

// Places a dialog above the mouse pointer, inside the work area.
void PlaceDialog(TDialogForm& dlg, const hotspot::TWorkArea& area) {
  POINT p;
  GetCursorPos(&p);
  const RECT r = dlg.ScreenBounds();
  const hotspot::TPlace place =
      hotspot::AttributeDialogPlace(p.x, p.y, r.right - r.left, r.bottom - r.top, area);
  dlg.PlaceAt(place.left, place.top);
}

}  // namespace

void TForm1::EditAttributes() {
  TListItem* row = HsList->Selected();
  if (!row) return;
  auto dlg = std::make_unique<TAttrDlg>();
  PlaceDialog(*dlg, WorkArea);
  dlg->eHotSpot->SetText(row->Caption());
  dlg->eConText->SetText(row->SubItem(1));
  dlg->eview->SetChecked(row->Data != 0);
  dlg->eType->SetItemIndex(row->ImageIndex());
  if (dlg->ShowModal() != mrOk) return;
  Modified = true;
  row->SetCaption(dlg->eHotSpot->Text());
  row->SetSubItem(1, dlg->eConText->Text());
  if (dlg->eType->ItemIndex() >= 0) {
    row->SetImageIndex(dlg->eType->ItemIndex());
    row->SetSubItem(0, hotspot::ModeName(dlg->eType->ItemIndex()));
  }
  row->Data = dlg->eview->Checked() ? 1 : 0;
  ShowStatus(row->Index());
}

void TForm1::ToolButton3Click(TComponent*) {
  auto dlg = std::make_unique<TEnvDlg>();
  PlaceDialog(*dlg, WorkArea);
  dlg->eview->SetChecked(DefaultFrameShown);
  dlg->eType->SetItemIndex(DefaultMode);
  if (dlg->ShowModal() != mrOk) return;
  DefaultFrameShown = dlg->eview->Checked();
  if (dlg->eType->ItemIndex() >= 0) DefaultMode = dlg->eType->ItemIndex();
}

}  // namespace qm::zonivex
