#include "app/vcl/component.h"

namespace vcl {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->owned_.emplace_back(this);
}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!owned_.empty()) owned_.pop_back();
}

}  // namespace vcl
