// Mesa's software driver is unloaded at exit before the leak checker runs, so the blocks it
// keeps for the life of the process would be leaks of an unknown module that no suppression
// can name. Kept loaded, they are attributed (and suppressed) like any other library's.
#include <dlfcn.h>

#include <initializer_list>

namespace {

const int kKeepDriver = [] {
    for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
                               "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"}) {
        if (dlopen(driver, RTLD_NOW | RTLD_NODELETE | RTLD_GLOBAL) != nullptr)
            return 1;
    }
    return 0;
}();

} // namespace
