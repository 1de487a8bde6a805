#pragma once

class QWindow;

// The few X11 window-manager hints the popover needs and Qt has no API for.
// Outside X11 every call does nothing and the queries answer false.
namespace X11WindowHints {

// Keeps a not yet shown window out of task bars and pagers. Qt merges
// _NET_WM_STATE atoms it finds on an unmapped window into its own, so this
// must run before each show().
void skipTaskbarAndPager(QWindow *window);

// A compositing manager runs, so translucent windows blend with what is below.
bool isCompositingManagerRunning();

} // namespace X11WindowHints
