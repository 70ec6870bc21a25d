// hcw.exe: the Help Workshop stand-in. Shows one window that names the
// project file given on the command line, and closes when asked.
#include <windows.h>

#include <string>

#include "standins/hcrtf/core/Compiler.h"

namespace {

const char kClassName[] = "QmHelpWorkshopStandIn";
const char kTitle[] = "Help Workshop";
const int kTextId = 100;

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: {
      HWND text = GetDlgItem(hwnd, kTextId);
      if (text) MoveWindow(text, 12, 12, LOWORD(lp) - 24, HIWORD(lp) - 24, TRUE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

std::string DescribeProject(const std::string& project) {
  if (project.empty()) return "No project file was given.";
  std::string text = "Project file: " + project;
  char full[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(project.c_str(), sizeof full, full, nullptr);
  DWORD attr = GetFileAttributesA(project.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY))
    text += "\r\n(the file does not exist)";
  else if (n > 0 && n < sizeof full)
    text += std::string("\r\n(") + full + ")";
  text += "\r\n\r\nThis is a stand-in for Microsoft Help Workshop.";
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
  std::string project =
      qm::hcrtf::ParseCommandLine(qm::hcrtf::SkipProgramName(GetCommandLineA())).project;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return 1;

  HWND hwnd = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 520, 200, nullptr, nullptr, inst, nullptr);
  if (!hwnd) return 1;
  HWND text = CreateWindowExA(0, "STATIC", DescribeProject(project).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 12, 480, 140, hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), inst,
                              nullptr);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);

  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}
