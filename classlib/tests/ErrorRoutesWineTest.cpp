// An error raised by an action is shown and the program runs on, whatever
// started the action: a shortcut, a menu item, a toolbar button, a timer or
// a message to a window.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Action.h"
#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/Menu.h"
#include "classlib/ToolBar.h"
#include "classlib/tests/ModalTest.h"
#include "classlib/tests/WaitUntil.h"

namespace cl {
namespace {

constexpr UINT kFail = WM_APP + 0x71;  // the form's handler fails
constexpr UINT kPing = WM_APP + 0x72;  // the form counts it
constexpr UINT_PTR kTimerId = 0x7E;

class TFailingForm : public TForm {
 public:
  TFailingForm() : TForm(nullptr, "TErrorRoutesForm", "errors") {}
  int pings = 0;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kFail) throw std::runtime_error("message");
    if (msg == kPing) ++pings;
    if (msg == WM_TIMER && wp == kTimerId) {
      KillTimer(Handle(), kTimerId);
      throw std::runtime_error("timer");
    }
    return TForm::WndProc(msg, wp, lp);
  }
};

class ErrorRoutes : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    Application().OnException = [this](const std::exception& e) { shown.push_back(e.what()); };
    form->SetBounds(40, 40, 420, 260);
    auto* actions = new TActionList(form.get());
    TAction* save = actions->Add("SaveA", "保存(&S)", scCtrl | 'S');
    save->OnExecute = [](TComponent*) { throw std::runtime_error("shortcut"); };
    auto* menu = new TMainMenu(form.get());
    TMenuItem* file = menu->Items()->AddItem("ファイル(&F)");
    item = file->AddItem("開く(&O)", [](TMenuItem*) { throw std::runtime_error("menu"); });
    form->SetMenu(menu);
    auto* dock = new TControlBar(form.get(), form.get());
    bar = new TToolBar(form.get(), dock, "ツール");
    TAction* tool = actions->Add("ToolA", "ツール");
    tool->OnExecute = [](TComponent*) { throw std::runtime_error("button"); };
    bar->AddButton(tool);
    Application().SetMainForm(form.get());
    form->Show();
  }
  void TearDown() override {
    Application().SetMainForm(nullptr);
    Application().OnException = nullptr;
  }
  // Starts the action, runs the loop until the error is shown, then checks
  // that the loop and the window go on.
  void ExpectShownAndRunningOn(const char* what, const std::function<void()>& start) {
    SCOPED_TRACE(what);
    shown.clear();
    const int pings = form->pings;
    start();
    qmtest::WaitUntil(std::string("the error of the ") + what, [&] {
      Application().ProcessMessages();
      return !shown.empty();
    });
    EXPECT_EQ(shown, std::vector<std::string>{what});
    EXPECT_FALSE(Application().Terminated());
    PostMessageA(form->Handle(), kPing, 0, 0);
    Application().ProcessMessages();
    EXPECT_EQ(form->pings, pings + 1);
  }
  std::unique_ptr<TFailingForm> form = std::make_unique<TFailingForm>();
  TMenuItem* item;
  TToolBar* bar;
  std::vector<std::string> shown;
};

TEST_F(ErrorRoutes, AnErrorIsShownAndTheLoopGoesOnWhateverStartedTheAction) {
  ExpectShownAndRunningOn("shortcut", [&] {
    qmtest::THeldKeys ctrl{VK_CONTROL};
    PostMessageA(form->Handle(), WM_KEYDOWN, 'S', 1);
    Application().ProcessMessages();
  });
  ExpectShownAndRunningOn("menu", [&] {
    PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->CommandId(), 0), 0);
  });
  ExpectShownAndRunningOn("button", [&] {
    RECT r;
    SendMessageA(bar->ToolbarHandle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(bar->ToolbarHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(bar->ToolbarHandle(), WM_LBUTTONUP, 0, at);
  });
  ExpectShownAndRunningOn("timer", [&] { SetTimer(form->Handle(), kTimerId, 1, nullptr); });
  ExpectShownAndRunningOn("message", [&] { PostMessageA(form->Handle(), kFail, 0, 0); });
}

}  // namespace
}  // namespace cl
