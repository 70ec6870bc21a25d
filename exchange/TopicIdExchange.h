// The topic-id exchange between the help editor and the hotspot editor: the
// id goes on the clipboard as text, then the registered message
// "wm_tzonivex_changeid" is posted to every top-level window with the
// sender's application window as wParam and 0 as lParam. A receiver reads
// the clipboard when the message arrives; which copies of a broadcast each
// program acts on is the program's own rule.
#pragma once

#include <windows.h>

#include <string>

namespace qm::exchange {

constexpr char kTopicIdMessageName[] = "wm_tzonivex_changeid";

// Registers the message; the programs call it at start, before any window.
// Both programs get the same number while Windows runs.
UINT RegisterTopicIdMessage();
// The number (registered on first use when the program has not yet).
UINT TopicIdMessage();

// Puts id on the clipboard (replacing its contents) and, when broadcast is
// set, posts the message to all top-level windows. Nothing is posted when
// the clipboard could not be set: the receivers would read an older text.
bool SendTopicId(const std::string& id, HWND appWindow, bool broadcast = true);

// The id a received message carries: the clipboard's text (empty when it
// holds none or stays busy for more than a moment).
std::string ReceivedTopicId();

}  // namespace qm::exchange
