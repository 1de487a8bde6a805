#pragma once

// Mesa unloads its DRI driver when the X connection closes at exit; blocks the
// driver still holds then show up as leaks from an unknown module, which no
// sanitizer suppression can name. Marking the loaded driver as never to be
// unloaded keeps them attributed to (and reachable from) the driver.
// Call after the first OpenGL context exists.
void keepGraphicsDriverLoaded();
