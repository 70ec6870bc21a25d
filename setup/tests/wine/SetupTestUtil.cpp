#include "SetupTestUtil.h"

#include <gtest/gtest.h>

#include <functional>

#include "classlib/tests/TempDir.h"
#include "setup/core/SetupNames.h"

namespace qmtest {

std::string WinPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string NewFolder(const std::string& leaf) {
  std::string dir = NewTempDir() + "\\" + leaf;
  EXPECT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
  return dir;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD n = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
}

std::string ReadFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
  CloseHandle(h);
  return out;
}

std::string TinyProgram(const std::string& tag) {
  return WinPath(QM_SETUP_TINY_DIR "/setup_tiny_" + tag + ".exe");
}

namespace {

void Copy(const std::string& from, const std::string& to) {
  ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

}  // namespace

void MakePackage(const std::string& folder, const std::string& editorTag,
                 const std::string& hotspotTag) {
  Copy(TinyProgram(editorTag), folder + "\\quillmark.exe");
  Copy(TinyProgram(hotspotTag), folder + "\\zonivex.exe");
  Copy(TinyProgram("none"), folder + "\\quillmarkSetup.exe");
  Copy(WinPath(QM_DIST_DIR "/standins/Latepurge.exe"), folder + "\\Latepurge.exe");
  WriteFile(folder + "\\quillmark.hlp", "help");
  WriteFile(folder + "\\quillmark.cnt", ":Base quillmark.hlp\r\n1 はじめに=Intro\r\n");
  WriteFile(folder + "\\quillmark.txt", "説明書\r\n");
}

void MakeInstallation(const std::string& folder, const std::string& tag) {
  Copy(TinyProgram(tag), folder + "\\quillmark.exe");
  Copy(TinyProgram(tag), folder + "\\zonivex.exe");
  Copy(TinyProgram("none"), folder + "\\quillmarkSetup.exe");
  WriteFile(folder + "\\quillmark.hlp", "old help");
  WriteFile(folder + "\\quillmark.cnt", ":Base quillmark.hlp\r\n");
  // Older than the package's files.
  for (const char* name : {"quillmark.exe", "zonivex.exe", "quillmarkSetup.exe", "quillmark.hlp",
                           "quillmark.cnt"})
    MakeOld(folder + "\\" + name);
}

void MakeOld(const std::string& file) {
  FILETIME old = {0, 0x01B00000};
  HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << file;
  SetFileTime(h, nullptr, nullptr, &old);
  CloseHandle(h);
}

namespace {

// One file as a line: name, size, last-write time and a hash of the bytes.
std::string Describe(const std::string& path, const char* name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return std::string(name) + " <missing>\n";
  std::string bytes = ReadFile(path);
  return std::string(name) + " " + std::to_string(bytes.size()) + " " +
         std::to_string(data.ftLastWriteTime.dwHighDateTime) + ":" +
         std::to_string(data.ftLastWriteTime.dwLowDateTime) + " " +
         std::to_string(std::hash<std::string>()(bytes)) + "\n";
}

std::string Listing(const std::string& folder, const std::string& pattern) {
  std::string out;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return pattern + " <none>\n";
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    out += Describe(folder + "\\" + name, name.c_str());
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) out += Listing(folder + "\\" + name, "*");
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return out;
}

std::string Values(HKEY root, const std::string& key) {
  if (!KeyExists(root, key)) return key + " <none>\n";
  std::string out;
  for (const std::string& name : ValueNames(root, key)) {
    DWORD type = 0;
    std::string data;
    ReadValue(root, key, name, type, data);
    out += key + " " + name + " " + std::to_string(type) + " " + data + "\n";
  }
  return out;
}

}  // namespace

std::string MachineState(const std::string& folder, const std::string& windowsFolder,
                         const std::vector<std::string>& shortcuts) {
  std::string out = "[" + folder + "]\n" +
                    (Exists(folder) ? Listing(folder, "*") : std::string("<no folder>\n"));
  out += "[" + windowsFolder + "]\n" + Describe(windowsFolder + "\\Latepurge.exe", "Latepurge.exe") +
         Listing(windowsFolder, "qms*.tmp");
  for (const std::string& link : shortcuts) out += Describe(link, link.c_str());
  out += Values(HKEY_LOCAL_MACHINE, qm::setup::kUninstallKey) +
         Values(HKEY_LOCAL_MACHINE, qm::setup::kCacheKey) +
         Values(HKEY_CURRENT_USER, std::string(qm::setup::kSettingsKey) + "\\Install");
  return out;
}

bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD& type,
               std::string& data) {
  HKEY k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  bool ok = RegQueryValueExA(k, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  if (ok) {
    data.assign(size, '\0');
    ok = RegQueryValueExA(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &size) == ERROR_SUCCESS;
    data.resize(size);
  }
  RegCloseKey(k);
  return ok;
}

std::string ReadText(HKEY root, const std::string& key, const std::string& name) {
  DWORD type = 0;
  std::string data;
  if (!ReadValue(root, key, name, type, data)) return "<missing>";
  if (!data.empty() && data.back() == '\0') data.pop_back();
  return data;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& key) {
  std::vector<std::string> names;
  HKEY k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD len = sizeof name;
    if (RegEnumValueA(k, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  RegCloseKey(k);
  return names;
}

void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
}

void CreateKey(HKEY root, const std::string& key) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(k);
}

void DeleteKey(HKEY root, const std::string& key) { RegDeleteTreeA(root, key.c_str()); }

MessageRecorder::MessageRecorder() {
  cl::SetMessageBoxHook([this](const cl::MessageBoxCall& call) {
    calls.push_back(call);
    return answer;
  });
}

MessageRecorder::~MessageRecorder() { cl::SetMessageBoxHook(nullptr); }

std::vector<std::string> MessageRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const auto& c : calls) texts.push_back(c.text);
  return texts;
}

bool ScriptedDialogs::ShowReadme() {
  shown.push_back("readme");
  return readmeOk;
}

bool ScriptedDialogs::ChooseInstallFolder() {
  shown.push_back("folder");
  return folderOk;
}

void ScriptedDialogs::AskShortcuts(bool& p, bool& d) {
  shown.push_back("shortcuts");
  p = programs;
  d = desktop;
}

}  // namespace qmtest
