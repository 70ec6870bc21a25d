// qmprobe: tells a test what a user would see on the Wine desktop: the
// top-level windows (in stacking order, topmost first) with their titles,
// places, owners and visibility, the child windows of one of them, and the
// text a control shows. It only looks; it never clicks or types.
//
//   qmprobe windows                 one line per top-level window
//   qmprobe children HWND           one line per descendant window of HWND
//   qmprobe text HWND               the window's text (WM_GETTEXT)
//   qmprobe send HWND MSG WP LP     the result of a message that carries no pointer
//   qmprobe client HWND             the client rectangle in screen coordinates
//   qmprobe focus                   the active and the focused window of the
//                                   foreground thread (where keys go) and the
//                                   focused one's class
//   qmprobe metric N                GetSystemMetrics(N)
//   qmprobe rect HWND MSG WP [FIRST]
//                                   a message whose lParam points at a RECT (its
//                                   first pointer-sized field set to FIRST, as
//                                   TVM_GETITEMRECT wants): result and the
//                                   rectangle in screen coordinates
//   qmprobe point HWND MSG LP       a message whose wParam points at a POINTL
//                                   (EM_POSFROMCHAR of rich edit 1.0): the point
//                                   in screen coordinates
//   qmprobe textmsg HWND MSG WP     a message that fills a text buffer given in
//                                   lParam (SB_GETTEXTA, WM_GETTEXT...): the
//                                   code page 932 text as UTF-8
//   qmprobe tree HWND               the visible items of a tree view, top to
//                                   bottom: item, image, label rectangle in
//                                   screen coordinates, label
// The buffers of the last four live in the window's own process (so the probe
// and the program must have the same width: both are 64-bit).
//   qmprobe items HWND              the items of a combo box, one per line (its
//                                   messages are carried across processes by
//                                   the system, so the buffer is the probe's)
//   qmprobe serve                   the commands above, one per line on standard
//                                   input; every answer ends with a line "."
//
// Window lines: hwnd, owner (or parent), visible 0/1, left,top,right,bottom,
// process id, control id, class, title; separated by tabs. Handles are hex.
// All text is written as UTF-8.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// Tabs and line ends inside a title would break the line format.
std::string OneLine(std::string s) {
  for (char& c : s)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return s;
}

void Write(const std::string& s) {
  DWORD done = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &done, nullptr);
}

std::string Hex(const void* p) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(p)));
  return buf;
}

HWND ParseHwnd(const std::string& s) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(s.c_str(), nullptr, 16)));
}

std::string Title(HWND w) {
  wchar_t buf[1024] = {};
  GetWindowTextW(w, buf, 1024);
  return OneLine(Utf8(buf));
}

std::string WindowLine(HWND w, HWND owner) {
  RECT r = {};
  GetWindowRect(w, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[256] = {};
  GetClassNameW(w, cls, 256);
  char buf[160];
  std::snprintf(buf, sizeof buf, "\t%d\t%ld,%ld,%ld,%ld\t%lu\t%ld\t", IsWindowVisible(w) ? 1 : 0, r.left,
                r.top, r.right, r.bottom, pid, static_cast<long>(GetDlgCtrlID(w)));
  return Hex(w) + "\t" + Hex(owner) + buf + OneLine(Utf8(cls)) + "\t" + Title(w) + "\n";
}

BOOL CALLBACK AddWindow(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

std::string Windows() {
  std::vector<HWND> all;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
  std::string out;
  for (HWND w : all) out += WindowLine(w, GetWindow(w, GW_OWNER));
  return out;
}

std::string Children(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&all));
  std::string out;
  for (HWND w : all) out += WindowLine(w, GetParent(w));
  return out;
}

std::string Text(HWND w) {
  // Rich edit controls of another process may answer WM_GETTEXTLENGTH with 0:
  // ask with room enough.
  LRESULT n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  std::wstring buf(std::max<std::size_t>(static_cast<std::size_t>(n) + 2, 1 << 18), L'\0');
  n = SendMessageW(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(static_cast<std::size_t>(n));
  // Line ends become \n; the answer's own end is the line ".".
  std::string s;
  for (char c : Utf8(buf))
    if (c != '\r') s += c;
  return s + "\n";
}

std::string ComboItems(HWND w) {
  std::string s;
  const LRESULT n = SendMessageW(w, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT len = SendMessageW(w, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (len < 0) break;
    std::wstring item(static_cast<std::size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(w, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    s += OneLine(Utf8(item)) + "\n";
  }
  return s;
}

std::string Client(HWND w) {
  RECT r = {};
  GetClientRect(w, &r);
  POINT a = {r.left, r.top}, b = {r.right, r.bottom};
  ClientToScreen(w, &a);
  ClientToScreen(w, &b);
  char buf[80];
  std::snprintf(buf, sizeof buf, "%ld,%ld,%ld,%ld\n", a.x, a.y, b.x, b.y);
  return buf;
}

// A buffer inside the process that owns a window, for messages that carry a
// pointer (Wine passes such pointers between processes unchanged).
class RemoteBuffer {
 public:
  RemoteBuffer(HWND w, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  bool ok() const { return address_ != nullptr; }
  void* address() const { return address_; }
  bool Write(const void* data, std::size_t n) {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, address_, data, n, &done) && done == n;
  }
  std::string Read() const {
    std::string s(size_, '\0');
    SIZE_T done = 0;
    ReadProcessMemory(process_, address_, s.data(), size_, &done);
    s.resize(done);
    return s;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

// A program busy with a long piece of work (a large topic loading on a loaded
// machine) answers late, not never: ask again while the window lives, for up
// to a minute, before giving up on it.
bool Send(HWND w, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
  const ULONGLONG end = GetTickCount64() + 60000;
  do {
    if (SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, 5000, &result) != 0) return true;
  } while (IsWindow(w) && GetTickCount64() < end);
  return false;
}

UINT_PTR Number(const std::string& s) { return static_cast<UINT_PTR>(std::strtoull(s.c_str(), nullptr, 0)); }

std::string RectMessage(HWND w, const std::vector<std::string>& a) {
  RemoteBuffer buf(w, sizeof(RECT) + 16);
  if (!buf.ok()) return "error: no buffer in the window's process\n";
  unsigned char init[sizeof(RECT) + 16] = {};
  UINT_PTR first = a.size() > 4 ? Number(a[4]) : 0;
  std::memcpy(init, &first, sizeof first);
  buf.Write(init, sizeof init);
  DWORD_PTR result = 0;
  if (!Send(w, static_cast<UINT>(Number(a[2])), Number(a[3]), reinterpret_cast<LPARAM>(buf.address()), result))
    return "error: no answer\n";
  RECT r;
  std::memcpy(&r, buf.Read().data(), sizeof r);
  MapWindowPoints(w, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  char out[96];
  std::snprintf(out, sizeof out, "%lld\t%ld,%ld,%ld,%ld\n", static_cast<long long>(result), r.left, r.top, r.right,
                r.bottom);
  return out;
}

std::string PointMessage(HWND w, const std::vector<std::string>& a) {
  RemoteBuffer buf(w, sizeof(POINTL));
  if (!buf.ok()) return "error: no buffer in the window's process\n";
  POINTL zero = {};
  buf.Write(&zero, sizeof zero);
  DWORD_PTR result = 0;
  if (!Send(w, static_cast<UINT>(Number(a[2])), reinterpret_cast<WPARAM>(buf.address()),
            static_cast<LPARAM>(Number(a[3])), result))
    return "error: no answer\n";
  POINTL pl;
  std::memcpy(&pl, buf.Read().data(), sizeof pl);
  POINT p = {pl.x, pl.y};
  ClientToScreen(w, &p);
  char out[64];
  std::snprintf(out, sizeof out, "%ld,%ld\n", p.x, p.y);
  return out;
}

std::string TextMessage(HWND w, const std::vector<std::string>& a) {
  const std::size_t size = 1 << 20;
  RemoteBuffer buf(w, size);
  if (!buf.ok()) return "error: no buffer in the window's process\n";
  char zero[2] = {};
  buf.Write(zero, sizeof zero);
  DWORD_PTR result = 0;
  UINT msg = static_cast<UINT>(Number(a[2]));
  WPARAM wp = Number(a[3]);
  if (msg == WM_GETTEXT) wp = size - 1;
  if (!Send(w, msg, wp, reinterpret_cast<LPARAM>(buf.address()), result)) return "error: no answer\n";
  std::string bytes = buf.Read();
  bytes.resize(std::strlen(bytes.c_str()));
  int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  std::string s;
  for (char c : Utf8(wide))
    if (c != '\r') s += c;
  return s + "\n";
}

std::string TreeItems(HWND tree) {
  struct Remote {
    TVITEMA item;
    RECT rect;
    char text[520];
  };
  RemoteBuffer buf(tree, sizeof(Remote));
  if (!buf.ok()) return "error: no buffer in the window's process\n";
  auto* base = static_cast<char*>(buf.address());
  std::string out;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  for (int guard = 0; item && guard < 10000; ++guard) {
    Remote r = {};
    r.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    r.item.hItem = item;
    r.item.pszText = base + offsetof(Remote, text);
    r.item.cchTextMax = sizeof r.text;
    std::memcpy(&r.rect, &item, sizeof item);
    buf.Write(&r, sizeof r);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(base + offsetof(Remote, item)));
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(base + offsetof(Remote, rect)));
    std::string bytes = buf.Read();
    std::memcpy(&r, bytes.data(), std::min(bytes.size(), sizeof r));
    r.text[sizeof r.text - 1] = '\0';
    MapWindowPoints(tree, HWND_DESKTOP, reinterpret_cast<POINT*>(&r.rect), 2);
    int n = MultiByteToWideChar(932, 0, r.text, -1, nullptr, 0);
    std::wstring label(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, r.text, -1, label.data(), n);
    label.resize(wcslen(label.c_str()));
    char head[128];
    std::snprintf(head, sizeof head, "\t%d\t%ld,%ld,%ld,%ld\t", r.item.iImage, r.rect.left, r.rect.top,
                  r.rect.right, r.rect.bottom);
    out += Hex(item) + head + OneLine(Utf8(label)) + "\n";
    item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
  }
  return out;
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> words;
  std::string w;
  for (char c : line) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      if (!w.empty()) words.push_back(w);
      w.clear();
    } else {
      w += c;
    }
  }
  if (!w.empty()) words.push_back(w);
  return words;
}

std::string Answer(const std::vector<std::string>& a) {
  if (a.empty()) return "error: no command\n";
  const std::string& cmd = a[0];
  if (cmd == "windows") return Windows();
  if (cmd == "focus") {
    GUITHREADINFO g = {sizeof g};
    GetGUIThreadInfo(0, &g);
    wchar_t cls[256] = {};
    if (g.hwndFocus) GetClassNameW(g.hwndFocus, cls, 256);
    return Hex(g.hwndActive) + "\t" + Hex(g.hwndFocus) + "\t" + OneLine(Utf8(cls)) + "\n";
  }
  if (cmd == "metric" && a.size() == 2) return std::to_string(GetSystemMetrics(std::atoi(a[1].c_str()))) + "\n";
  if (a.size() < 2) return "error: " + cmd + " needs a window\n";
  HWND w = ParseHwnd(a[1]);
  if (!IsWindow(w)) return "error: no window " + a[1] + "\n";
  if (cmd == "children") return Children(w);
  if (cmd == "text") return Text(w);
  if (cmd == "client") return Client(w);
  if (cmd == "tree") return TreeItems(w);
  if (cmd == "items") return ComboItems(w);
  if (cmd == "rect" && a.size() >= 4) return RectMessage(w, a);
  if (cmd == "point" && a.size() == 4) return PointMessage(w, a);
  if (cmd == "textmsg" && a.size() == 4) return TextMessage(w, a);
  if (cmd == "send" && a.size() == 5) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, static_cast<UINT>(std::strtoul(a[2].c_str(), nullptr, 0)),
                             static_cast<WPARAM>(std::strtoull(a[3].c_str(), nullptr, 0)),
                             static_cast<LPARAM>(std::strtoll(a[4].c_str(), nullptr, 0)), SMTO_ABORTIFHUNG,
                             5000, &result))
      return "error: no answer\n";
    return std::to_string(static_cast<long long>(result)) + "\n";
  }
  return "error: unknown command " + cmd + "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] != "serve") {
    std::string out = Answer(args);
    Write(out);
    return out.rfind("error:", 0) == 0 ? 1 : 0;
  }
  // Serve: one command per line until standard input ends.
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  std::string pending;
  char buf[512];
  DWORD got = 0;
  while (ReadFile(in, buf, sizeof buf, &got, nullptr) && got > 0) {
    pending.append(buf, got);
    std::size_t nl;
    while ((nl = pending.find('\n')) != std::string::npos) {
      std::string line = pending.substr(0, nl);
      pending.erase(0, nl + 1);
      Write(Answer(Split(line)) + ".\n");
    }
  }
  return 0;
}
