#include "classlib/TreeView.h"

#include <vector>

namespace cl {

TTreeView::TTreeView(TComponent* owner, TControl* parent, DWORD extra_style)
    : TControl(owner, parent) {
  CreateHandle(WC_TREEVIEWA, "",
               WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                   extra_style,
               WS_EX_CLIENTEDGE);
}

void TTreeView::SetImages(TImageList* images) {
  TreeView_SetImageList(Handle(), images ? images->Handle() : nullptr, TVSIL_NORMAL);
}

TTreeNode TTreeView::Insert(TTreeNode parent, TTreeNode after, const std::string& text, int image,
                            LPARAM data) {
  TVINSERTSTRUCTA is = {};
  is.hParent = parent ? parent : TVI_ROOT;
  is.hInsertAfter = after ? after : TVI_LAST;
  is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  std::string t = text;
  is.item.pszText = &t[0];
  is.item.iImage = image;
  is.item.iSelectedImage = image;
  is.item.lParam = data;
  // Straight to the control's own procedure, which is all that a sent
  // message would reach: under Wine each sent message costs a round trip to
  // its server, and filling the view inserts every item of a project.
  return reinterpret_cast<TTreeNode>(DefaultProc(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
}

void TTreeView::Delete(TTreeNode node) { TreeView_DeleteItem(Handle(), node); }
void TTreeView::Clear() { TreeView_DeleteAllItems(Handle()); }

void TTreeView::BeginUpdate() {
  if (update_depth_++ == 0) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeView::EndUpdate() {
  if (update_depth_ > 0 && --update_depth_ == 0) {
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
  }
}

std::string TTreeView::NodeText(TTreeNode n) const {
  std::vector<char> buf(1024, '\0');
  TVITEMA it = {};
  it.mask = TVIF_TEXT;
  it.hItem = n;
  it.pszText = buf.data();
  it.cchTextMax = static_cast<int>(buf.size());
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return it.pszText ? std::string(it.pszText) : std::string();
}

void TTreeView::SetNodeText(TTreeNode n, const std::string& text) {
  std::string t = text;
  TVITEMA it = {};
  it.mask = TVIF_TEXT;
  it.hItem = n;
  it.pszText = &t[0];
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

int TTreeView::ImageIndex(TTreeNode n) const {
  TVITEMA it = {};
  it.mask = TVIF_IMAGE;
  it.hItem = n;
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return it.iImage;
}

void TTreeView::SetImageIndex(TTreeNode n, int image) {
  TVITEMA it = {};
  it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  it.hItem = n;
  it.iImage = it.iSelectedImage = image;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

LPARAM TTreeView::Data(TTreeNode n) const {
  TVITEMA it = {};
  it.mask = TVIF_PARAM;
  it.hItem = n;
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return it.lParam;
}

void TTreeView::SetData(TTreeNode n, LPARAM data) {
  TVITEMA it = {};
  it.mask = TVIF_PARAM;
  it.hItem = n;
  it.lParam = data;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

TTreeNode TTreeView::ParentOf(TTreeNode n) const { return TreeView_GetParent(Handle(), n); }
TTreeNode TTreeView::FirstChild(TTreeNode n) const {
  return n ? TreeView_GetChild(Handle(), n) : TreeView_GetRoot(Handle());
}
TTreeNode TTreeView::NextSibling(TTreeNode n) const { return TreeView_GetNextSibling(Handle(), n); }
TTreeNode TTreeView::PrevSibling(TTreeNode n) const { return TreeView_GetPrevSibling(Handle(), n); }

TTreeNode TTreeView::NextInTree(TTreeNode n) const {
  if (TTreeNode c = FirstChild(n)) return c;
  while (n) {
    if (TTreeNode s = NextSibling(n)) return s;
    n = ParentOf(n);
  }
  return nullptr;
}

int TTreeView::Level(TTreeNode n) const {
  int level = 0;
  while ((n = ParentOf(n)) != nullptr) ++level;
  return level;
}

int TTreeView::Count() const { return static_cast<int>(TreeView_GetCount(Handle())); }

bool TTreeView::Expanded(TTreeNode n) const {
  return (TreeView_GetItemState(Handle(), n, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeView::Expand(TTreeNode n, bool expand) {
  TreeView_Expand(Handle(), n, expand ? TVE_EXPAND : TVE_COLLAPSE);
}

LRESULT TTreeView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kClickMessage) {
    if (OnClick) OnClick(this);
    return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

TTreeNode TTreeView::Selected() const { return TreeView_GetSelection(Handle()); }
void TTreeView::Select(TTreeNode n) { TreeView_SelectItem(Handle(), n); }

TTreeNode TTreeView::NodeAt(int x, int y) const {
  TVHITTESTINFO ht = {};
  ht.pt = {x, y};
  return TreeView_HitTest(Handle(), &ht);
}

TTreeNode TTreeView::DropTarget() const { return TreeView_GetDropHilight(Handle()); }
void TTreeView::SetDropTarget(TTreeNode n) { TreeView_SelectDropTarget(Handle(), n); }
void TTreeView::EditLabel(TTreeNode n) { SendMessageA(Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(n)); }

bool TTreeView::Notify(NMHDR* hdr, LRESULT& result) {
  switch (hdr->code) {
    case NM_CLICK:
      // The click's selection change is still on its way: report the click
      // after it.
      PostMessageA(Handle(), kClickMessage, 0, 0);
      return false;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      if (OnChange) OnChange(this, reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.hItem);
      return true;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      auto* tv = reinterpret_cast<NMTREEVIEWA*>(hdr);
      if (tv->action & TVE_EXPAND) {
        if (OnExpanded) OnExpanded(this, tv->itemNew.hItem);
      } else if (OnCollapsed) {
        OnCollapsed(this, tv->itemNew.hItem);
      }
      return true;
    }
    case TVN_BEGINLABELEDITA: {
      bool allow = true;
      if (OnEditing) OnEditing(this, reinterpret_cast<NMTVDISPINFOA*>(hdr)->item.hItem, allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TVN_ENDLABELEDITA: {
      auto* di = reinterpret_cast<NMTVDISPINFOA*>(hdr);
      if (!di->item.pszText) {
        result = FALSE;
        return true;
      }
      std::string text = di->item.pszText;
      if (OnEdited) OnEdited(this, di->item.hItem, text);
      SetNodeText(di->item.hItem, text);
      result = FALSE;  // the text is set above
      return true;
    }
  }
  return false;
}

}  // namespace cl
