#include "editor/core/MacroLink.h"

#include "editor/core/LinkMarkup.h"

namespace qm::editor {

const std::vector<MacroTemplatePage>& MacroTemplatePages() {
  static const std::vector<MacroTemplatePage> pages = {
      {"プログラム",
       {"ControlPanel(CPL_name[,panel_name,tabnum])",
        "ExecFile(program[,arguments[,display-state[,topic-ID]]])",
        "ShellExecute(filename,[options[,show-flag[,operation[,path[,topic-id]]]]])",
        "ShortCut(window-class,program[,wParam[,lParam[,topic-ID]]])"}},
      {"ボタン",
       {"Back()", "BrowseButtons()", "ChangeButtonBinding(button-ID,button-macro)",
        "ChangeEnable(button-ID,button-macro)", "Contents()", "CreateButton(button-ID,name,macro)",
        "DestroyButton(button-ID)", "DisableButton(button-ID)", "EnableButton(button-ID)", "Find()",
        "Finder()", "Menu()", "Next()", "Prev()", "Search()"}},
      {"キーボード", {"AddAccelerator(key,shift-state,macro)", "RemoveAccelerator(key,shift-state)"}},
      {"リンク",
       {"ALink(keyword[;keyword] [,type[,topic-ID [,window-name]]])", "JumpContents(filename)",
        "JumpContext([filename>window-name,]context-number)", "JumpHash([filename>window-name,]hash-code)",
        "JumpHelpOn()", "JumpId([filename>window-name,]topic-ID)", "JumpKeyword([filename,]keyword)",
        "KLink(\"keyword[;keyword]\"[,type[,\"topic-ID\"[,window-name]]])",
        "PopupContext([filename,]context-number)", "PopupHash([filename,]hash-code)",
        "PopupId([filename,]topic-ID)", "UpdateWindow([filename>]window-name,topic-ID)"}},
      {"ウインドウ",
       {"CloseSecondarys()", "CloseWindow([window-name])", "FocusWindow(window-name)", "HelpOnTop()",
        "PositionWindow(x,y,width,height,display-state,window-name)", "SetPopupColor(r,g,b)"}},
  };
  return pages;
}

std::string MacroLinkMarkup(std::string_view text, std::string_view macro, int attribute, bool button) {
  std::string out;
  out.reserve(text.size() + macro.size() + 16);
  if (button) {
    out += "{button ";
    out += text;
    out += ",!";
  } else {
    out += "{jmp ";
    out += text;
    out += ',';
    out += LinkAttrPrefix(attribute);
    out += '!';
  }
  out += macro;
  out += '}';
  return out;
}

}  // namespace qm::editor
