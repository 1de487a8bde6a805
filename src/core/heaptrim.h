#pragma once

// Hands the free pages of the C library's heap back to the system. After a
// large set of objects is freed (the popover's QML engine, a ripple's
// pictures) the heap is fragmented, and without this the freed pages stay
// with the process. Does nothing outside glibc.
void returnFreeHeapToSystem();
