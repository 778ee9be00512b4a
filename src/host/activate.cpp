#include <stdint.h>

// Until the host interface exists the plug-in stays inert.
extern "C" __declspec(dllexport) int32_t XTActivateCallback(void* /*activationBlock*/) {
    return 0x51000401;
}
