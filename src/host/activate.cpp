// The library's one entry point and the two callbacks it registers.
#include <cstddef>
#include <cstring>

#include "host/host_tables.h"
#include "host/host_text_ops.h"
#include "host/obtain_tables.h"
#include "host/registration.h"
#include "host/startup.h"

namespace {

// The value the plug-in hands the host at activation: its order among plug-ins.
constexpr int32_t kActivationValue = 200;

int32_t KXH_CALL identifierCallback(KxhIdAllocBlock* block) {
    if (!block || !block->allocate) return 0;
    PrivateIds& ids = privateIds();
    block->allocate(KXH_ID_MESSAGE, &ids.first);
    block->allocate(KXH_ID_MESSAGE, &ids.second);
    return 0;
}

// Without every table the plug-in stays inert, and keeps no half-filled tables around.
void forgetTables() {
    std::memset(&hostTables(), 0, sizeof(HostTables));
}

int32_t KXH_CALL mainCallback(KxhEntryBlock* entry) {
    if (!entry || entry->size < KXH_ENTRY_COPY_SIZE) return KXH_PLUGIN_REFUSED;
    HostTables& t = hostTables();
    t.entry = entry;
    std::memcpy(&t.entryCopy, entry, KXH_ENTRY_COPY_SIZE);
    if (obtainHostTables(t.entryCopy) != 0) {
        forgetTables();
        return KXH_PLUGIN_REFUSED;
    }
    obtainServices(t.entryCopy);
    installHostTables();
    runStartup();
    if (t.entryCopy.registerHandler) registerHandlers(t.entryCopy);
    return 0;
}

bool hasOperations(const KxhActivationBlock* block) {
    return block &&
           block->size >= offsetof(KxhActivationBlock, registerIdCallback) +
                              sizeof block->registerIdCallback &&
           block->confirmPlugin && block->takeValue && block->registerMainCallback &&
           block->registerIdCallback;
}

} // namespace

extern "C" KXH_EXPORT int32_t KXH_CALL XTActivateCallback(KxhActivationBlock* block) {
    if (!hasOperations(block)) return KXH_PLUGIN_REFUSED;
    const uint32_t answer =
        block->confirmPlugin(kPluginId, 0, KXH_INTERFACE_VERSION, KXH_INTERFACE_REVISION, 0);
    if ((answer & 0xFFu) != 1u) return KXH_PLUGIN_REFUSED;
    block->takeValue(kActivationValue);
    block->registerMainCallback(mainCallback, KXH_REG_HANDLER, KXH_ORDER_NORMAL);
    block->registerIdCallback(identifierCallback, KXH_REG_HANDLER, KXH_ORDER_NORMAL);
    return 0;
}
