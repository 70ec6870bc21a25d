#include "WineTestUtil.h"

#include <tlhelp32.h>

#include "classlib/Application.h"
#include "core/FileSystem.h"

namespace qm::editor::test {

bool EndCompiler(const char* exe) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return false;
  bool ended = false;
  PROCESSENTRY32 pe{};
  pe.dwSize = sizeof pe;
  for (BOOL more = Process32First(snap, &pe); more && !ended; more = Process32Next(snap, &pe)) {
    if (pe.th32ParentProcessID != GetCurrentProcessId() || lstrcmpiA(pe.szExeFile, exe) != 0) continue;
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pe.th32ProcessID)) {
      ended = TerminateProcess(h, 0) != 0;
      CloseHandle(h);
    }
  }
  CloseHandle(snap);
  return ended;
}

std::string DistFolder(const std::string& name) {
  std::string d = QM_DIST_DIR "/" + name;
  for (char& c : d)
    if (c == '/') c = '\\';
  return d;
}

std::string CopyProject(const std::string& name) {
  std::string from = std::string(QM_TESTDATA_DIR) + "/projects/" + name;
  std::string to = NewTempDir();
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((from + "/*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::string src = from + "/" + fd.cFileName;
        std::string dst = to + "\\" + fd.cFileName;
        CopyFileA(src.c_str(), dst.c_str(), FALSE);
        SetFileAttributesA(dst.c_str(), FILE_ATTRIBUTE_NORMAL);
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  return to;
}

std::string ReadFile(const std::string& path) {
  std::string s;
  qm::ReadFileBytes(path, s);
  return s;
}

EditorFixture::EditorFixture() {
  cl::Application().Initialize();
  cl::SetMessageBoxHook([this](const cl::MessageBoxCall& c) {
    boxes.push_back(c);
    return box_answer;
  });
  cl::SetFileDialogHook([this](cl::TFileDialog& d) {
    if (dialog_answers.empty()) return false;
    d.FileName = dialog_answers.front();
    dialog_answers.erase(dialog_answers.begin());
    return true;
  });
  qm::editor::SetEditorDialogHook([this](cl::TDialogForm& d) {
    return editor_dialogs ? editor_dialogs(d) : static_cast<int>(cl::mrCancel);
  });
  form = std::make_unique<qm::editor::TMainForm>(store);
  form->DoCreate();
  form->Show();
  Pump();
}

EditorFixture::~EditorFixture() {
  form.reset();
  cl::SetMessageBoxHook(nullptr);
  cl::SetFileDialogHook(nullptr);
  qm::editor::SetEditorDialogHook(nullptr);
}

void EditorFixture::Pump() { cl::Application().ProcessMessages(); }

void EditorFixture::ClickTopic(const std::string& id) {
  int index = form->Project.TopicIds.IndexOf(id);
  for (qm::editor::ContentsNode* n : form->Project.Contents.Nodes()) {
    if ((n->Kind == qm::editor::kTopicNode || n->Kind == qm::editor::kHiddenTopicNode) &&
        n->Data == index) {
      form->ConTextView->Select(static_cast<cl::TTreeNode>(n->ViewItem));
      form->ContentsCmds->ConTextViewClick(form->ConTextView);
      return;
    }
  }
}

void EditorFixture::TypeAtEnd(const std::string& text) {
  int len = GetWindowTextLengthA(form->Editor->Handle());
  form->Editor->SetSel(len, 0);
  form->Editor->SetSelText(text);
}

void EditorFixture::EditorKey(int held, int vk) {
  qmtest::THeldKeys down({held});
  PostMessageA(form->Editor->Handle(), WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
  PostMessageA(form->Editor->Handle(), WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
  Pump();
}

}  // namespace qm::editor::test
