#include "app/window_program.h"

#include "app/unit1.h"

namespace fastlic {

int runWindowProgram(vcl::TApplication& application) {
  try {
    application.Initialize();
    application.CreateForm(Form1);
    application.Run();
  } catch (const vcl::Exception& error) {
    application.ShowException(error);
  } catch (...) {
    application.ShowException(vcl::Exception(""));
  }
  return 0;
}

}  // namespace fastlic
