#include "editor/tests/bench/BigProject.h"

#include <functional>
#include <vector>

#include "editor/core/ProjectFiles.h"

namespace qm::editor::bench {

std::string WriteBigProject(const std::string& dir, int topics) {
  ProjectModel m;
  m.ProjectDir = dir;
  m.ProjectFile = "big.hpj";
  m.MapFile = "big.hm";
  m.HelpTitle = "大きなヘルプ";
  // Books: 5 at the top, 4 under each book, five levels.
  std::vector<ContentsNode*> leaves;
  std::function<void(ContentsNode*, int)> books = [&](ContentsNode* parent, int level) {
    for (int i = 0; i < (level == 1 ? 5 : 4); ++i) {
      ContentsNode* b = m.Contents.AddChild(parent, "Book " + std::to_string(level) + "." +
                                                        std::to_string(i), kBookClosed, 0);
      if (level == 5) leaves.push_back(b);
      else books(b, level + 1);
    }
  };
  books(nullptr, 1);
  ContentsNode* last = nullptr;
  for (int t = 0; t < topics; ++t) {
    // Most ids carry their number; every tenth takes an allocated one.
    std::string id = t % 10 == 9 ? "Page_" + std::string(1, char('a' + t % 26)) + "_x" +
                                       std::string(1, char('a' + (t / 26) % 26)) + std::to_string(t) + "z"
                                 : MakeTopicId(t + 1);
    int n = m.AllocateMapNumber();
    int row = m.AddTopic(id, n);
    m.TopicTitles[row] = "トピック " + std::to_string(t);
    ContentsNode* leaf = leaves[static_cast<std::size_t>(t / 8) % leaves.size()];
    if (t % 5 == 4 && last != nullptr) {
      m.Contents.AddChild(last, m.TopicTitles[row], kHiddenTopicNode, row);
    } else {
      // Topics go before the books of their level: leaves hold no books.
      last = m.Contents.AddChild(leaf, m.TopicTitles[row], kTopicNode, row);
    }
  }
  WriteProject(m);
  return dir + "/big.hpj";
}

}  // namespace qm::editor::bench
