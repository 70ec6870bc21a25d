#include "setup/Shortcuts.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "setup/core/SetupPaths.h"

namespace qm::setup {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p) p->Release();
  }
};

// An item-ID list from the shell, freed with the task allocator.
struct IdList {
  LPITEMIDLIST p = nullptr;
  ~IdList() { CoTaskMemFree(p); }
};

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

// The special folder's parsing name as the desktop folder gives it.
std::wstring SpecialFolderParsingName(int csidl) {
  ComRef<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(&desktop.p))) return {};
  IdList pidl;
  if (FAILED(SHGetSpecialFolderLocation(GetDesktopWindow(), csidl, &pidl.p)) || !pidl.p) return {};
  STRRET name = {};
  if (FAILED(desktop.p->GetDisplayNameOf(pidl.p, SHGDN_FORPARSING, &name))) return {};
  switch (name.uType) {
    case STRRET_WSTR: {
      std::wstring path = name.pOleStr ? name.pOleStr : L"";
      CoTaskMemFree(name.pOleStr);
      return path;
    }
    case STRRET_CSTR:
      return Wide(name.cStr);
    default:
      return {};
  }
}

}  // namespace

std::string SpecialFolderPath(int csidl) {
  IdList pidl;
  if (FAILED(SHGetSpecialFolderLocation(GetDesktopWindow(), csidl, &pidl.p)) || !pidl.p) return {};
  char path[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListA(pidl.p, path)) return {};
  return path;
}

bool CreateShortcut(const std::string& folder, const std::string& exeName,
                    const std::string& name, int csidl) {
  ComRef<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link.p))))
    return false;
  link.p->SetWorkingDirectory(folder.c_str());
  link.p->SetPath(JoinFolder(folder, exeName).c_str());
  link.p->SetDescription(name.c_str());
  ComRef<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))))
    return false;
  std::wstring dir = SpecialFolderParsingName(csidl);
  // Without the special folder the shortcut would land at the root of the
  // current drive ("\Quillmark.lnk"): none is made then.
  if (dir.empty()) return false;
  if (dir.back() != L'\\') dir += L'\\';
  std::wstring path = dir + Wide(name) + L".lnk";
  if (path.size() > MAX_PATH - 1) return false;
  return SUCCEEDED(file.p->Save(path.c_str(), TRUE));
}

void DeleteShortcut(const std::string& name, int csidl) {
  std::string dir = SpecialFolderPath(csidl);
  if (dir.empty()) return;
  DeleteFileA(JoinFolder(dir, name + ".lnk").c_str());
}

}  // namespace qm::setup
