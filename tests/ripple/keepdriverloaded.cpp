#include "keepdriverloaded.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

void keepGraphicsDriverLoaded()
{
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *found) -> int {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                static_cast<std::vector<std::string> *>(found)->push_back(info->dlpi_name);
            return 0;
        },
        &drivers);
    // RTLD_NOLOAD only changes the flags of a library that is already mapped;
    // the handle is deliberately kept.
    for (const std::string &driver : drivers)
        dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
