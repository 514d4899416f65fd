// Asks the window with a given title to close, as a window manager's close button does: it sends
// WM_DELETE_WINDOW, so the program closes the window itself and ends normally.
// usage: x_close_window TITLE   (on the display named by DISPLAY)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

namespace {

Window findByTitle(Display* display, Window window, const char* title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    const bool match = std::strcmp(name, title) == 0;
    XFree(name);
    if (match) return window;
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned n = 0; n < count && found == 0; ++n)
      found = findByTitle(display, children[n], title);
    if (children != nullptr) XFree(children);
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: x_close_window TITLE\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_close_window: cannot open the display\n");
    return 1;
  }
  const Window window = findByTitle(display, DefaultRootWindow(display), argv[1]);
  if (window == 0) {
    std::fprintf(stderr, "x_close_window: no window titled '%s'\n", argv[1]);
    XCloseDisplay(display);
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
  return 0;
}
