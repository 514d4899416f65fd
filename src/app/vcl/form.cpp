#include "app/vcl/form.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace vcl {

TForm::TForm(TComponent* owner) : TControl(owner, new QWidget(nullptr)) {
  SetColor(color_);
  SetFont(font_);
}

TForm::~TForm() { delete Widget(); }

std::string TForm::Caption() const { return Widget()->windowTitle().toStdString(); }

void TForm::SetCaption(const std::string& caption) {
  Widget()->setWindowTitle(QString::fromStdString(caption));
}

void TForm::SetColor(TColor color) {
  color_ = color;
  QPalette palette = Widget()->palette();
  const QPalette system = QApplication::palette();
  palette.setColor(QPalette::Window, color == TColor::clBtnFace
                                         ? system.color(QPalette::Button)
                                         : system.color(QPalette::WindowText));
  Widget()->setPalette(palette);
  Widget()->setAutoFillBackground(true);
}

void TForm::SetFont(const TFont& font) {
  font_ = font;
  QFont qfont;
  // Where the named family is missing, the platform's sans serif stands in.
  qfont.setFamilies({QString::fromStdString(font.Name), QStringLiteral("Sans Serif")});
  qfont.setStyleHint(QFont::SansSerif);
  if (font.Height < 0) qfont.setPixelSize(-font.Height);
  Widget()->setFont(qfont);
}

void TForm::Show() { Widget()->show(); }

void TForm::Close() { Widget()->close(); }

}  // namespace vcl
