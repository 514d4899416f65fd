#include "app/vcl/component.h"

namespace vcl {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->owned_.emplace_back(this);
}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!owned_.empty()) {
    // The child must not try to leave a list that is being emptied.
    std::unique_ptr<TComponent> last = std::move(owned_.back());
    owned_.pop_back();
    last->owner_ = nullptr;
  }
}

}  // namespace vcl
