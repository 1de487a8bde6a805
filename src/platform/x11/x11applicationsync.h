#pragma once

// Returns once the X server has handled every request Qt's own connection
// has sent so far (a window's unmap, say). Does nothing off X11.
void syncApplicationDisplay();
