#pragma once

#include "app/vcl/control.h"

namespace vcl {

/// A picture area. Nothing draws into it unless a picture is assigned; it starts empty.
class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner);
  bool Empty() const;
};

}  // namespace vcl
