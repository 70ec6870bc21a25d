// The tree view: nodes with a text, an image index (the selected image always
// the same) and a data integer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "classlib/Control.h"
#include "classlib/ImageList.h"

namespace cl {

using TTreeNode = HTREEITEM;

class TTreeView : public TControl {
 public:
  TTreeView(TComponent* owner, TControl* parent, DWORD extra_style = 0);
  void SetImages(TImageList* images);

  // parent nullptr: a top-level node. after: TVI_LAST, TVI_FIRST or a sibling.
  TTreeNode Insert(TTreeNode parent, TTreeNode after, const std::string& text, int image,
                   LPARAM data);
  TTreeNode AddChild(TTreeNode parent, const std::string& text, int image, LPARAM data) {
    return Insert(parent, TVI_LAST, text, image, data);
  }
  void Delete(TTreeNode node);
  void Clear();
  // Update brackets: the control does not redraw in between.
  void BeginUpdate();
  void EndUpdate();

  std::string NodeText(TTreeNode n) const;
  void SetNodeText(TTreeNode n, const std::string& text);
  int ImageIndex(TTreeNode n) const;
  void SetImageIndex(TTreeNode n, int image);
  LPARAM Data(TTreeNode n) const;
  void SetData(TTreeNode n, LPARAM data);
  TTreeNode ParentOf(TTreeNode n) const;
  TTreeNode FirstChild(TTreeNode n) const;   // n nullptr: the first top-level node
  TTreeNode NextSibling(TTreeNode n) const;
  TTreeNode PrevSibling(TTreeNode n) const;
  // The next node in tree order (depth first, parent before children).
  TTreeNode NextInTree(TTreeNode n) const;
  int Level(TTreeNode n) const;
  int Count() const;
  bool Expanded(TTreeNode n) const;
  void Expand(TTreeNode n, bool expand);

  TTreeNode Selected() const;
  void Select(TTreeNode n);
  TTreeNode NodeAt(int x, int y) const;
  TTreeNode DropTarget() const;
  void SetDropTarget(TTreeNode n);
  void EditLabel(TTreeNode n);

  std::function<void(TTreeView*, TTreeNode)> OnChange;
  std::function<void(TTreeView*, TTreeNode)> OnExpanded;
  std::function<void(TTreeView*, TTreeNode)> OnCollapsed;
  // In-place label editing: OnEditing may refuse; OnEdited may change the text.
  std::function<void(TTreeView*, TTreeNode, bool& allow)> OnEditing;
  std::function<void(TTreeView*, TTreeNode, std::string& text)> OnEdited;

  bool Notify(NMHDR* hdr, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr UINT kClickMessage = WM_APP + 0x101;
  int update_depth_ = 0;
};

}  // namespace cl
