// Runs the built stand-ins the way the editor does: hcrtf.exe with
// "-x -nga <project>.hpj" in the project folder, hcw.exe with a project name.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/tests/TempDir.h"
#include "classlib/tests/WaitUntil.h"

namespace {

std::string DistFolder() {
  std::string d = QM_DIST_DIR "/helpworkshop";
  for (char& c : d)
    if (c == '/') c = '\\';
  return d;
}

void WriteText(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD n = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  CloseHandle(h);
}

bool ReadText(const std::string& path, std::string& out) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  out.clear();
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
  CloseHandle(h);
  return true;
}

std::string Topic(const std::string& id, const std::string& body) {
  return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n\\viewkind4\\uc1\\pard #{\\footnote " + id +
         "} \\f0\\fs24 " + body + "\\par\r\n}\r\n";
}

// A project in the editor's layout with one broken jump.
void MakeProject(const std::string& dir, const std::string& hpj) {
  WriteText(dir + "\\" + hpj,
            "; This file is maintained by HCW. Do not modify this file directly.\r\n\r\n"
            "[OPTIONS]\r\nERRORLOG=my demo.err\r\nCONTENTS=Intro\r\nBMROOT=bmp\r\nROOT=rtf\r\n"
            "HLP=my demo.hlp\r\n\r\n[FILES]\r\nIntro.rtf\r\nSecond.rtf\r\n");
  CreateDirectoryA((dir + "\\rtf").c_str(), nullptr);
  CreateDirectoryA((dir + "\\bmp").c_str(), nullptr);
  WriteText(dir + "\\rtf\\Intro.rtf",
            Topic("Intro", "{\\uldb next}{\\v Second} {\\uldb broken}{\\v BadId} \\{bmc pic.bmp\\}"));
  WriteText(dir + "\\rtf\\second.RTF", Topic("Second", "{\\ul back}{\\v INTRO}"));
  WriteText(dir + "\\bmp\\PIC.BMP", "BM");
}

// Starts a program as the editor does: flags 0x20, the record's own size.
bool Start(const std::string& commandLine, const std::string& folder, PROCESS_INFORMATION& pi) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::vector<char> cmd(commandLine.begin(), commandLine.end());
  cmd.push_back('\0');
  return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi) != 0;
}

const char kBrokenJump[] = "HC3025: Warning: Intro.rtf : Jump to undefined Topic ID: BadId in topic Intro .";

}  // namespace

TEST(HcrtfStandIn, CompilesInTheProjectFolderAndWritesTheLog) {
  std::string dir = qmtest::NewTempDir("a project");  // blanks in the folder and the name
  MakeProject(dir, "my demo.hpj");
  WriteText(dir + "\\my demo.err", "an old log");
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start("\"" + DistFolder() + "\\Hcrtf.exe\" -x -nga my demo.hpj", dir, pi))
      << GetLastError();
  ASSERT_TRUE(qmtest::Ended(pi.hProcess));
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  EXPECT_EQ(code, 0u);

  std::string log;
  ASSERT_TRUE(ReadText(dir + "\\my demo.err", log));
  EXPECT_NE(log.find(std::string(kBrokenJump) + "\r\n"), std::string::npos) << log;
  // second.RTF was found and its pop-up to "INTRO" is sound.
  EXPECT_EQ(log.find("Second"), std::string::npos) << log;
  EXPECT_NE(log.find("No help file was built"), std::string::npos);
  const std::string tail = "0 errors, 1 warnings\r\n";
  ASSERT_GE(log.size(), tail.size());
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
  EXPECT_EQ(GetFileAttributesA((dir + "\\my demo.hlp").c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {

struct FindData {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindByTitle(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<FindData*>(lp);
  char title[256] = "";
  GetWindowTextA(hwnd, title, sizeof title);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == f->pid && std::string(title) == "Help Workshop" && IsWindowVisible(hwnd)) {
    f->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Starts hcw.exe, finds its window by its title and returns the window's text.
std::string RunHcw(const std::string& args, const std::string& folder) {
  PROCESS_INFORMATION pi;
  std::string cmd = "\"" + DistFolder() + "\\hcw.exe\"";
  if (!args.empty()) cmd += " " + args;
  if (!Start(cmd, folder, pi)) {
    ADD_FAILURE() << "hcw.exe did not start: " << GetLastError();
    return {};
  }
  FindData f = {pi.dwProcessId, nullptr};
  qmtest::WaitUntil("the Help Workshop window", [&] {
    EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&f));
    return f.found != nullptr;
  });
  std::string text;
  if (f.found) {
    for (HWND c = GetWindow(f.found, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      char buf[1024] = "";
      GetWindowTextA(c, buf, sizeof buf);
      text += buf;
    }
    PostMessageA(f.found, WM_CLOSE, 0, 0);
  } else {
    TerminateProcess(pi.hProcess, 1);
  }
  EXPECT_TRUE(qmtest::Ended(pi.hProcess));
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return text;
}

}  // namespace

TEST(HcwStandIn, ShowsTheProjectAndClosesOnRequest) {
  std::string dir = qmtest::NewTempDir("hcw");
  MakeProject(dir, "my demo.hpj");
  std::string text = RunHcw("my demo.hpj", dir);
  EXPECT_NE(text.find("Project file: my demo.hpj"), std::string::npos) << text;
  EXPECT_NE(text.find(dir + "\\my demo.hpj"), std::string::npos) << text;

  text = RunHcw("", "");
  EXPECT_NE(text.find("No project file was given."), std::string::npos) << text;
}

namespace {

// What a double click on the second character of the last occurrence of word
// selects in a rich-edit 1.0 control holding text (the control the editor's
// error pane is).
std::string DoubleClickSelects(const std::string& text, const char* word) {
  if (!LoadLibraryA("riched32.dll")) return "<no riched32>";
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                900, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND edit = CreateWindowExA(0, "RICHEDIT", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                  ES_NOHIDESEL,
                              0, 0, 880, 280, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, EM_SETTARGETDEVICE, 0, 1);  // no word wrap, as in the pane
  SetWindowTextA(edit, text.c_str());
  FINDTEXTA ft = {};
  ft.chrg.cpMin = 0;
  ft.chrg.cpMax = -1;
  ft.lpstrText = word;
  LONG pos = -1;
  for (LONG p; (p = static_cast<LONG>(SendMessageA(edit, EM_FINDTEXT, FR_DOWN,
                                                   reinterpret_cast<LPARAM>(&ft)))) >= 0;) {
    pos = p;
    ft.chrg.cpMin = p + 1;
  }
  if (pos < 0) return "<not found>";
  pos += 1;
  POINTL pt = {};
  SendMessageA(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), pos);
  LPARAM at = MAKELPARAM(pt.x + 2, pt.y + 4);
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(edit, WM_LBUTTONUP, 0, at);
  SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(edit, WM_LBUTTONUP, 0, at);
  char sel[512] = "";
  SendMessageA(edit, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(sel));

  DestroyWindow(parent);
  return sel;
}

}  // namespace

TEST(HcrtfStandIn, DoubleClickSelectsTheTopicIdsOfALogLine) {
  std::string log = std::string("Compiling my demo.hpj\r\n") + kBrokenJump + "\r\n0 errors, 1 warnings\r\n";
  // Both ids stand between blanks, never last on the line (Wine's rich edit
  // selects nonsense for the last word of a paragraph); the selection takes
  // the blank after the word.
  std::string a = DoubleClickSelects(log, "BadId");
  std::string b = DoubleClickSelects(log, "Intro");
  EXPECT_TRUE(a == "BadId" || a == "BadId ") << "[" << a << "]";
  EXPECT_TRUE(b == "Intro" || b == "Intro ") << "[" << b << "]";
}

TEST(HcrtfStandIn, CarriesTheVersionTheAboutBoxReads) {
  // As the editor reads it: the first translation, then its ProductVersion.
  const std::string exe = DistFolder() + "\\hcrtf.exe";
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
  ASSERT_GT(size, 0u) << exe;
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, block.data()));
  WORD* translation = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &len));
  ASSERT_GE(len, 4u);
  char key[64];
  wsprintfA(key, "\\StringFileInfo\\%04X%04X\\ProductVersion", translation[0], translation[1]);
  char* version = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), key, reinterpret_cast<void**>(&version), &len)) << key;
  EXPECT_STREQ(version, "1.00");
}
