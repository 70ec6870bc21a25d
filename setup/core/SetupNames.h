// The fixed names of the setup: the files of the package, the registry keys
// and values it writes, and the folders its shortcuts go into.
#pragma once

#include <array>
#include <cstdint>

namespace qm::setup {

// The product names shown in labels and messages.
inline constexpr char kEditorProduct[] = "Quillmark";
inline constexpr char kHotspotProduct[] = "Zonivex";

inline constexpr char kEditorExe[] = "quillmark.exe";
inline constexpr char kHotspotExe[] = "zonivex.exe";
inline constexpr char kSetupExe[] = "quillmarkSetup.exe";
inline constexpr char kReadme[] = "quillmark.txt";
inline constexpr char kLatepurgeExe[] = "Latepurge.exe";
// The delete-after-exit program counts with this fixed size in the disk
// figures, whatever the package holds.
inline constexpr std::uint64_t kLatepurgeSize = 39424;

// The files copied into the install folder, in the order they are copied.
inline constexpr std::array<const char*, 5> kInstallFiles = {
    kSetupExe, kEditorExe, kHotspotExe, "quillmark.hlp", "quillmark.cnt"};
// The files the uninstall deletes, in that order; the setup itself stays for
// the delete-after-exit program.
inline constexpr std::array<const char*, 5> kUninstallFiles = {
    kEditorExe, "quillmark.hlp", "quillmark.cnt", "quillmark.gid", kHotspotExe};

// The application title, by which a second setup finds the first.
inline constexpr char kSetupTitle[] = "Quillmark Setup";
// The editors' single-copy mutexes, tested in this order.
inline constexpr char kHotspotMutex[] = "Tarvesk_Zonivexor";
inline constexpr char kEditorMutex[] = "Tarvesk_Quillmarkor";

// The name of the uninstall key, of its cache key and of the run-once value.
inline constexpr char kUninstallName[] = "Tarvesk_quillmark";
inline constexpr char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvesk_quillmark";
inline constexpr char kCacheParentKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
inline constexpr char kCacheKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\Tarvesk_quillmark";
inline constexpr char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The editors' per-user settings key and the sections older versions used.
inline constexpr char kSettingsKey[] = "software\\tarvesk\\quillmark";
inline constexpr char kInstallSection[] = "Install";
inline constexpr char kToolBarSection[] = "ToolBar";

// The uninstall entry's fixed texts.
inline constexpr char kPublisher[] = "Tarvesk Software Works";
inline constexpr char kUpdateUrl[] = "https://www.tarvesk.example/quillmark/";
inline constexpr char kHelpUrl[] = "https://www.tarvesk.example/quillmark/faq.html";

// Name and description of every shortcut.
inline constexpr char kShortcutName[] = "Quillmark";

// ShortcutFlags bits.
enum : std::uint32_t {
  kShortcutPrograms = 1,
  kShortcutStartup = 2,
  kShortcutDesktop = 4,
  kShortcutSendTo = 8,
};

}  // namespace qm::setup
