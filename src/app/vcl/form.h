#pragma once

#include <string>

#include "app/vcl/control.h"

namespace vcl {

/// Colours by their system role, as stored forms name them.
enum class TColor { clBtnFace, clWindowText };

/// A top-level window that owns its components.
class TForm : public TControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  // Stored-form settings that the toolkit here has no use for, kept as given.
  bool OldCreateOrder = false;
  int PixelsPerInch = 96;
  int TextHeight = 13;

  void Show();
  void Close();

 private:
  TColor color_ = TColor::clBtnFace;
  TFont font_;
};

}  // namespace vcl
