// The macro link dialog's template pages and the markup it inserts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

struct MacroTemplatePage {
  std::string_view Caption;
  std::vector<std::string_view> Items;
};

// The five pages in their order: プログラム, ボタン, キーボード, リンク,
// ウインドウ.
const std::vector<MacroTemplatePage>& MacroTemplatePages();
// The page shown when the dialog opens (ウインドウ).
constexpr int kMacroStartPage = 4;

// The help button opens the help compiler's help file in its folder at the
// macro reference (HELP_KEY).
constexpr std::string_view kMacroHelpFile = "hcw.hlp";
constexpr std::string_view kMacroHelpKeyword = "macro quick reference";

// The markup for a link that runs macro: with button, "{button " + text +
// ",!" + macro + "}"; otherwise "{jmp " + text + "," + the attribute prefix of
// the link dialogs + "!" + macro + "}". Both are inserted as typed.
std::string MacroLinkMarkup(std::string_view text, std::string_view macro, int attribute, bool button);

// Whether the dialog may close: OK needs both texts, マクロのみ the macro.
inline bool MacroLinkAccepted(std::string_view text, std::string_view macro) {
  return !text.empty() && !macro.empty();
}
inline bool MacroOnlyAccepted(std::string_view macro) { return !macro.empty(); }

}  // namespace qm::editor
