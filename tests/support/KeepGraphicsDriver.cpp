// Mesa's software driver is unloaded at exit before the leak checker runs, so the few blocks
// it keeps for the life of the process show up as leaks of an unknown module that no
// suppression can name. Keeping the driver loaded lets them be attributed (and suppressed)
// like any other library's. Only the tests, the fuzz targets and, in the sanitizer build, the
// tools the tests start do this; the game is left as it is.
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
