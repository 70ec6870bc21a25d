// The hotspot editor's side of the topic-id exchange with the help editor:
// a selected pop-up or jump hotspot sends its topic id; a received id
// becomes the context of the selected pop-up or jump hotspot.
#include "classlib/Application.h"
#include "exchange/TopicIdExchange.h"
#include "hotspot/ZonivexForm.h"
#include "hotspot/core/HotspotText.h"

namespace qm::zonivex {

void TForm1::SendContextToEditor(const std::string& context) {
  exchange::SendTopicId(hotspot::ContextTopicId(context), cl::Application().Handle());
}

void TForm1::MessageProc(MSG& msg, bool&) {
  // Never marked handled: the message goes on as usual.
  if (msg.message != exchange::TopicIdMessage()) return;
  // Our own broadcast.
  if (msg.wParam == reinterpret_cast<WPARAM>(cl::Application().Handle())) return;
  // One broadcast arrives once for each top-level window of the program:
  // the copy for this window stands for all of them.
  if (msg.hwnd != Handle()) return;
  cl::TListItem* row = HsList->Selected();
  if (!row || row->ImageIndex() <= 0) return;  // none, or a macro
  // No text (none there, or the clipboard stayed busy) is no id: it would
  // wipe the hotspot's context.
  const std::string id = exchange::ReceivedTopicId();
  if (id.empty()) return;
  Modified = true;
  row->SetSubItem(1, id);
  ShowStatus(row->Index());
}

}  // namespace qm::zonivex
