#include "classlib/Component.h"

#include <algorithm>

namespace cl {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  // Free what we own, newest first.
  while (!owned_.empty()) {
    TComponent* c = owned_.back();
    owned_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
  if (owner_ && !owner_->destroying_) {
    // Looked for from the end: components mostly go newest first.
    auto& v = owner_->owned_;
    auto it = std::find(v.rbegin(), v.rend(), this);
    if (it != v.rend()) v.erase(std::next(it).base());
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : owned_)
    if (c->Name == name) return c;
  return nullptr;
}

}  // namespace cl
