// The controls of this library that a dialog's layout table can name in a
// custom row: give the table's TDialogDesc MakeLayoutControl as its Maker.
//
//   {cl::ckCustom, "LinkAttr", "属性(&A)\n通常\n下線\nなし", 8, 62, 344, 42,
//    "class=TXpRadioGroup columns=3 index=0 help=69"},
//
// Classes and their properties (besides the common ones of every row):
//   TXpRadioGroup   Caption's first line is the group's caption, the other
//                   lines its items; columns=N, index=N.
//   TXpCheckBox     checked
//   TXpRadioButton  checked
//   TLabel3D        fontcolor=C, shade=C (colours as 0xBBGGRR),
//                   font='name', fontheight=N (negative: pixels), bold
//   TUpDnButton     associate=EDIT (an edit declared before it), up
#pragma once

#include "classlib/core/DialogLayout.h"

namespace qm::controls {

cl::TComponent* MakeLayoutControl(cl::TComponent* owner, cl::TControl* parent, const cl::TControlDesc& desc,
                                  const cl::TLayoutProps& props);

}  // namespace qm::controls
