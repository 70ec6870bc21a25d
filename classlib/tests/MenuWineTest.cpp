#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/Action.h"
#include "classlib/Application.h"
#include "classlib/Clipboard.h"
#include "classlib/ComboBox.h"
#include "classlib/FindDialog.h"
#include "classlib/Form.h"
#include "classlib/ImageList.h"
#include "classlib/Menu.h"
#include "classlib/ToolBar.h"
#include "classlib/TreeView.h"
#include "classlib/tests/ModalTest.h"

namespace cl {
namespace {

// A View menu whose item shows whether a toolbar is visible, the toolbar
// floating in its own tool window.
class MenuRefreshTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    form->SetBounds(30, 30, 400, 300);
    menu = new TMainMenu(form.get());
    view = menu->Items()->AddItem("表示(&V)");
    auto* actions = new TActionList(form.get());
    bar_visible = actions->Add("EditBarV", "編集バー(&E)");
    bar_visible->SetChecked(true);
    save = actions->Add("SaveA", "上書き保存(&S)");
    item = view->AddItem(bar_visible);
    save_item = view->AddItem(save);
    form->SetMenu(menu);
    dock = new TControlBar(form.get(), form.get());
    bar = new TToolBar(form.get(), dock, "編集");
    bar->AddButton(bar_visible);
    form->Show();
  }
  // What the menu shows once it opens.
  UINT StateWhenOpened(TMenuItem* it) {
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view->SubMenuHandle()), 1);
    return GetMenuState(view->SubMenuHandle(), it->CommandId(), MF_BYCOMMAND);
  }
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr, "TTestMenuForm", "menus");
  TMainMenu* menu;
  TMenuItem *view, *item, *save_item;
  TAction *bar_visible, *save;
  TControlBar* dock;
  TToolBar* bar;
};

TEST_F(MenuRefreshTest, ClosingAFloatingToolBarUnticksItsItemWhenTheMenuOpens) {
  bar_visible->OnUpdate = [this](TAction* a) { a->SetChecked(bar->BarVisible()); };
  EXPECT_TRUE(StateWhenOpened(item) & MF_CHECKED);
  RECT r = {300, 200, 360, 230};
  bar->FloatAt(r);
  SendMessageA(bar->FloatingWindow(), WM_CLOSE, 0, 0);  // its X
  EXPECT_FALSE(bar->BarVisible());
  EXPECT_FALSE(StateWhenOpened(item) & MF_CHECKED);
  EXPECT_FALSE(bar_visible->Checked());
}

TEST_F(MenuRefreshTest, ItemsShowTheStateTheirActionsUpdateTo) {
  bool can_save = false;
  save->OnUpdate = [&](TAction* a) { a->SetEnabled(can_save); };
  EXPECT_TRUE(StateWhenOpened(save_item) & MF_GRAYED);
  can_save = true;
  EXPECT_FALSE(StateWhenOpened(save_item) & MF_GRAYED);
  // A menu that is not one of ours is left alone.
  HMENU other = CreatePopupMenu();
  EXPECT_FALSE(TMenuItem::PopupOpening(other));
  DestroyMenu(other);
}

TEST_F(MenuRefreshTest, AToolBarHoldsAComboBoxInItsRowAndReflectsItsChange) {
  auto* box = new TComboBox(form.get(), bar);
  box->SetItems({"8", "10", "12"});
  bar->AddControl(box, 50);
  bar->AddButton(save);
  // The box stands after the first button and before the last one, and the
  // bar grew to hold it.
  RECT first, gap, last;
  SendMessageA(bar->ToolbarHandle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageA(bar->ToolbarHandle(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&gap));
  SendMessageA(bar->ToolbarHandle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(box->Left(), TToolBar::kGrip + gap.left);
  EXPECT_EQ(box->Width(), 50);
  EXPECT_GE(box->Left(), TToolBar::kGrip + first.right);
  EXPECT_LE(box->Left() + box->Width(), TToolBar::kGrip + last.left);
  EXPECT_GE(bar->Width(), TToolBar::kGrip + last.right);
  int changes = 0;
  box->OnSelect = [&](TControl*) { ++changes; };
  box->SetItemIndex(1);
  SendMessageA(bar->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box->Handle()));
  EXPECT_EQ(changes, 1);
}

// A bar that grows as buttons are added pushes the next bar of its row to
// its right instead of lying under it; another row is left alone.
TEST_F(MenuRefreshTest, AGrowingToolBarPushesTheNextOneInItsRowAside) {
  auto* next = new TToolBar(form.get(), dock, "書式");
  next->AddButton(save);
  next->SetBounds(bar->Left() + bar->Width() + 4, 0, next->Width(), next->Height());
  auto* below = new TToolBar(form.get(), dock, "トピック");
  below->AddButton(save);
  below->SetBounds(10, TControlBar::kRowHeight, below->Width(), below->Height());
  for (int i = 0; i < 6; ++i) bar->AddButton(save);
  EXPECT_GE(next->Left(), bar->Left() + bar->Width());
  EXPECT_EQ(next->Top(), 0);
  EXPECT_EQ(below->Left(), 10);
}

TEST_F(MenuRefreshTest, AMenuNeverShownStillRunsItsItemsShortcutsAHiddenItemDoesNot) {
  int runs = 0, hidden_runs = 0;
  TMenuItem* hidden = menu->Items()->AddItem("隠し");
  hidden->AddItem("ctrlY1", [&](TMenuItem*) { ++runs; }, scCtrl | 'Y');
  TMenuItem* off = view->AddItem("off", [&](TMenuItem*) { ++hidden_runs; }, scCtrl | 'J');
  hidden->SetVisible(false);
  off->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 1);  // only 表示
  EXPECT_TRUE(form->IsShortCut('Y', ssCtrl));
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(form->IsShortCut('J', ssCtrl));
  EXPECT_EQ(hidden_runs, 0);
}

// The pixel columns of a menu row that hold text (darker than the menu).
struct TRowInk {
  int left = -1, right = -1;
};

TRowInk CaptureRowInk(HWND popup, const RECT& row) {
  RECT w;
  GetWindowRect(popup, &w);
  const int width = row.right - row.left, height = row.bottom - row.top;
  HDC dc = GetDC(popup);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, width, height, dc, row.left - w.left, row.top - w.top, SRCCOPY);
  ReleaseDC(popup, dc);
  TRowInk ink;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (GetRValue(GetPixel(mem, x, y)) < 100) {
        if (ink.left < 0) ink.left = x;
        ink.right = x;
        break;
      }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  return ink;
}

// In a menu with images, an item without one whose caption is the longest
// keeps its shortcut clear of the caption.
TEST_F(MenuRefreshTest, TheShortcutColumnStandsClearOfTheLongestCaptionWithoutAnImage) {
  TImageList images(form.get());
  TPopupMenu popup(form.get());
  popup.Items()->SetImages(&images, nullptr);
  const std::string caption = "インデントの貼り付け", shortcut = "F8";
  TMenuItem* imaged = popup.Items()->AddItem("左揃え", nullptr, VK_F5);
  imaged->SetImageIndex(0);
  popup.Items()->AddItem(caption, nullptr, VK_F8);
  // The texts' widths in the menu font.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old_font = SelectObject(screen, font);
  SIZE caption_size{}, shortcut_size{};
  GetTextExtentPoint32A(screen, caption.c_str(), static_cast<int>(caption.size()), &caption_size);
  GetTextExtentPoint32A(screen, shortcut.c_str(), static_cast<int>(shortcut.size()), &shortcut_size);
  SelectObject(screen, old_font);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);

  // Looked at while the menu is open, then closed.
  static HMENU menu;
  static TRowInk ink;
  static bool seen;
  menu = popup.Items()->SubMenuHandle();
  ink = {};
  seen = false;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND shown = FindWindowA("#32768", nullptr);
    if (!shown || !IsWindowVisible(shown)) return;
    KillTimer(nullptr, id);
    RECT row;
    if (GetMenuItemRect(nullptr, menu, 1, &row)) {
      ink = CaptureRowInk(shown, row);
      seen = true;
    }
    EndMenu();
  });
  popup.Popup(100, 100, form->Handle());
  ASSERT_TRUE(seen);
  ASSERT_GE(ink.left, 0);
  // The caption starts at the first ink; the shortcut, drawn from the
  // shortcut column, ends at the last.
  const int caption_end = ink.left + caption_size.cx;
  const int shortcut_start = ink.right + 1 - shortcut_size.cx;
  EXPECT_GT(shortcut_start - caption_end, 2) << "caption ink from " << ink.left << ", shortcut ink to " << ink.right;
}

// The edit keys go to the field that has the keyboard when that field is
// one of a modeless dialog of the system (find) or the edit box a tree view
// opens over a label; keys of the form's own controls stay its shortcuts.
TEST_F(MenuRefreshTest, EditKeysInAFindFieldOrALabelEditorWorkThereNotAsShortcuts) {
  int shortcuts = 0;
  auto* actions = new TActionList(form.get());
  for (TShortCut key : {scCtrl | 'V', scCtrl | 'A', TShortCut{VK_DELETE}})
    actions->Add("A" + std::to_string(key), "", key)->OnExecute = [&](TComponent*) { ++shortcuts; };
  // Shortcuts that are no edit keys (the editor's line shortcuts): the
  // field keeps them too.
  int line_keys = 0;
  for (TShortCut key : {scCtrl | 'Y', TShortCut{VK_F10}})
    actions->Add("L" + std::to_string(key), "", key)->OnExecute = [&](TComponent*) { ++line_keys; };
  // The program's main form, whose shortcuts a key for no form would run.
  Application().SetMainForm(form.get());
  struct TNoMainForm {
    ~TNoMainForm() { Application().SetMainForm(nullptr); }
  } no_main_after;
  TClipboard(form->Handle()).SetAsText("Pasted");
  // Keys pressed in a window, through the message loop.
  auto press = [](HWND w, std::initializer_list<int> held, int vk) {
    qmtest::THeldKeys down(held);
    PostMessageA(w, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageA(w, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
    Application().ProcessMessages();
  };
  // Ctrl+V at the end, Ctrl+A, Delete on the first letter: the text after.
  auto edit_keys = [&](HWND w) {
    SendMessageA(w, EM_SETSEL, 99, 99);
    press(w, {VK_CONTROL}, 'V');
    press(w, {VK_CONTROL}, 'A');
    SendMessageA(w, EM_SETSEL, 0, 1);
    press(w, {}, VK_DELETE);
    press(w, {VK_CONTROL}, 'Y');
    press(w, {}, VK_F10);
    char buf[64] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return std::string(buf);
  };

  TFindDialog find(form.get());
  find.FindText = "abc";
  find.Execute(form->Handle());
  HWND field = GetDlgItem(find.Handle(), 0x480);  // the find text
  ASSERT_NE(field, nullptr);
  SetFocus(field);
  EXPECT_EQ(edit_keys(field), "bcPasted");
  EXPECT_EQ(shortcuts, 0);
  EXPECT_EQ(line_keys, 0) << "a line shortcut ran from the find field";
  find.CloseDialog();

  auto* tree = new TTreeView(form.get(), form.get(), TVS_EDITLABELS);
  tree->SetBounds(0, 0, 200, 150);
  tree->SetFocus();
  tree->EditLabel(tree->AddChild(nullptr, "Book", 0, 0));
  HWND label = reinterpret_cast<HWND>(SendMessageA(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(edit_keys(label), "ookPasted");
  EXPECT_EQ(shortcuts, 0);
  EXPECT_EQ(line_keys, 0) << "a line shortcut ran from the label editor";

  // The form's own control: the keys are the form's shortcuts.
  SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
  edit_keys(tree->Handle());
  EXPECT_EQ(shortcuts, 3);
  EXPECT_EQ(line_keys, 2);

  // The text field of a combo box on the form (the format bar's font boxes)
  // keeps the edit keys; another shortcut still runs from there.
  auto* box = new TComboBox(form.get(), form.get());
  box->SetBounds(0, 160, 200, 24);
  SetWindowTextA(box->Handle(), "MS Gothic");
  HWND text = FindWindowExA(box->Handle(), nullptr, "Edit", nullptr);
  ASSERT_NE(text, nullptr);
  SetFocus(text);
  EXPECT_EQ(edit_keys(text), "S GothicPasted");
  EXPECT_EQ(shortcuts, 3);
  actions->Add("Bold", "", scCtrl | 'B')->OnExecute = [&](TComponent*) { ++shortcuts; };
  press(text, {VK_CONTROL}, 'B');
  EXPECT_EQ(shortcuts, 4);
}

}  // namespace
}  // namespace cl
