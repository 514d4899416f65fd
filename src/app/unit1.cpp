#include "app/unit1.h"

#include <cstdlib>

#include "app/run_pipeline.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(vcl::TComponent* owner) : vcl::TForm(owner) {
  // The window's stored settings.
  SetName("Form1");
  SetBounds(295, 197, 870, 640);
  SetCaption("Form1");
  SetColor(vcl::TColor::clBtnFace);
  SetFont(vcl::TFont{"MS Sans Serif", -11});
  OldCreateOrder = false;
  PixelsPerInch = 96;
  TextHeight = 13;

  Image1 = new vcl::TImage(this);
  Image1->SetName("Image1");
  Image1->SetBounds(24, 8, 265, 233);

  Image2 = new vcl::TImage(this);
  Image2->SetName("Image2");
  Image2->SetBounds(352, 8, 265, 233);

  BitBtn1 = new vcl::TBitBtn(this);
  BitBtn1->SetName("BitBtn1");
  BitBtn1->SetBounds(32, 264, 105, 57);
  BitBtn1->SetCaption("BitBtn1");
  BitBtn1->SetTabOrder(0);
  BitBtn1->OnClick = [this](vcl::TObject* sender) { BitBtn1Click(sender); };
}

void TForm1::BitBtn1Click(vcl::TObject* /*Sender*/) {
  fastlic::runPipeline();
  // Later presses could not write either, and a picture cut short must not pass for a whole one.
  if (!fastlic::finishPictureOutput("fastlic-gui")) std::exit(1);
}
