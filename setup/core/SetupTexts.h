// Every text the setup shows, in one place.
#pragma once

#include <string>
#include <string_view>

namespace qm::setup {

// Appended to the product name of a running editor.
inline constexpr char kRunningSuffix[] =
    " が実行中です。終了してからセットアッププログラムを再実行してください。";

// Appended to the full path of a file missing from the package folder.
inline constexpr char kMissingFileSuffix[] =
    " が見つかりません。セットアッププログラムと同じフォルダに置いてください。";

// Appended to the product label in the main window's caption.
inline constexpr char kInstallCaptionSuffix[] = " のインストール";
inline constexpr char kUninstallCaptionSuffix[] = " のアンインストール";

inline constexpr char kUpToDate[] = "最新バージョンがインストールされています。";
inline constexpr char kDiskFull[] = "ディスクの空き領域が足りません";
inline constexpr char kNoFolder[] = "フォルダが作成できませんでした。";
// A copy that failed: the package's file and the folder it was to go into.
inline std::string CannotCopyText(std::string_view file, std::string_view folder) {
  return std::string(file) + " を " + std::string(folder) + " にコピーできません。";
}
// An earlier file that a failed install could not put back, and the name it
// is kept under.
inline std::string CannotPutBackText(std::string_view file, std::string_view kept) {
  return std::string(file) + " を元に戻せません。元のファイルは " + std::string(kept) +
         " にあります。";
}
// The removal an earlier uninstall left for the next log-on would take the
// new install's setup away, and it could not be cancelled.
inline constexpr char kRemovalStillPending[] =
    "前回のアンインストールで予約されたフォルダの削除を取り消せません。";
inline constexpr char kInstalled[] = "インストールが終了しました。";
// Shown instead of the last message when a registry entry could not be written.
inline constexpr char kInstalledNoEntry[] =
    "インストールが終了しましたが、アンインストール情報を登録できませんでした。";

inline constexpr char kNotInstalled[] = "インストールされていません。";
inline constexpr char kConfirmUninstall[] = "アンインストールを実行してもよろしいですか？";
inline constexpr char kUninstalled[] =
    "アンインストールが終了しました。\r\n次回起動時に完全削除されます。";
// Shown instead when the run-once value could not be written.
inline constexpr char kUninstalledNoRunOnce[] =
    "アンインストールが終了しましたが、フォルダの削除を登録できませんでした。\r\n"
    "フォルダは手動で削除してください。";

// The disk figures: "%8.2f" megabytes.
inline constexpr char kMegabytesFormat[] = "%8.2f Mバイト";

}  // namespace qm::setup
