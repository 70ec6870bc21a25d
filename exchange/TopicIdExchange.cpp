#include "exchange/TopicIdExchange.h"

#include "classlib/Clipboard.h"

namespace qm::exchange {

namespace {
UINT g_message = 0;
}  // namespace

UINT RegisterTopicIdMessage() {
  if (!g_message) g_message = RegisterWindowMessageA(kTopicIdMessageName);
  return g_message;
}

UINT TopicIdMessage() { return RegisterTopicIdMessage(); }

bool SendTopicId(const std::string& id, HWND appWindow, bool broadcast) {
  try {
    cl::TClipboard(appWindow).SetAsText(id);
  } catch (const cl::EClipboardError&) {
    return false;
  }
  if (broadcast) PostMessageA(HWND_BROADCAST, TopicIdMessage(), reinterpret_cast<WPARAM>(appWindow), 0);
  return true;
}

std::string ReceivedTopicId() {
  // A clipboard that stays busy counts as one without text.
  try {
    return cl::TClipboard().AsText();
  } catch (const cl::EClipboardError&) {
    return {};
  }
}

}  // namespace qm::exchange
