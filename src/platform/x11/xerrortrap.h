#pragma once

typedef struct _XDisplay Display;

// Xlib's default handlers end the process on any protocol error (a BadMatch
// from a property call) and on a lost connection. For the connections
// registered here, errors are recorded instead and a lost connection only
// marks the display as gone; every other connection keeps whatever handler
// was installed before. Main thread use; the handlers themselves may run on
// any thread.
namespace XErrorTrap {

void watch(Display *display);
void unwatch(Display *display);

// The code of the last protocol error on the display since the previous
// call, or 0; clears it.
int takeError(Display *display);

// True once the connection to the server was lost; the display must then not
// be used for anything but XCloseDisplay.
bool connectionLost(Display *display);

} // namespace XErrorTrap
