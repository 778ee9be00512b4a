// The output hooks: the host's parameter blocks handed to the export engine.
#include "export/export_run.h"
#include "export/overflow_check.h"
#include "export/ps_insertions.h"
#include "host/handlers.h"
#include "host/tracking.h"

namespace {

template <typename Params> const Params* paramsOf(void* params) {
    const auto* p = static_cast<const Params*>(params);
    return p && p->hdr.size >= sizeof(Params) ? p : nullptr;
}

} // namespace

int32_t KXH_CALL outputSetupHandler(void* params) {
    if (const auto* p = paramsOf<KxhOutputSetupParams>(params)) OutputSetupHook(p->output);
    return 0;
}

int32_t KXH_CALL headerCommentsHandler(void* params) {
    if (const auto* p = paramsOf<KxhHeaderCommentsParams>(params))
        HeaderCommentsHook(p->output, p->phase);
    return 0;
}

int32_t KXH_CALL pageMarksHandler(void* params) {
    if (const auto* p = paramsOf<KxhPageHookParams>(params)) PageMarksHook(p->output);
    return 0;
}

int32_t KXH_CALL pageBoxesHandler(void* params) {
    if (const auto* p = paramsOf<KxhPageHookParams>(params)) PageBoxesHook(p->output);
    return 0;
}

// The job slug is stamped before the overflow check, which must see the text that goes out.
int32_t KXH_CALL outputStartHandler(void* params) {
    auto* p = static_cast<KxhOutputStartParams*>(params);
    if (!p || p->hdr.size < sizeof(KxhOutputStartParams)) return 0;
    std::vector<ItemHandle> stamped = stampJobSlugsAtOutputStart(p->output);
    OutputStartHook(p->output, &p->abort, stamped);
    if (p->abort) forgetOutputStartStamp();
    return 0;
}
