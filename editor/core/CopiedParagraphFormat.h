// The paragraph format of the first paragraph of a copy, left out by a
// rich-edit control.
//
// A copy's RTF must give its first paragraph's properties, since a paste
// takes them from nowhere else. Some rich-edit controls write a paragraph's
// properties only where they differ from the paragraph before it in the
// control, the first paragraph of a selection included: a copied paragraph
// formatted like the one above it comes out with none, and a paste gives it
// the format of wherever it lands. The copy path asks the control once
// (WriterLeavesOutCopiedFormat) and puts the paragraph's own format into its
// copy (WithFirstParagraphFormat).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

// The probe: two paragraphs with the same start indent and offset (those of
// SwappedIndents.h); the copy is the second one.
// True when probe_rtf, the control's RTF of that copy, holds no indent of
// the paragraph (neither \li nor \fi, the right ones or swapped ones). An
// empty text (no control answered) is no fault.
bool WriterLeavesOutCopiedFormat(std::string_view probe_rtf);

// A paragraph's format as a rich edit holds it (twips).
struct ParagraphFormat {
  enum Alignment { kLeft, kRight, kCenter, kJustify };
  long start = 0;   // first line's indent
  long offset = 0;  // the other lines', from the first line's
  long right = 0;
  Alignment alignment = kLeft;
  bool bullet = false;
  std::vector<long> tabs;
};

// The format as RTF paragraph properties: \pard, then only what differs from
// the defaults (\li is where the body starts, start + offset; \fi the first
// line from there, -offset), ended by a blank.
std::string ParagraphFormatRtf(const ParagraphFormat& format);

// rtf (a control's copy) with properties put before its first paragraph's
// content (after the header's tables), unless that paragraph has a \pard
// of its own already; otherwise rtf as it is.
std::string WithFirstParagraphFormat(std::string_view rtf, std::string_view properties);

}  // namespace qm::editor
