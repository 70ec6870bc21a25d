// The texts of the errors a user may meet from the class library, in the
// programs' own style (half-width katakana, an ASCII full stop). Errors of
// files name the file (core/FileErrorTexts.h).
#pragma once

namespace cl {

inline constexpr char kClipboardBusyText[] = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞを開けません.";
inline constexpr char kClipboardMemoryText[] = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ用のﾒﾓﾘが足りません.";
inline constexpr char kClipboardNotTakenText[] = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰできません.";
inline constexpr char kClipboardPictureFormatText[] = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの図は対応していない形式です.";

inline constexpr char kBadBitmapText[] = "ﾋﾞｯﾄﾏｯﾌﾟの形式が正しくありません.";
inline constexpr char kBadMetafileText[] = "ﾒﾀﾌｧｲﾙの形式が正しくありません.";
inline constexpr char kPictureExtensionText[] = "この拡張子の図には対応していません: ";
inline constexpr char kBitmapPixelsText[] = "ﾋﾞｯﾄﾏｯﾌﾟの画素を読み取れません.";
inline constexpr char kMetafileConvertText[] = "ﾒﾀﾌｧｲﾙを変換できません.";
inline constexpr char kMetafileReadText[] = "ﾒﾀﾌｧｲﾙを読み取れません.";
inline constexpr char kOutOfResourcesText[] = "ｼｽﾃﾑ ﾘｿｰｽが足りません.";

// Followed by the key or the value's name.
inline constexpr char kRegistryKeyText[] = "ﾚｼﾞｽﾄﾘ ｷｰを作成できません: ";
inline constexpr char kRegistryValueText[] = "ﾚｼﾞｽﾄﾘに書き込めません: ";

inline constexpr char kRichEditLibraryText[] = "riched32.dll を読み込めません.";
inline constexpr char kUnknownErrorText[] = "不明なｴﾗｰです.";

}  // namespace cl
