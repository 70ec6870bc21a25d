#include "editor/BrowseRenumberCommands.h"

#include <stdexcept>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "editor/ContentsCommands.h"
#include "editor/TopicCommands.h"
#include "editor/core/BrowseRenumber.h"

namespace qm::editor {

TBrowseRenumberCommands::TBrowseRenumberCommands(TMainForm& form) : TCommandGroup(form) {
  KId_Auto = Form.ViewPlace.Add("観覧ID再設定(&S)", "KId_Auto");
  KId_Auto->OnClick = [this](cl::TMenuItem*) { KId_AutoClick(); };
  KId_Auto->SetEnabled(false);
  Form.ContentsCmds->TopicStatusShown.push_back([this](const TopicStatusEnabling&) { ShowKIdAuto(); });
  Form.ContentsCmds->ContentsActionsShown.push_back([this](const ContentsActionState& st) {
    // Without a selection it is off; otherwise it follows the open topic.
    if (st.KIdAuto && !*st.KIdAuto)
      KId_Auto->SetEnabled(false);
    else
      ShowKIdAuto();
  });
}

void TBrowseRenumberCommands::ShowKIdAuto() {
  const ContentsNode* open = Project.OpenTopicNode;
  KId_Auto->SetEnabled(!Project.TopicId.empty() && open && open->Kind == kTopicNode);
}

void TBrowseRenumberCommands::KId_AutoClick() {
  ContentsNode* open = Project.OpenTopicNode;
  if (Project.TopicId.empty() || !open || open->Kind != kTopicNode) return;
  RenumberPlan plan;
  const BrowseIdError error = PlanRenumbering(Project, open, Project.TopicFootnotes.BrowseId, plan);
  if (error != BrowseIdError::None) {
    cl::ShowMessage(std::string(BrowseIdMessage(error)));
    return;
  }
  Project.TopicFootnotes.BrowseId = plan.OpenBrowseId;
  Form.Editor->SetModified(true);
  Form.ContentsCmds->ShowTopicStatus(Project.TopicId);
  Form.TopicCmds->SaveTopic();
  RenumberResult result;
  {
    const cl::TWaitCursor wait;
    result = RewriteSiblingBrowseIds(plan);
  }
  if (!result.Ok()) cl::Application().HandleException(std::runtime_error(result.Message));
  // Files of other tools are left alone: the author learns which ones.
  const std::string skipped = SkippedTopicsMessage(result);
  if (!skipped.empty()) cl::ShowMessage(skipped);
}

}  // namespace qm::editor
