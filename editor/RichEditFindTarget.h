// The topic editor as the target of the find-and-replace loops: positions
// and lengths in the control's characters, a match selected as the range the
// control's find reports.
#pragma once

#include "classlib/RichEdit.h"
#include "editor/core/FindReplace.h"

namespace qm::editor {

class RichEditFindTarget : public FindTarget {
 public:
  explicit RichEditFindTarget(cl::TRichEdit& edit) : edit_(edit) {}

  long SelStart() const override;
  long SelLength() const override;
  std::string SelText() const override;
  long TextLength() const override;
  bool Find(const std::string& text, long start, long length, const FindOptions& options,
            long& matchStart, long& matchLength) override;
  void Select(long start, long length) override;
  void ReplaceSelection(const std::string& text) override;

 private:
  cl::TRichEdit& edit_;
};

}  // namespace qm::editor
