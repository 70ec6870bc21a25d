#include <gtest/gtest.h>

#include "standins/hcrtf/core/HelpProject.h"

using namespace qm;
using namespace qm::hcrtf;

using V = std::vector<std::string>;

TEST(HelpProject, EditorProjectFile) {
  Lines lines = {"; This file is maintained by HCW. Do not modify this file directly.",
                 "",
                 "[OPTIONS]",
                 "ERRORLOG=demo.err",
                 "LCID=0x411 0x0 0x0 ; \x93\xfa\x96\x7b\x8c\xea",
                 "CONTENTS=Intro",
                 "TITLE=Demo; with a semicolon",
                 "BMROOT=bmp",
                 "ROOT=rtf",
                 "HLP=demo.hlp",
                 "; BackUp=c:\\backup",
                 "",
                 "[FILES]",
                 "Intro.rtf",
                 "Second.rtf",
                 "",
                 "[MAP]",
                 "#include demo.hm",
                 "",
                 "[WINDOWS]",
                 "main=\"Demo\",,,(r16777215),(r12632256)"};
  HelpProject p = ParseProject(lines);
  EXPECT_EQ(p.roots, V{"rtf"});
  EXPECT_EQ(p.bmRoots, V{"bmp"});
  EXPECT_EQ(p.errorLog, "demo.err");
  EXPECT_EQ(p.helpFile, "demo.hlp");
  EXPECT_EQ(p.contents, "Intro");
  EXPECT_EQ(p.files, (V{"Intro.rtf", "Second.rtf"}));
  EXPECT_TRUE(p.aliases.empty());
}

TEST(HelpProject, HandMadeProjectFile) {
  Lines lines = {"[files]",  // sections in any order and case
                 "  a.rtf ; the first one",
                 "; b.rtf",
                 "\"c d.rtf\"",
                 "#include more.h",
                 "[Options]",
                 "root = ..\\common, rtf ,, \"x y\"",
                 "ROOT=.",
                 "bmroot=pics",
                 "ErrorLog = logs\\out.log ; where it goes",
                 "[alias]",
                 "  old_id   = new_id",
                 "; gone = x",
                 "no equals sign",
                 "[config]",
                 "ROOT=not an option"};
  HelpProject p = ParseProject(lines);
  EXPECT_EQ(p.files, (V{"a.rtf", "c d.rtf"}));
  EXPECT_EQ(p.roots, (V{"..\\common", "rtf", "x y", "."}));
  EXPECT_EQ(p.bmRoots, V{"pics"});
  EXPECT_EQ(p.errorLog, "logs\\out.log");
  EXPECT_EQ(p.aliases, V{"old_id"});
}

TEST(HelpProject, FolderListKeepsDoubleByteCharacters) {
  // 0x83 0x5C has a "\" trail byte; the folder stays whole, and the ";"
  // comment after it is dropped.
  HelpProject p = ParseProject({"[OPTIONS]", "ROOT=\x83\x5c\x83\x74\x83\x67,b ; c"});
  EXPECT_EQ(p.roots, (V{"\x83\x5c\x83\x74\x83\x67", "b"}));
}
