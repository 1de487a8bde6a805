#include "core/heaptrim.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

void returnFreeHeapToSystem()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
