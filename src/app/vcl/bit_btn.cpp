#include "app/vcl/bit_btn.h"

#include <QPushButton>

#include "app/vcl/application.h"
#include "app/vcl/exception.h"

namespace vcl {

TBitBtn::TBitBtn(TComponent* owner) : TControl(owner, new QPushButton(ParentWidgetOf(owner))) {
  QObject::connect(static_cast<QPushButton*>(Widget()), &QPushButton::clicked, [this] { Click(); });
}

std::string TBitBtn::Caption() const {
  return static_cast<QPushButton*>(Widget())->text().toStdString();
}

void TBitBtn::SetCaption(const std::string& caption) {
  static_cast<QPushButton*>(Widget())->setText(QString::fromStdString(caption));
}

void TBitBtn::Click() {
  if (!OnClick) return;
  // Exceptions must not unwind through the toolkit's event loop; they are shown here instead.
  try {
    OnClick(this);
  } catch (const Exception& error) {
    if (Application != nullptr) Application->ShowException(error);
  } catch (const std::exception& error) {
    if (Application != nullptr) Application->ShowException(Exception(error.what()));
  } catch (...) {
    if (Application != nullptr) Application->ShowException(Exception(""));
  }
}

}  // namespace vcl
