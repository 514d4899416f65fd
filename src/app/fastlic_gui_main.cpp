// The window program: one window whose button performs a run, the picture on standard output.
#include <csignal>

#include "app/vcl/application.h"
#include "app/window_program.h"

int main(int argc, char** argv) {
  // The colour map has already been created by static initialisation at this point.
  std::signal(SIGPIPE, SIG_IGN);
  vcl::TApplication application(argc, argv);
  vcl::Application = &application;
  const int status = fastlic::runWindowProgram(application);
  vcl::Application = nullptr;
  return status;
}
