/* Asks a window to close the way a window manager's close button does: a
 * WM_DELETE_WINDOW client message. Fails where the window doesn't take part in
 * that protocol, since then the message would prove nothing. */
#include <stdio.h>
#include <stdlib.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: close_request WINDOW-ID\n");
    return 2;
  }
  Display* dpy = XOpenDisplay(NULL);
  if (!dpy) {
    fprintf(stderr, "close_request: cannot open the display\n");
    return 2;
  }
  Window win = (Window)strtoul(argv[1], NULL, 0);
  Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
  Atom del = XInternAtom(dpy, "WM_DELETE_WINDOW", False);

  Atom* listed = NULL;
  int n = 0, found = 0;
  if (XGetWMProtocols(dpy, win, &listed, &n)) {
    for (int i = 0; i < n; ++i) found |= listed[i] == del;
    XFree(listed);
  }
  if (!found) {
    fprintf(stderr, "close_request: window %s doesn't list WM_DELETE_WINDOW\n", argv[1]);
    return 1;
  }

  XEvent ev = {0};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = win;
  ev.xclient.message_type = protocols;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = (long)del;
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, win, False, NoEventMask, &ev);
  XSync(dpy, False);
  XCloseDisplay(dpy);
  return 0;
}
