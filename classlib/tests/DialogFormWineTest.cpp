#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/CheckBox.h"
#include "classlib/ComboBox.h"
#include "classlib/DialogForm.h"
#include "classlib/Dialogs.h"
#include "classlib/GroupBox.h"
#include "classlib/ListBox.h"
#include "classlib/Memo.h"
#include "classlib/RadioButton.h"
#include "classlib/RichEdit.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/ModalTest.h"

namespace cl {
namespace {

using qmtest::PressAccessKey;
using qmtest::PressKey;
using qmtest::RunModal;
using qmtest::Type;

// A dialog of the kind the programs show: labelled edits, a memo, a check
// box, radio buttons in a group, lists and the two buttons.
const TControlDesc kControls[] = {
    {ckLabel, "Label1", "トピックID(&I)", 8, 10, 80, 14},
    {ckEdit, "TidEd", "", 90, 8, 150, 20, "imeoff help=52"},
    {ckLabel, "Label2", "タイトル(&T)", 8, 36, 80, 14},
    {ckEdit, "TitleEd", "", 90, 34, 150, 20, "noautoselect help=54"},
    {ckMemo, "MacEd", "", 90, 60, 150, 40, "vscroll help=57"},
    {ckCheckBox, "Packed", "圧縮する(&P)", 8, 106, 120, 18, "checked"},
    {ckGroupBox, "WinGrp", "表示ウインドウ(&W)", 8, 128, 232, 40, "help=58"},
    {ckRadioButton, "Win0", "デフォルト", 8, 16, 70, 18, "parent=WinGrp checked"},
    {ckRadioButton, "Win1", "main", 80, 16, 60, 18, "parent=WinGrp"},
    {ckRadioButton, "Win2", "sub", 150, 16, 60, 18, "parent=WinGrp"},
    {ckComboBox, "Kind", "prop\nevent\nmethod", 8, 174, 110, 20, "list index=1"},
    {ckListBox, "Names", "b\na\nc", 130, 174, 110, 40, "sorted"},
    {ckButton, "OKBtn", "変更", 84, 222, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 165, 222, 75, 25, "cancel result=cancel"},
};
const TDialogDesc kDialog = {"TTestTopicDlg", "トピック情報設定", 250, 256,
                             "border=dialog focus=TitleEd help=5", kControls};

class TTopicDlg : public TDialogForm {
 public:
  TTopicDlg()
      : TDialogForm(nullptr, kDialog),
        TidEd(Get<TEdit>("TidEd")),
        TitleEd(Get<TEdit>("TitleEd")),
        MacEd(Get<TMemo>("MacEd")),
        Packed(Get<TCheckBox>("Packed")),
        Win1(Get<TRadioButton>("Win1")),
        Kind(Get<TComboBox>("Kind")),
        Names(Get<TListBox>("Names")),
        OKBtn(Get<TButton>("OKBtn")) {
    // The OK button's handler decides: the id must not be empty.
    OKBtn->OnClick = [this](TControl*) {
      ++ok_clicks;
      if (!TidEd->Text().empty()) SetModalResult(mrOk);
    };
  }
  TEdit* TidEd;
  TEdit* TitleEd;
  TMemo* MacEd;
  TCheckBox* Packed;
  TRadioButton* Win1;
  TComboBox* Kind;
  TListBox* Names;
  TButton* OKBtn;
  int ok_clicks = 0;
};

class DialogFormTest : public ::testing::Test {
 protected:
  void SetUp() override { Application().Initialize(); }
  std::unique_ptr<TTopicDlg> dlg = std::make_unique<TTopicDlg>();
  std::string FocusName() const {
    TControl* c = TControl::FromHandle(GetFocus());
    return c ? c->Name : "(none)";
  }
};

TEST_F(DialogFormTest, BuiltFromTheTableFilledAndReadBack) {
  EXPECT_EQ(dlg->Text(), "トピック情報設定");
  EXPECT_EQ(dlg->ClientWidth(), 250);
  EXPECT_EQ(dlg->ClientHeight(), 256);
  auto* title = dlg->Get<TEdit>("TitleEd");
  EXPECT_EQ(title->Left(), 90);
  EXPECT_EQ(title->Top(), 34);
  EXPECT_EQ(title->Width(), 150);
  EXPECT_EQ(dlg->Get<TRadioButton>("Win0")->Parent(), dlg->Get<TGroupBox>("WinGrp"));
  EXPECT_TRUE(dlg->Get<TRadioButton>("Win0")->Checked());
  EXPECT_TRUE(dlg->Packed->Checked());
  EXPECT_EQ(dlg->Kind->Style(), TComboBoxStyle::DropDownList);
  EXPECT_EQ(dlg->Kind->Text(), "event");
  EXPECT_EQ(dlg->Names->Item(0), "a");
  EXPECT_EQ(dlg->DefaultButton(), dlg->OKBtn);
  EXPECT_EQ(dlg->CancelButton(), dlg->Get<TButton>("CancelBtn"));
  EXPECT_THROW(dlg->Get<TCheckBox>("TidEd"), ELayoutError);
  EXPECT_THROW(dlg->Get<TEdit>("Nobody"), ELayoutError);

  dlg->TidEd->SetText("Intro");
  dlg->MacEd->SetText("CloseSecondarys()");
  int result = RunModal(*dlg, [this] {
    EXPECT_EQ(FocusName(), "TitleEd");  // the declared first focus
    Type("Hello");
    dlg->Win1->SetChecked(true);
    dlg->Packed->SetChecked(false);
    dlg->Names->SetItemIndex(2);
    PressKey(VK_RETURN);  // the default button
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(dlg->ok_clicks, 1);
  EXPECT_EQ(dlg->TitleEd->Text(), "Hello");
  EXPECT_EQ(dlg->TidEd->Text(), "Intro");
  EXPECT_EQ(dlg->MacEd->Text(), "CloseSecondarys()");
  EXPECT_TRUE(dlg->Win1->Checked());
  EXPECT_FALSE(dlg->Get<TRadioButton>("Win0")->Checked());
  EXPECT_FALSE(dlg->Packed->Checked());
  EXPECT_EQ(dlg->Names->Item(dlg->Names->ItemIndex()), "c");
  EXPECT_FALSE(IsWindowVisible(dlg->Handle()));
}

TEST_F(DialogFormTest, JapaneseTypedIntoAnEditArrivesWhole) {
  RunModal(*dlg, [&] {
    // "ツ" (83 63) and "ー" (81 5B) byte by byte, as a keyboard's characters
    // reach the loop; then a letter.
    for (WPARAM c : {0x83, 0x63, 0x81, 0x5B, 0x78}) PostMessageA(GetFocus(), WM_CHAR, c, 1);
    Application().ProcessMessages();
    EXPECT_EQ(dlg->TitleEd->Text(), "ツーx");
    dlg->SetModalResult(mrCancel);
  });
}

TEST_F(DialogFormTest, EnterAsksTheDefaultButtonEscapeTheCancelButton) {
  int cancel_clicks = 0;
  dlg->Get<TButton>("CancelBtn")->OnClick = [&](TControl*) { ++cancel_clicks; };
  int result = RunModal(*dlg, [&] {
    PressKey(VK_RETURN);  // the id is empty: the handler keeps the dialog open
    EXPECT_EQ(dlg->ModalResult(), mrNone);
    // Enter in a memo that does not want it reaches the default button too.
    dlg->MacEd->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(dlg->ok_clicks, 2);
    EXPECT_EQ(dlg->MacEd->Text(), "");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(cancel_clicks, 1);

  // A disabled default button is not clicked; a focused push button is.
  result = RunModal(*dlg, [&] {
    dlg->OKBtn->SetEnabled(false);
    dlg->TidEd->SetText("x");
    PressKey(VK_RETURN);
    EXPECT_EQ(dlg->ok_clicks, 2);
    dlg->Get<TButton>("CancelBtn")->SetFocus();
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(cancel_clicks, 2);
}

TEST_F(DialogFormTest, WithoutCancelOrDefaultButtonThoseKeysDoNothing) {
  const TControlDesc controls[] = {
      {ckEdit, "Ed", "", 8, 8, 100, 20},
      {ckButton, "NextBtn", "次へ", 8, 40, 75, 25, "result=ok"},
  };
  TDialogForm plain(nullptr, {"TTestPlainDlg", "", 200, 80, "", controls});
  int result = RunModal(plain, [&] {
    PressKey(VK_ESCAPE);
    PressKey(VK_RETURN);
    EXPECT_EQ(plain.ModalResult(), mrNone);
    SendMessageA(plain.Handle(), WM_CLOSE, 0, 0);  // the title bar's close box
  });
  EXPECT_EQ(result, mrCancel);
}

TEST_F(DialogFormTest, TabOrderAccessKeysAndRadioGroups) {
  std::vector<std::string> order;
  RunModal(*dlg, [&] {
    for (int i = 0; i < 9; ++i) {
      order.push_back(FocusName());
      PressKey(VK_TAB);
    }
    // Nine tab stops: back at the title; Shift+Tab goes back one.
    {
      qmtest::THeldKeys shift{VK_SHIFT};
      PressKey(VK_TAB);
      order.push_back(FocusName());
    }
    dlg->MacEd->SetFocus();
    PressAccessKey('I');  // the label of TidEd
    order.push_back(FocusName());
    PressAccessKey('W');  // the group box: its checked radio button
    order.push_back(FocusName());
    PressKey(VK_DOWN);  // the arrows move within the radio group
    order.push_back(FocusName());
    EXPECT_TRUE(dlg->Win1->Checked());
    // Entered with Tab, an edit selects its text unless told not to.
    dlg->TidEd->SetText("abc");
    dlg->TitleEd->SetText("xyz");
    dlg->MacEd->SetFocus();
    qmtest::THeldKeys shift{VK_SHIFT};
    DWORD start = 9, end = 9;
    PressKey(VK_TAB);
    SendMessageA(dlg->TitleEd->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 0u);
    PressKey(VK_TAB);
    SendMessageA(dlg->TidEd->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 3u);
    PressKey(VK_ESCAPE);
  });
  // Only the checked radio button is a tab stop; the lists follow the group.
  EXPECT_EQ(order, (std::vector<std::string>{"TitleEd", "MacEd", "Packed", "Win0", "Kind", "Names",
                                             "OKBtn", "CancelBtn", "TidEd", "TidEd", "TidEd",
                                             "Win0", "Win1"}));
}

TEST_F(DialogFormTest, F1ShowsTheHelpOfTheFocusedControlOrOfItsParents) {
  std::vector<int> contexts;
  dlg->OnHelp = [&](int context) { contexts.push_back(context); };
  RunModal(*dlg, [&] {
    PressKey(VK_F1);  // TitleEd: 54
    dlg->Get<TRadioButton>("Win0")->SetFocus();
    PressKey(VK_F1);  // no context of its own: its group box's, 58
    dlg->Packed->SetFocus();
    PressKey(VK_F1);  // none: the dialog's, 5
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(contexts, (std::vector<int>{54, 58, 5}));
}

TEST_F(DialogFormTest, PlacedBeforeShowingAndKeptInsideTheWorkArea) {
  dlg->PlaceAt(123, 77);
  RECT shown = {};
  RunModal(*dlg, [&] {
    GetWindowRect(dlg->Handle(), &shown);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(shown.left, 123);
  EXPECT_EQ(shown.top, 77);

  RECT work = TDialogForm::WorkArea();
  dlg->PlaceAt(work.right - 10, work.top - 50);
  dlg->KeepInside(work);
  EXPECT_EQ(dlg->Left(), work.right - dlg->Width());
  EXPECT_EQ(dlg->Top(), work.top);
  dlg->CenterOnScreen();
  EXPECT_EQ(dlg->Left(), work.left + (work.right - work.left - dlg->Width()) / 2);
}

// An error of a key's action in a modal dialog is shown; the dialog stays
// up and works, and closing it gives the other windows back.
TEST_F(DialogFormTest, AnErrorInAModalDialogIsShownAndTheDialogStays) {
  TForm owner(nullptr, "TTestOwnerForm", "owner");
  owner.Show();
  dlg->OnHelp = [](int) { throw std::runtime_error("help failed"); };
  std::vector<std::string> shown;
  Application().OnException = [&](const std::exception& e) { shown.push_back(e.what()); };
  bool disabled_while_up = false, up_after_error = false;
  EXPECT_EQ(RunModal(*dlg,
                     [&] {
                       disabled_while_up = !IsWindowEnabled(owner.Handle());
                       PressKey(VK_F1);
                       up_after_error = IsWindowVisible(dlg->Handle());
                       PressKey(VK_ESCAPE);
                     }),
            mrCancel);
  Application().OnException = nullptr;
  EXPECT_EQ(shown, std::vector<std::string>{"help failed"});
  EXPECT_TRUE(up_after_error);
  EXPECT_TRUE(disabled_while_up);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dlg->Handle()));
}

// A dialog belongs to the window that opens it, a message to the dialog
// that shows it (so that a window manager keeps each above its owner), and
// the keyboard goes back to the control that had it when each one closes.
TEST_F(DialogFormTest, DialogsAndMessagesBelongToTheirOpenerWhichGetsTheKeyboardBack) {
  TForm main(nullptr, "TTestOwnerForm", "main");
  auto* field = new TEdit(&main, &main);
  main.Show();
  Application().SetMainForm(&main);
  struct TNoMainForm {
    ~TNoMainForm() { Application().SetMainForm(nullptr); }
  } no_main_after;
  SetForegroundWindow(main.Handle());
  field->SetFocus();
  HWND dialog_owner = nullptr, box_owner = nullptr, question_owner = nullptr;
  RunModal(*dlg, [&] {
    dialog_owner = GetWindow(dlg->Handle(), GW_OWNER);
    SetFocus(dlg->TitleEd->Handle());
    qmtest::WhenWindowUp("#32770", [&](HWND box) {
      box_owner = GetWindow(box, GW_OWNER);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ShowMessage("done");
    qmtest::WhenWindowUp("#32770", [&](HWND box) {
      question_owner = GetWindow(box, GW_OWNER);
      PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    EXPECT_EQ(MessageDlg("sure?", TMsgDlgType::Confirmation, MB_YESNO), IDYES);
    qmtest::WaitUntil("the keyboard back on the dialog's field", [&] { return GetFocus() == dlg->TitleEd->Handle(); },
                      qmtest::Pump::Messages);
    dlg->SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog_owner, main.Handle());
  EXPECT_EQ(box_owner, dlg->Handle());
  EXPECT_EQ(question_owner, dlg->Handle());
  EXPECT_EQ(GetWindow(main.Handle(), GW_OWNER), nullptr);
  qmtest::WaitUntil("the keyboard back on the main form's field", [&] { return GetFocus() == field->Handle(); },
                    qmtest::Pump::Messages);
}

// Where a window manager hands the windows the keyboard, it hands it, when
// the focused window goes, to the window it focused before, which may be
// another program's: so the owner of a closing dialog or message takes the
// activation while that still stands, and a one-pixel window owned by it
// comes up for the window manager to focus, which hands the focus on to the
// owner. The window manager is played here: told to take the keyboard while
// it is active, the main form learns that one speaks; the relay window is
// told so as it shows. Where none has spoken nothing comes up.
namespace {
struct TRelaySeen {
  int count = 0;
  HWND owner = nullptr, active = nullptr, closing = nullptr;
  bool closing_visible = false;
  LRESULT answer = 0;
};
TRelaySeen relay_seen;
LRESULT CALLBACK PlayWindowManager(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
  char cls[32] = {};
  if (code == HC_ACTION && m->message == WM_SHOWWINDOW && m->wParam && GetClassNameA(m->hwnd, cls, sizeof cls) &&
      std::string(cls) == "TKeyboardRelay") {
    ++relay_seen.count;
    relay_seen.owner = GetWindow(m->hwnd, GW_OWNER);
    relay_seen.active = GetActiveWindow();
    relay_seen.closing_visible = IsWindowVisible(relay_seen.closing) != FALSE;
    relay_seen.answer = SendMessageA(m->hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m->hwnd),
                                     MAKELPARAM(HTMENU, WM_LBUTTONDOWN));
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

TEST_F(DialogFormTest, UnderAWindowManagerTheOwnerHasTheKeyboardBeforeADialogOrMessageGoes) {
  TForm main(nullptr, "TTestWmOwnerForm", "main");
  auto* field = new TEdit(&main, &main);
  main.Show();
  Application().SetMainForm(&main);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, PlayWindowManager, nullptr, GetCurrentThreadId());
  struct TCleanUp {
    HHOOK hook;
    ~TCleanUp() {
      UnhookWindowsHookEx(hook);
      Application().SetMainForm(nullptr);
      Application().NoteWindowManager(false);
    }
  } clean_up{hook};
  relay_seen = {};
  auto close_dialog = [&] {
    relay_seen.closing = dlg->Handle();
    RunModal(*dlg, [] { PressKey(VK_ESCAPE); });
    qmtest::WaitUntil("the keyboard back on the main form's field", [&] { return GetFocus() == field->Handle(); },
                      qmtest::Pump::Messages);
  };
  SetForegroundWindow(main.Handle());
  field->SetFocus();

  // No window manager has spoken (a click's activation of an inactive
  // window is no word of one): the system alone hands the keyboard back.
  SendMessageA(main.Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(main.Handle()),
               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  close_dialog();
  EXPECT_EQ(relay_seen.count, 0);
  EXPECT_FALSE(Application().WindowManagerHandsKeyboard());

  // A window manager tells the active main form to take the keyboard.
  SendMessageA(main.Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(main.Handle()),
               MAKELPARAM(HTMENU, WM_LBUTTONDOWN));
  ASSERT_TRUE(Application().WindowManagerHandsKeyboard());
  close_dialog();
  EXPECT_EQ(relay_seen.count, 1);
  EXPECT_EQ(relay_seen.owner, main.Handle());
  EXPECT_EQ(relay_seen.active, main.Handle());
  EXPECT_TRUE(relay_seen.closing_visible);
  EXPECT_EQ(relay_seen.answer, MA_NOACTIVATE);  // the relay never keeps the keyboard

  relay_seen = {};
  qmtest::WhenWindowUp("#32770", [&](HWND box) {
    relay_seen.closing = box;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  ShowMessage("done");
  EXPECT_EQ(relay_seen.count, 1);
  EXPECT_EQ(relay_seen.owner, main.Handle());
  EXPECT_EQ(relay_seen.active, main.Handle());
  EXPECT_TRUE(relay_seen.closing_visible);
  qmtest::WaitUntil("the keyboard back on the main form's field after the message",
                    [&] { return GetFocus() == field->Handle(); }, qmtest::Pump::Messages);
}

// The field a dialog starts on has its text selected, so that a value typed
// at once replaces it, unless the form says otherwise; InputQuery starts on
// its field.
TEST_F(DialogFormTest, AValueTypedAtOnceReplacesTheStartingFieldsText) {
  dlg->TidEd->SetText("72");
  dlg->SetActiveControl(dlg->TidEd);
  RunModal(*dlg, [] {
    Type("500");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dlg->TidEd->Text(), "500");
  dlg->TitleEd->SetText("xyz");
  dlg->SetActiveControl(dlg->TitleEd);
  RunModal(*dlg, [] {
    Type("a");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dlg->TitleEd->Text().size(), 4u) << dlg->TitleEd->Text();

  std::string value = "HID_OLD";
  qmtest::WhenWindowUp("TInputQueryForm", [](HWND) {
    Type("HID_NEW");
    PressKey(VK_RETURN);
  });
  EXPECT_TRUE(InputQuery("ID", "ID:", value));
  EXPECT_EQ(value, "HID_NEW");
}

// Any form, not only a dialog, moves the focus with Tab and Shift+Tab; F6
// and Shift+F6 lead on from a control that keeps Tab for itself.
TEST_F(DialogFormTest, TabAndF6MoveTheFocusInAFormThatIsNoDialog) {
  TForm form(nullptr, "TTestOwnerForm", "main");
  auto* first = new TEdit(&form, &form);
  first->SetBounds(0, 0, 100, 20);
  auto* keeps_tab = new TRichEdit(&form, &form);
  keeps_tab->SetBounds(0, 30, 100, 60);
  auto* last = new TEdit(&form, &form);
  last->SetBounds(0, 100, 100, 20);
  form.Show();
  SetForegroundWindow(form.Handle());
  SetFocus(form.Handle());
  auto key = [](std::initializer_list<int> held, int vk) {
    qmtest::THeldKeys down(held);
    PressKey(vk);
    return GetFocus();
  };
  EXPECT_EQ(key({}, VK_TAB), first->Handle());
  EXPECT_EQ(key({}, VK_TAB), keeps_tab->Handle());
  EXPECT_EQ(key({}, VK_TAB), keeps_tab->Handle());
  EXPECT_EQ(keeps_tab->PlainText(), "\t");
  EXPECT_EQ(key({}, VK_F6), last->Handle());
  EXPECT_EQ(key({VK_SHIFT}, VK_TAB), keeps_tab->Handle());
  EXPECT_EQ(key({VK_SHIFT}, VK_F6), first->Handle());
}

TEST_F(DialogFormTest, ABadTableIsRefusedBeforeAnyWindow) {
  const TControlDesc controls[] = {{ckButton, "OKBtn", "OK", 0, 0, 75, 25, "defualt"}};
  EXPECT_THROW(TDialogForm(nullptr, {"TTestBadDlg", "", 100, 100, "", controls}), ELayoutError);
}

// A form whose close question the test answers.
class TQuestionForm : public TForm {
 public:
  TQuestionForm() : TForm(nullptr, "TTestQuestionForm", "作業中") {}
  bool FormCloseQuery() override {
    ++questions;
    if (during_question) during_question();
    return answer;
  }
  void FormDestroy() override { ++destroyed; }
  int questions = 0, destroyed = 0;
  bool answer = false;
  std::function<void()> during_question;
};

TEST(FormSessionTest, TheCloseQuestionAnswersTheEndOfTheSessionAndIsAskedOnce) {
  Application().Initialize();
  TQuestionForm f;
  // A hidden form has nothing to ask about.
  EXPECT_EQ(SendMessageA(f.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(f.questions, 0);
  f.Show();
  Application().SetMainForm(&f);
  std::vector<MessageBoxCall> boxes;
  SetMessageBoxHook([&](const MessageBoxCall& c) {
    boxes.push_back(c);
    return IDCANCEL;
  });
  // Refused; the question's boxes stay on top of the system's windows, and
  // a second query while it is up is refused without asking again.
  LRESULT second = -1;
  f.during_question = [&] {
    ShowMessageBox(f.Handle(), "保存しますか?", "作業中", MB_YESNO);
    second = SendMessageA(f.Handle(), WM_QUERYENDSESSION, 0, 0);
    ShowMessageBox(f.Handle(), "書き込めません.", "作業中", MB_OK);
  };
  EXPECT_EQ(SendMessageA(f.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(second, FALSE);
  EXPECT_EQ(f.questions, 1);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[0].flags & MB_TOPMOST);
  EXPECT_TRUE(boxes[1].flags & MB_TOPMOST);
  // The session goes on (refused somewhere): the form stays as it is.
  SendMessageA(f.Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(f.destroyed, 0);
  EXPECT_FALSE(Application().Terminated());
  // A close asks the same question, its box an ordinary one; a second close
  // while it is up does not ask again.
  f.during_question = [&] {
    ShowMessageBox(f.Handle(), "保存しますか?", "作業中", MB_YESNO);
    f.Close();
  };
  f.Close();
  EXPECT_EQ(f.questions, 2);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_FALSE(boxes[2].flags & MB_TOPMOST);
  // A command's own question is up when the session ends: refused, and
  // no close question comes on top of it.
  f.during_question = nullptr;
  LRESULT during_command = -1;
  SetMessageBoxHook([&](const MessageBoxCall& c) {
    boxes.push_back(c);
    during_command = SendMessageA(f.Handle(), WM_QUERYENDSESSION, 0, 0);
    return IDNO;
  });
  ShowMessageBox(f.Handle(), "変更があります。保存しますか?", "作業中", MB_YESNO);
  EXPECT_EQ(during_command, FALSE);
  EXPECT_EQ(f.questions, 2);
  EXPECT_EQ(boxes.size(), 4u);
  SetMessageBoxHook([&](const MessageBoxCall& c) {
    boxes.push_back(c);
    return IDCANCEL;
  });
  // Agreed, and the session ends: the form is cleaned up before the
  // message returns, without a second question.
  f.answer = true;
  f.during_question = nullptr;
  EXPECT_EQ(SendMessageA(f.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(f.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(f.questions, 3);
  EXPECT_EQ(f.destroyed, 1);
  EXPECT_TRUE(Application().Terminated());

  SetMessageBoxHook(nullptr);
  Application().SetMainForm(nullptr);
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  Application().Initialize();
}

}  // namespace
}  // namespace cl
