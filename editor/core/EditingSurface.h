// The arithmetic and texts of the topic editor's surroundings: the ruler's
// indent markers, the text colours, the font-size box, bullets and the
// status panels. The window only moves controls and sends messages with what
// these give.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm::editor {

// Ruler markers. Indents are in points as the paragraph gives them; the
// ruler shows them in pixels at 4/3 pixels a point. Products and quotients
// are truncated toward zero and worked out in integers (no rounded 4/3), so
// that a marker of an indent on a whole pixel, dropped where it stood, gives
// back that indent.
int FirstIndentMarkerLeft(int first_indent);
int LeftIndentMarkerLeft(int left_indent, int first_indent);
int RightIndentMarkerLeft(int right_indent, int ruler_client_width);
// The indents a dropped marker gives. grab: the offset at which the marker
// was taken (half its width). The left indent is relative to the first.
int FirstIndentFromMarker(int marker_left, int grab);
int LeftIndentFromMarker(int marker_left, int grab, int first_indent);
int RightIndentFromMarker(int marker_left, int grab, int ruler_client_width);
// The grab offset of a marker of this width.
inline int MarkerGrabOffset(int marker_width) { return marker_width / 2; }

// The ruler's caption: 100 pairs of a tab and "|", a bar at each default
// tab stop.
std::string RulerTicks();

// The sixteen text colours (COLORREF order: blue in the high byte), indexed
// by the colour menu item's image index, with their captions.
struct TextColor {
  const char* Caption;
  std::uint32_t Color;
};
extern const std::array<TextColor, 16> kColorTable;
// Indexes of kColorTable in the order of the colour menu (grey before
// silver).
extern const std::array<int, 16> kColorMenuOrder;

// What the font-size box's text does to the selection.
enum class FontSizeAction {
  Apply,    // set the size
  Ignore,   // leave the text as typed, change nothing
  Restore,  // put the selection's size back into the box
};
struct FontSizeInput {
  FontSizeAction Action;
  int Points = 0;
};
// Largest size in points the rich edit holds (a size in twips must fit in
// 16 bits).
constexpr int kMaxFontPoints = 1638;
// An integer above 0 is applied; 0 or less and an empty text are ignored;
// other text that is not an integer, or a size beyond kMaxFontPoints, puts
// the current size back.
FontSizeInput ParseFontSize(std::string_view text);

// Bullets on or off: the new check and the paragraph's first and left
// indents (30 and 6 points with bullets, both 0 without).
struct BulletsState {
  bool On;
  int FirstIndent;
  int LeftIndent;
};
BulletsState ToggleBullets(bool item_checked);

// Status panels: insert mode and the modified mark.
constexpr int kInsertModePanel = 8;
constexpr int kModifiedPanel = 9;
const char* InsertModeText(bool insert_mode);
const char* ModifiedText(bool modified);


}  // namespace qm::editor
