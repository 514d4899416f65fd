#include "app/vcl/control.h"

#include <QWidget>

namespace vcl {

TControl::TControl(TComponent* owner, QWidget* widget) : TComponent(owner), widget_(widget) {}

int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }
bool TControl::Visible() const { return widget_->isVisible(); }

void TControl::SetBounds(int left, int top, int width, int height) {
  widget_->setGeometry(left, top, width, height);
}

QWidget* ParentWidgetOf(TComponent* owner) {
  auto* control = dynamic_cast<TControl*>(owner);
  return control != nullptr ? control->Widget() : nullptr;
}

}  // namespace vcl
