#pragma once

#include "app/vcl/application.h"

namespace fastlic {

/// The window program's start-up on an application object: Initialize, create Form1, run the
/// message loop until the window is closed. An Exception that escapes is shown with
/// ShowException; any other exception is shown as an Exception with an empty message. Returns 0.
int runWindowProgram(vcl::TApplication& application);

}  // namespace fastlic
