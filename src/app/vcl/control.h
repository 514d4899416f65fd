#pragma once

#include <string>

#include "app/vcl/component.h"

class QWidget;

namespace vcl {

/// The font settings of a form: the height in pixels is negative for a character height, as the
/// stored forms give it; the name falls back to the platform's sans serif where it is missing.
struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
};

/// A component that occupies a rectangle of its parent form.
class TControl : public TComponent {
 public:
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetBounds(int left, int top, int width, int height);
  bool Visible() const;

  /// The toolkit widget behind the control; for the layer itself and for tests.
  QWidget* Widget() const { return widget_; }

 protected:
  TControl(TComponent* owner, QWidget* widget);

 private:
  QWidget* widget_;  // owned by the toolkit's parent chain
};

/// The parent widget for a control whose owner is the form owner (or none).
QWidget* ParentWidgetOf(TComponent* owner);

}  // namespace vcl
