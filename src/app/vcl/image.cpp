#include "app/vcl/image.h"

#include <QLabel>

namespace vcl {

TImage::TImage(TComponent* owner) : TControl(owner, new QLabel(ParentWidgetOf(owner))) {}

bool TImage::Empty() const {
  const auto* label = static_cast<const QLabel*>(Widget());
  return label->pixmap().isNull() && label->text().isEmpty();
}

}  // namespace vcl
