#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/FileSystem.h"
#include "standins/hcrtf/core/Compiler.h"

using namespace qm;
using namespace qm::hcrtf;

namespace {

namespace fs = std::filesystem;

std::string TempDir() {
  char tmpl[] = "/tmp/qmhcrtfXXXXXX";
  const char* d = ::mkdtemp(tmpl);
  return d ? d : "";
}

void Write(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  WriteFileReplacing(path, text);
}

std::string Topic(const std::string& id, const std::string& body) {
  return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n\\viewkind4\\uc1\\pard #{\\footnote " + id +
         "} \\f0\\fs24 " + body + "\\par\r\n}\r\n";
}

// The editor's layout: rtf and bmp folders, one topic per file.
std::string EditorProject(const std::string& name) {
  std::string dir = TempDir();
  Write(dir + "/" + name,
        "; This file is maintained by HCW. Do not modify this file directly.\r\n\r\n"
        "[OPTIONS]\r\nERRORLOG=" + ChangeFileExt(name, ".err") +
            "\r\nCONTENTS=Intro\r\nBMROOT=bmp\r\nROOT=rtf\r\nHLP=" +
            ChangeFileExt(name, ".hlp") + "\r\n\r\n[FILES]\r\nIntro.rtf\r\nSecond.rtf\r\n\r\n"
            "[MAP]\r\n#include demo.hm\r\n");
  Write(dir + "/rtf/Intro.rtf",
        Topic("Intro", "{\\uldb next}{\\v Second} {\\ul oops}{\\v BadPop} \\{bmc here.bmp\\}"));
  Write(dir + "/rtf/Second.rtf",
        Topic("Second", "{\\uldb back}{\\v %intro>main} {\\uldb away}{\\v BadId}"
                        " {\\uldb far}{\\v X@other.hlp} \\{bml gone.bmp\\} \\{bmr gone.bmp\\}"));
  Write(dir + "/bmp/here.bmp", "BM");
  return dir;
}

bool Has(const CompileResult& r, const std::string& line) {
  for (const std::string& l : r.log)
    if (l == line) return true;
  return false;
}

Lines Messages(const CompileResult& r) {
  Lines out;
  for (const std::string& l : r.log)
    if (l.rfind("HC", 0) == 0) out.push_back(l);
  return out;
}

}  // namespace

TEST(Compiler, EditorProjectWithBrokenLinks) {
  std::string dir = EditorProject("demo.hpj");
  CompileResult r = CompileProject(dir + "/demo.hpj");
  EXPECT_EQ(r.logPath, dir + "/demo.err");
  EXPECT_EQ(Messages(r),
            (Lines{"HC3025: Warning: Intro.rtf : Pop-up to undefined Topic ID: BadPop in topic Intro .",
                   "HC3025: Warning: Second.rtf : Jump to undefined Topic ID: BadId in topic Second .",
                   "HC5011: Error: Second.rtf : Cannot open the file \"gone.bmp\": File not found."}));
  EXPECT_EQ(r.errors, 1);
  EXPECT_EQ(r.warnings, 2);
  ASSERT_GE(r.log.size(), 2u);
  EXPECT_EQ(r.log.back(), "1 errors, 2 warnings");
  EXPECT_EQ(r.log[r.log.size() - 2],
            "No help file was built: this stand-in does not write demo.hlp.");
  EXPECT_EQ(r.log[r.log.size() - 3], "Language: LCID not given, DBCS not given");
}

// ROOT= and BMROOT= as lists of folders, relative or absolute: relative
// [FILES] paths are looked for in the ROOT folders only, pictures in the
// BMROOT folders only; every file not found is named once.
TEST(Compiler, RootAndBmRootFolderLists) {
  std::string dir = TempDir();
  std::string elsewhere = TempDir();
  Write(dir + "/p.hpj",
        "[OPTIONS]\r\nROOT=rtf, .\r\nROOT=" + elsewhere + "\r\nBMROOT=bmp,BITMAPS , SHG\r\n"
        "LCID=0x409 0x0 0x0 ; English\r\nHLP=Product.HLP\r\n"
        "[FILES]\r\na.rtf\r\nb.rtf\r\nhlp\\c.rtf\r\nfar.rtf\r\nlost.rtf\r\n");
  Write(dir + "/rtf/a.rtf", Topic("A", "\\{bmc one.bmp\\} \\{bmlt two.shg\\} \\{bmrt three.bmp\\}"));
  Write(dir + "/b.rtf", Topic("B", "\\{bmct beside.bmp\\} \\{bml intopics.bmp\\}"));
  Write(dir + "/hlp/c.rtf", Topic("C", "\\{bmr nowhere.bmp\\}"));
  Write(elsewhere + "/far.rtf", Topic("F", ""));
  Write(dir + "/lost.rtf/x", "a folder, not a topic file");
  Write(dir + "/c.rtf", Topic("C2", ""));  // not hlp\c.rtf
  Write(dir + "/bmp/one.bmp", "BM");
  Write(dir + "/BITMAPS/two.shg", "lp");
  Write(dir + "/SHG/three.bmp", "BM");
  Write(dir + "/beside.bmp", "BM");        // the project folder is not a BMROOT folder
  Write(dir + "/rtf/intopics.bmp", "BM");  // nor is a ROOT folder
  CompileResult r = CompileProject(dir + "/p.hpj");
  EXPECT_EQ(Messages(r),
            (Lines{"HC5011: Error: p.hpj : Cannot open the file \"lost.rtf\": File not found.",
                   "HC5011: Error: b.rtf : Cannot open the file \"beside.bmp\": File not found.",
                   "HC5011: Error: b.rtf : Cannot open the file \"intopics.bmp\": File not found.",
                   "HC5011: Error: c.rtf : Cannot open the file \"nowhere.bmp\": File not found."}));
  EXPECT_TRUE(Has(r, "Language: LCID 0x409 0x0 0x0, DBCS not given"));
  EXPECT_EQ(r.log[r.log.size() - 2], "No help file was built: this stand-in does not write Product.HLP.");

  // Without BMROOT= the ROOT folders hold the pictures; without ROOT= too,
  // the project folder; relative [FILES] paths then start there.
  Write(dir + "/q.hpj", "[OPTIONS]\r\nROOT=rtf\r\n[FILES]\r\na.rtf\r\nb.rtf\r\n");
  Write(dir + "/rtf/one.bmp", "BM");
  Write(dir + "/rtf/two.shg", "lp");
  r = CompileProject(dir + "/q.hpj");
  EXPECT_EQ(Messages(r), (Lines{"HC5011: Error: q.hpj : Cannot open the file \"b.rtf\": File not found.",
                                "HC5011: Error: a.rtf : Cannot open the file \"three.bmp\": File not found."}));
  Write(dir + "/s.hpj", "[OPTIONS]\r\nTITLE=x\r\n[FILES]\r\nhlp\\c.rtf\r\nb.rtf\r\n");
  r = CompileProject(dir + "/s.hpj");
  EXPECT_EQ(Messages(r),
            (Lines{"HC5011: Error: c.rtf : Cannot open the file \"nowhere.bmp\": File not found.",
                   "HC5011: Error: b.rtf : Cannot open the file \"intopics.bmp\": File not found."}));
}

TEST(Compiler, MissingFilesAliasesAndCase) {
  std::string dir = TempDir();
  // No ROOT=: topics beside the project, found without regard to case; no
  // BMROOT=: pictures beside the project or in the topic folders.
  Write(dir + "/Hand.HPJ",
        "[OPTIONS]\r\nERRORLOG = logs/hand.log\r\nContents=Missing\r\n"
        "[FILES]\r\nONE.RTF\r\nnone.rtf\r\nloose.rtf\r\n"
        "[ALIAS]\r\nOld_Name = one\r\n");
  Write(dir + "/one.rtf", Topic("One", "{\\uldb a}{\\v old_name} {\\uldb b}{\\v ONE}"
                                       " \\{BMC Pic.Bmp\\} \\{bmct sub\\\\deep.bmp\\}"));
  Write(dir + "/pic.bmp", "BM");
  Write(dir + "/Sub/Deep.BMP", "BM");
  Write(dir + "/loose.rtf", "{\\rtf1 {\\uldb x}{\\v Nowhere}}");  // no # footnote
  fs::create_directories(dir + "/logs");
  CompileResult r = CompileProject(dir + "/Hand");  // ".hpj" added, any case
  EXPECT_EQ(r.logPath, dir + "/logs/hand.log");
  EXPECT_EQ(Messages(r),
            (Lines{"HC5011: Error: Hand.HPJ : Cannot open the file \"none.rtf\": File not found.",
                   "HC3041: Warning: Hand.HPJ : Contents topic is an undefined Topic ID: Missing .",
                   "HC3025: Warning: loose.rtf : Jump to undefined Topic ID: Nowhere ."}));
  EXPECT_EQ(r.log.back(), "1 errors, 2 warnings");
}

TEST(Compiler, MissingProject) {
  std::string dir = TempDir();
  CompileResult r = CompileProject(dir + "/nothing.hpj");
  EXPECT_EQ(r.logPath, dir + "/nothing.err");
  EXPECT_EQ(Messages(r),
            Lines{"HC5011: Error: Cannot open the file \"nothing.hpj\": File not found."});
  EXPECT_EQ(r.log.back(), "1 errors, 0 warnings");
}

TEST(Compiler, CommandLine) {
  EXPECT_EQ(SkipProgramName("\"C:\\Help Workshop\\Hcrtf.exe\" -x -nga a b.hpj"),
            " -x -nga a b.hpj");
  EXPECT_EQ(SkipProgramName("hcrtf.exe -x"), " -x");
  CommandLine cl = ParseCommandLine(" -x -nga my project.hpj ");
  EXPECT_EQ(cl.options, (std::vector<std::string>{"-x", "-nga"}));
  EXPECT_EQ(cl.project, "my project.hpj");  // a blank in the name is no separator
  EXPECT_EQ(ParseCommandLine("/x \"q.hpj\"").project, "q.hpj");
  EXPECT_EQ(ParseCommandLine("-x").project, "");
}

TEST(Compiler, RunWritesTheLogInTheProjectFolder) {
  std::string dir = EditorProject("my demo.hpj");
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(dir.c_str()), 0);
  WriteFileReplacing("my demo.err", "stale");
  int rc = RunHcrtf(" -x -nga my demo.hpj");
  int rcNone = RunHcrtf(" -x -nga ");
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(rcNone, 1);
  std::string log;
  ASSERT_TRUE(ReadFileBytes(dir + "/my demo.err", log));
  EXPECT_NE(log.find("Jump to undefined Topic ID: BadId in topic Second .\r\n"), std::string::npos);
  EXPECT_EQ(log.substr(log.size() - 22), "1 errors, 2 warnings\r\n");
  EXPECT_FALSE(FileExists(dir + "/my demo.hlp"));
}

namespace {
std::string CopyProject(const std::string& name) {
  std::string dir = TempDir();
  fs::copy(std::string(QM_TESTDATA_DIR) + "/projects/" + name, dir + "/" + name,
           fs::copy_options::recursive);
  return dir + "/" + name;
}
}  // namespace

TEST(Compiler, AndesProject) {
  std::string dir = CopyProject("andes-fbd");
  CompileResult r = CompileProject(dir + "/FBD.hpj");
  EXPECT_EQ(r.logPath, dir + "/HelpErr.log");
  // Trainer.rtf is not part of the copy; "Equation.rtf" is EQUATION.RTF.
  EXPECT_TRUE(Has(r, "HC5011: Error: FBD.hpj : Cannot open the file \"Trainer.rtf\": File not found."));
  EXPECT_TRUE(Has(r, "HC3025: Warning: Andes.rtf : Jump to undefined Topic ID: HIDR_EXAMPLETYPE"
                     " in topic HIDR_PROBSET_TYPE ."));
  EXPECT_TRUE(Has(r, "HC5011: Error: Andes.rtf : Cannot open the file \"VelDlg.shg\": File not found."));
  EXPECT_EQ(r.log.back(), "11 errors, 3 warnings");
  int before = r.warnings;

  // A broken jump and a pop-up to an [ALIAS] id added by hand.
  std::string popups;
  ASSERT_TRUE(ReadFileBytes(dir + "/Popups.rtf", popups));
  std::size_t end = popups.rfind('}');
  popups.insert(end, "{\\uldb broken}{\\v No_Such_Topic}{\\ul alias}{\\v hid_group}\\par ");
  WriteFileReplacing(dir + "/Popups.rtf", popups);
  r = CompileProject(dir + "/FBD.hpj");
  EXPECT_EQ(r.warnings, before + 1);
  std::string last;
  for (const std::string& l : r.log)
    if (l.find("No_Such_Topic") != std::string::npos) last = l;
  EXPECT_EQ(last.rfind("HC3025: Warning: Popups.rtf : Jump to undefined Topic ID: No_Such_Topic", 0), 0u)
      << last;
}

TEST(Compiler, CalquesProjectWithFoldersAboveIt) {
  std::string dir = CopyProject("calques3d");
  CompileResult r = CompileProject(dir + "/Calques3D.hpj");
  EXPECT_EQ(r.logPath, dir + "/Calques3D.LOG");
  EXPECT_TRUE(Has(r, "HC5011: Error: Calques3D.hpj : Cannot open the file \"Views.rtf\": File not found."));
  EXPECT_TRUE(Has(r, "HC3041: Warning: Calques3D.hpj : Contents topic is an undefined Topic ID: main_index ."));
  EXPECT_TRUE(Has(r, "HC5011: Error: afxcore.rtf : Cannot open the file \"editredo.bmp\": File not found."));
  EXPECT_EQ(r.log.back(), "4 errors, 15 warnings");

  // ROOT=.. and BMROOT=.. : a topic file and a picture in the folder above.
  Write(dir + "/../VIEWS.RTF", Topic("main_index", "{\\uldb v}{\\v HID_VIEW_GRAPH}"));
  Write(dir + "/../EditRedo.bmp", "BM");
  r = CompileProject(dir + "/Calques3D.hpj");
  EXPECT_EQ(r.log.back(), "2 errors, 15 warnings");
  EXPECT_TRUE(Has(r, "HC3025: Warning: Views.rtf : Jump to undefined Topic ID: HID_VIEW_GRAPH"
                     " in topic main_index ."));
}
