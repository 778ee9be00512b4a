// A small plug-in for the host's loader tests. Its behaviour follows its file name, so that
// copies of one library act as different plug-ins:
//   good_a*  identifier "TPLA", handlers A (200), B (10), C (200) for message 5000
//   good_b*  identifier "TPLB", handlers D (10), E (100)
//   startfail*  identifier "TPLF", registers F (1), then fails its main callback
//   noconfirm*  returns success without confirming itself
//   anything else: identifier "TPLA" (taken when good_a runs)
// Each handler appends its letter to the trace of the parameter block.
#include <windows.h>

#include <cstring>
#include <string>

#include "kxh_api.h"

namespace {

struct TraceParams {
    KxhParams hdr;
    char trace[32];
};

template <char Letter> int32_t KXH_CALL traceHandler(void* params) {
    auto* p = static_cast<TraceParams*>(params);
    const size_t n = std::strlen(p->trace);
    if (n + 1 < sizeof p->trace) {
        p->trace[n] = Letter;
        p->trace[n + 1] = '\0';
    }
    return 0;
}

std::string ownName() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ownName), &self);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string s = path;
    const size_t cut = s.find_last_of("\\/");
    return cut == std::string::npos ? s : s.substr(cut + 1);
}

bool named(const char* prefix) {
    return ownName().rfind(prefix, 0) == 0;
}

constexpr uint32_t kMessage = 5000;

int32_t KXH_CALL mainCallback(KxhEntryBlock* entry) {
    if (named("good_a")) {
        entry->registerHandler(kMessage, traceHandler<'A'>, KXH_REG_HANDLER, 200, 0);
        entry->registerHandler(kMessage, traceHandler<'B'>, KXH_REG_HANDLER, 10, 0);
        entry->registerHandler(kMessage, traceHandler<'C'>, KXH_REG_HANDLER, 200, 0);
    } else if (named("good_b")) {
        entry->registerHandler(kMessage, traceHandler<'D'>, KXH_REG_HANDLER, 10, 0);
        entry->registerHandler(kMessage, traceHandler<'E'>, KXH_REG_HANDLER, 100, 0);
    } else if (named("startfail")) {
        entry->registerHandler(kMessage, traceHandler<'F'>, KXH_REG_HANDLER, 1, 0);
        return KXH_PLUGIN_REFUSED;
    } else {
        entry->registerHandler(kMessage, traceHandler<'Z'>, KXH_REG_HANDLER, 1, 0);
    }
    return 0;
}

} // namespace

extern "C" KXH_EXPORT int32_t KXH_CALL XTActivateCallback(KxhActivationBlock* block) {
    if (named("noconfirm")) return 0;
    uint32_t id = KXH_FOURCC('T', 'P', 'L', 'A');
    if (named("good_b"))
        id = KXH_FOURCC('T', 'P', 'L', 'B');
    else if (named("startfail"))
        id = KXH_FOURCC('T', 'P', 'L', 'F');
    if ((block->confirmPlugin(id, 0, KXH_INTERFACE_VERSION, KXH_INTERFACE_REVISION, 0) & 0xFF) != 1)
        return KXH_PLUGIN_REFUSED;
    block->registerMainCallback(mainCallback, KXH_REG_HANDLER, 200);
    return 0;
}
