// The picture and media markup of the graphic and MCI dialogs, and the file
// lists they show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

// 表示位置: in the line, left, right.
enum class PicturePlacement { InLine = 0, Left = 1, Right = 2 };

// "{bmc", "{bml" or "{bmr", "t" when transparent, a blank, the name, "}".
std::string PictureMarkup(PicturePlacement placement, bool transparent, std::string_view name);

// The MCI dialog's check boxes.
struct MediaOptions {
  bool External = false;  // 外部
  bool PlayBar = true;    // バー
  bool Menu = true;       // メニュー
  bool Repeat = false;    // 繰り返し
  bool AutoPlay = false;  // 自動再生
};

// True for a name whose extension is ".avi" (any case); only video takes
// the bar, menu, repeat and play options.
bool IsVideoFile(std::string_view name);

// Sound: "{mci" or "{mci EXTERNAL", then " PLAY,", the name, "}". Video: the
// options EXTERNAL, NOPLAYBAR, NOMENU, REPEAT, PLAY that apply, each after a
// blank, then "," and the name; with none, "{mci " and the name; then "}".
std::string MediaMarkup(std::string_view name, const MediaOptions& options);

// The names the dialogs list, sorted without regard to ASCII case: the
// .bmp, .shg and .mrb files of the bmp folder, and the .avi and .wav files
// of the project folder.
std::vector<std::string> PictureFileNames(const std::string& bmpDir);
std::vector<std::string> MediaFileNames(const std::string& projectDir);

}  // namespace qm::editor
