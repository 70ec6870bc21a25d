// Components: objects with an owner that frees them, a name and a tag.
#pragma once

#include <string>
#include <vector>

namespace cl {

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  std::string Name;
  long long Tag = 0;

  // The owned components, in creation order.
  const std::vector<TComponent*>& Components() const { return owned_; }
  TComponent* FindComponent(const std::string& name) const;

 private:
  TComponent* owner_;
  std::vector<TComponent*> owned_;
  bool destroying_ = false;
};

}  // namespace cl
