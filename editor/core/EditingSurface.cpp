#include "editor/core/EditingSurface.h"

#include "core/Cp932.h"

namespace qm::editor {

namespace {

// Points to pixels and back; C++ division truncates toward zero.
int ToPixels(int points) { return static_cast<int>(static_cast<long long>(points) * 4 / 3); }
int ToPoints(int pixels) { return static_cast<int>(static_cast<long long>(pixels) * 3 / 4); }

}  // namespace

int FirstIndentMarkerLeft(int first_indent) { return ToPixels(first_indent) + 2; }

int LeftIndentMarkerLeft(int left_indent, int first_indent) {
  return ToPixels(left_indent + first_indent) + 2;
}

int RightIndentMarkerLeft(int right_indent, int ruler_client_width) {
  return ruler_client_width - ToPixels(right_indent + 6) - 6;
}

int FirstIndentFromMarker(int marker_left, int grab) { return ToPoints(marker_left + grab - 6); }

int LeftIndentFromMarker(int marker_left, int grab, int first_indent) {
  return ToPoints(marker_left + grab - 6) - first_indent;
}

int RightIndentFromMarker(int marker_left, int grab, int ruler_client_width) {
  return ToPoints(ruler_client_width + grab - marker_left - 2) - 12;
}

std::string RulerTicks() {
  std::string s;
  for (int i = 0; i < 100; ++i) s += "\t|";
  return s;
}

const std::array<TextColor, 16> kColorTable = {{
    {"黒", 0x000000},
    {"茶色", 0x000080},
    {"緑", 0x008000},
    {"オリーブ", 0x008080},
    {"紺", 0x800000},
    {"紫", 0x800080},
    {"青緑", 0x808000},
    {"銀色", 0xC0C0C0},
    {"灰色", 0x808080},
    {"赤", 0x0000FF},
    {"黄緑", 0x00FF00},
    {"黄", 0x00FFFF},
    {"青", 0xFF0000},
    {"赤紫", 0xFF00FF},
    {"水色", 0xFFFF00},
    {"白", 0xFFFFFF},
}};

const std::array<int, 16> kColorMenuOrder = {0, 1, 2, 3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13, 14, 15};

FontSizeInput ParseFontSize(std::string_view text) {
  // An empty box is being edited (its text cut or deleted): putting the
  // size back at once would undo the edit key.
  if (text.empty()) return {FontSizeAction::Ignore};
  int v = 0;
  if (!TryStrToInt(text, v)) return {FontSizeAction::Restore};
  if (v <= 0) return {FontSizeAction::Ignore};
  if (v > kMaxFontPoints) return {FontSizeAction::Restore};
  return {FontSizeAction::Apply, v};
}

BulletsState ToggleBullets(bool item_checked) {
  if (item_checked) return {false, 0, 0};
  return {true, 30, 6};
}

const char* InsertModeText(bool insert_mode) { return insert_mode ? "挿入" : "上書"; }

const char* ModifiedText(bool modified) { return modified ? "変更" : ""; }

}  // namespace qm::editor
