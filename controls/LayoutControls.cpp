#include "controls/LayoutControls.h"

#include <initializer_list>
#include <string>

#include "classlib/DialogForm.h"
#include "controls/Label3D.h"
#include "controls/StdCtrlsXp.h"
#include "controls/UpDnButton.h"
#include "controls/XpRadioGroup.h"

namespace qm::controls {

namespace {

// Refuses a key the class does not read (a typing error in the table).
void OnlyKeys(const cl::TControlDesc& d, const cl::TLayoutProps& p, std::initializer_list<const char*> keys) {
  for (const auto& [key, value] : p.Values()) {
    bool known = key == "class";
    for (const char* k : {"parent", "tab", "help", "disabled", "hidden", "align"}) known = known || key == k;
    for (const char* k : keys) known = known || key == k;
    if (!known) throw cl::ELayoutError(std::string(d.Name) + ": a " + p.Text("class") + " has no property " + key);
  }
}

int Int(const cl::TLayoutProps& p, const char* key, long long fallback) {
  return static_cast<int>(p.Int(key, fallback));
}

}  // namespace

cl::TComponent* MakeLayoutControl(cl::TComponent* owner, cl::TControl* parent, const cl::TControlDesc& d,
                                  const cl::TLayoutProps& p) {
  const std::string cls = p.Text("class");
  const std::string caption = d.Caption ? d.Caption : "";
  cl::TControl* w = nullptr;
  if (cls == "TXpRadioGroup") {
    OnlyKeys(d, p, {"columns", "index"});
    std::vector<std::string> lines = cl::CaptionLines(d.Caption);
    auto* group = new TXpRadioGroup(owner, parent, lines.empty() ? std::string() : lines.front());
    group->SetBounds(d.Left, d.Top, d.Width, d.Height);
    group->SetColumns(Int(p, "columns", 1));
    if (!lines.empty()) lines.erase(lines.begin());
    group->SetItems(lines);
    group->SetItemIndex(Int(p, "index", -1));
    return group;
  }
  if (cls == "TXpCheckBox") {
    OnlyKeys(d, p, {"checked"});
    auto* c = new TXpCheckBox(owner, parent, caption);
    c->SetChecked(p.Has("checked"));
    w = c;
  } else if (cls == "TXpRadioButton") {
    OnlyKeys(d, p, {"checked"});
    auto* r = new TXpRadioButton(owner, parent, caption);
    r->SetChecked(p.Has("checked"));
    w = r;
  } else if (cls == "TLabel3D") {
    OnlyKeys(d, p, {"fontcolor", "shade", "font", "fontheight", "bold"});
    auto* label = new TLabel3D(owner, parent, caption);
    if (p.Has("font") || p.Has("fontheight") || p.Has("bold"))
      label->SetFont(p.Text("font", "MS UI Gothic"), Int(p, "fontheight", -12), p.Has("bold"));
    if (p.Has("fontcolor")) label->SetFontColor(static_cast<COLORREF>(p.Int("fontcolor")));
    if (p.Has("shade")) label->SetShadeColor(static_cast<COLORREF>(p.Int("shade")));
    w = label;
  } else if (cls == "TUpDnButton") {
    OnlyKeys(d, p, {"associate", "up"});
    auto* b = new TUpDnButton(owner, parent);
    b->SetBounds(d.Left, d.Top, d.Width, d.Height);
    b->UpMode = p.Has("up");
    if (p.Has("associate")) {
      auto* edit = dynamic_cast<cl::TEdit*>(owner->FindComponent(p.Text("associate")));
      if (!edit) throw cl::ELayoutError(std::string(d.Name) + ": associate must name an edit declared before it");
      b->SetAssociate(edit);
    }
    return b;
  } else {
    throw cl::ELayoutError(std::string(d.Name) + ": no control class " + cls);
  }
  w->SetBounds(d.Left, d.Top, d.Width, d.Height);
  return w;
}

}  // namespace qm::controls
