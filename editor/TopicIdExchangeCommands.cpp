#include "editor/TopicIdExchangeCommands.h"

#include "classlib/Application.h"
#include "classlib/Clipboard.h"
#include "editor/CompileCommands.h"
#include "editor/core/StatusBarClick.h"
#include "exchange/TopicIdExchange.h"

namespace qm::editor {

TTopicIdExchangeCommands::TTopicIdExchangeCommands(TMainForm& form) : TCommandGroup(form) {
  Form.StatusBar->OnMouseDown = [this](cl::TControl*, int, cl::TShiftState, int x, int) { StatusBarMouseDown(x); };
}

void TTopicIdExchangeCommands::FormCreated() {
  cl::Application().OnMessage = [this](MSG& msg, bool& handled) { MessageProc(msg, handled); };
}

void TTopicIdExchangeCommands::FormDestroying() { cl::Application().OnMessage = nullptr; }

void TTopicIdExchangeCommands::StatusBarMouseDown(int x) {
  const std::string id = Form.StatusBar->PanelText(0);
  const StatusBarClick click = StatusBarClickAt(x, id);
  if (click.Panel < 0) return;
  if (click.Broadcast) {
    exchange::SendTopicId(id, cl::Application().Handle());
    return;
  }
  cl::TClipboard(cl::Application().Handle()).SetAsText(Form.StatusBar->PanelText(click.Panel));
}

void TTopicIdExchangeCommands::MessageProc(MSG& msg, bool&) {
  // Never marked handled: the message goes on as usual.
  if (msg.message != exchange::TopicIdMessage()) return;
  // One broadcast arrives once for each top-level window of the program
  // (the application window, this window, an open dialog): the copy for
  // this window stands for all of them.
  if (msg.hwnd != Form.Handle()) return;
  // Not while a dialog waits for the author (this window is disabled then)
  // or the help compiler runs: a topic opened underneath would take the
  // dialog's answer or the compile's files.
  if (!IsWindowEnabled(Form.Handle()) || Form.CompileCmds->CompilerRunning()) return;
  const std::string id = exchange::ReceivedTopicId();
  if (!id.empty()) Form.CompileCmds->GoToTopicId(id, false);
}

}  // namespace qm::editor
