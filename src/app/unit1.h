#pragma once

#include "app/vcl/bit_btn.h"
#include "app/vcl/form.h"
#include "app/vcl/image.h"

/// The main window: two picture areas, which stay empty, and the button that performs a run.
class TForm1 : public vcl::TForm {
 public:
  explicit TForm1(vcl::TComponent* owner);

  vcl::TImage* Image1;
  vcl::TImage* Image2;
  vcl::TBitBtn* BitBtn1;

  /// Performs one whole run; the picture goes to standard output. A picture that cannot be
  /// written completely ends the program with a message on standard error and status 1.
  void BitBtn1Click(vcl::TObject* Sender);
};

/// The main window of the process, set when the application creates it.
extern TForm1* Form1;
