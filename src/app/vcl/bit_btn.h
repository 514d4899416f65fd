#pragma once

#include <string>

#include "app/vcl/control.h"

namespace vcl {

/// A push button. A press calls OnClick with the button as sender; an exception that escapes the
/// handler is shown by the application and the program goes on, as in any other event.
class TBitBtn : public TControl {
 public:
  explicit TBitBtn(TComponent* owner);

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }

  TNotifyEvent OnClick;

  /// Does what a press does.
  void Click();

 private:
  int tabOrder_ = 0;
};

}  // namespace vcl
