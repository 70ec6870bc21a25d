// The hotspot editor's window under Wine with a .shg file of many hotspots:
// opening it (until the window has painted), and what the author does next
// with one of its hotspots: selecting it on the picture or in the list,
// moving it, deleting it, scrolling the picture and saving the file.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/FileDialogs.h"
#include "classlib/tests/TempDir.h"
#include "classlib/tests/WineBenchmark.h"
#include "core/FileSystem.h"
#include "core/IniSettings.h"
#include "hotspot/ZonivexForm.h"
#include "hotspot/bench/ManyHotspots.h"

namespace {

using qm::zonivex::TForm1;

const std::string kShed = std::string(QM_TESTDATA_DIR) + "/shg/shed";

void Pump() { cl::Application().ProcessMessages(); }

// The window and the files opened in it: a large file of `count` hotspots
// made from a real screen picture, and a small real file.
struct OpenWindow {
  qm::MemoryIniStore store;
  std::unique_ptr<TForm1> form;
  int count = 0;
  std::string dir, big, small;

  explicit OpenWindow(int hotspots) : count(hotspots) {
    dir = qmtest::NewTempDir();
    big = dir + "\\many.shg";
    small = dir + "\\ACCDLG.SHG";
    qm::WriteFileReplacing(big, qm::hotspot::bench::ManyHotspotsShg(kShed + "/SCREEN.SHG", count));
    CopyFileA((kShed + "/ACCDLG.SHG").c_str(), small.c_str(), FALSE);
    SetFileAttributesA(small.c_str(), FILE_ATTRIBUTE_NORMAL);
    form = std::make_unique<TForm1>(store);
    form->DoCreate();
    form->Show();
    Pump();
  }
  ~OpenWindow() {
    form->Modified = false;
    form->DoDestroy();
    form.reset();
    Pump();
    DeleteFileA(big.c_str());
    DeleteFileA(small.c_str());
    RemoveDirectoryA(dir.c_str());
  }
  // Open through the open button, the dialog answering with `path`.
  void Open(const std::string& path) {
    form->Modified = false;
    cl::SetFileDialogHook([path](cl::TFileDialog& d) {
      d.FileName = path;
      d.FilterIndex = 1;
      return true;
    });
    form->LoadBtnClick(nullptr);
    cl::SetFileDialogHook(nullptr);
  }
  bool HoldsBig() const { return form->HsList->Count() > count / 2; }
  void OpenBig() {
    Open(big);
    Pump();
  }
  // A press and release on the picture at picture pixel (x, y), with the
  // mouse moved to (x + dx, y + dy) in between.
  void Press(int x, int y, int dx, int dy) {
    HWND box = form->ScrollBox1->Handle();
    const int px = x + form->Image1->Left(), py = y + form->Image1->Top();
    SendMessageA(box, WM_MOUSEMOVE, 0, MAKELPARAM(px, py));
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(px, py));
    if (dx || dy) SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(px + dx, py + dy));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(px + dx, py + dy));
  }
  // The middle of shape i, in picture pixels.
  POINT Middle(int i) const {
    const qm::hotspot::TTrkShape* s = form->TrkShapeManager1->Shapes(i);
    return POINT{s->ImageLeft() + s->Width() / 2, s->ImageTop() + s->Height() / 2};
  }
};
std::unique_ptr<OpenWindow> window;

OpenWindow& WindowOf(int count) {
  if (!window || window->count != count) {
    window.reset();
    window = std::make_unique<OpenWindow>(count);
  }
  return *window;
}

// Opens the large file; each iteration first opens the small one, untimed,
// so that the large one is opened into a window that holds little.
void RegisterOpen(int count) {
  qmbench::Register("BM_OpenShgWindow/" + std::to_string(count), [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    w.Open(w.small);
    Pump();
    run.Start();
    w.Open(w.big);
    Pump();
    run.Stop();
  });
}

// The paths taken on the open file, each timed alone. Rows and shapes
// near the end of the list are used: the ones a search from the front
// finds last.
void RegisterEdits(int count) {
  const std::string n = "/" + std::to_string(count);
  // A press on a shape that is not selected: the shape, the row and the
  // status line follow.
  qmbench::Register("BM_SelectShgShape" + n, [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    if (!w.HoldsBig()) w.OpenBig();
    static int turn = 0;
    const int i = w.form->HsList->Count() - 1 - (turn++ % 2);
    const POINT p = w.Middle(i);
    run.Start();
    w.Press(p.x, p.y, 0, 0);
    Pump();
    run.Stop();
  });
  // A row chosen in the list: the shape is selected on the picture.
  qmbench::Register("BM_SelectShgRow" + n, [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    if (!w.HoldsBig()) w.OpenBig();
    static int turn = 0;
    const int i = w.form->HsList->Count() - 1 - (turn++ % 2);
    run.Start();
    w.form->HsList->SetItemIndex(i);
    Pump();
    run.Stop();
  });
  // The selected shape dragged by two pixels and back.
  qmbench::Register("BM_MoveShgShape" + n, [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    if (!w.HoldsBig()) w.OpenBig();
    const int i = w.form->HsList->Count() - 1;
    if (!w.form->TrkShapeManager1->Shapes(i)->Selected()) {
      const POINT p = w.Middle(i);
      w.Press(p.x, p.y, 0, 0);
      Pump();
    }
    static int turn = 0;
    const int d = turn++ % 2 ? -2 : 2;
    const POINT p = w.Middle(i);
    run.Start();
    w.Press(p.x, p.y, d, d);
    Pump();
    run.Stop();
  });
  // The selected row deleted; the file is opened again, untimed, when a
  // tenth of its hotspots are gone.
  qmbench::Register("BM_DeleteShgHotspot" + n, [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    if (w.form->HsList->Count() < count - count / 10) w.OpenBig();
    w.form->HsList->SetItemIndex(w.form->HsList->Count() / 2);
    Pump();
    run.Start();
    w.form->DelBtnClick(nullptr);
    Pump();
    run.Stop();
  });
  // The picture scrolled by a few lines, down and back.
  qmbench::Register("BM_ScrollShgPicture" + n, [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    if (!w.HoldsBig()) w.OpenBig();
    static int turn = 0;
    const int y = turn++ % 2 ? 0 : 24;
    run.Start();
    w.form->ScrollBox1->ScrollTo(0, y);
    Pump();
    run.Stop();
    if (w.form->ScrollBox1->VertPosition() != y) std::fprintf(stderr, "The picture did not scroll\n");
  });
  // Saving over the open file.
  qmbench::Register("BM_SaveShgWindow" + n, [count](qmbench::TimedRun& run) {
    OpenWindow& w = WindowOf(count);
    if (w.form->HsList->Count() != count) w.OpenBig();
    run.Start();
    const bool saved = w.form->WriteDocument();
    run.Stop();
    if (!saved) std::fprintf(stderr, "The save failed\n");
  });
}

}  // namespace

int main(int argc, char** argv) {
  qmbench::StartWindowProgram();
  RegisterOpen(500);
  RegisterOpen(2000);
  RegisterEdits(500);
  RegisterEdits(2000);
  int result = qmbench::RunBenchmarks(argc, argv);
  window.reset();
  Pump();
  return result;
}
