// The output hooks: the host's parameter blocks handed to the export engine.
#include "export/export_run.h"
#include "export/overflow_check.h"
#include "export/ps_insertions.h"
#include "host/handlers.h"
#include "host/tracking.h"

int32_t KXH_CALL outputSetupHandler(void* params) {
    OutputSetupHook(static_cast<const KxhOutputSetupParams*>(params)->output);
    return 0;
}

int32_t KXH_CALL headerCommentsHandler(void* params) {
    const auto* p = static_cast<const KxhHeaderCommentsParams*>(params);
    HeaderCommentsHook(p->output, p->phase);
    return 0;
}

int32_t KXH_CALL pageMarksHandler(void* params) {
    PageMarksHook(static_cast<const KxhPageHookParams*>(params)->output);
    return 0;
}

int32_t KXH_CALL pageBoxesHandler(void* params) {
    PageBoxesHook(static_cast<const KxhPageHookParams*>(params)->output);
    return 0;
}

// The job slug is stamped before the overflow check, which must see the text that goes out.
int32_t KXH_CALL outputStartHandler(void* params) {
    auto* p = static_cast<KxhOutputStartParams*>(params);
    std::vector<ItemHandle> stamped = stampJobSlugsAtOutputStart(p->output);
    OutputStartHook(p->output, &p->abort, stamped);
    if (p->abort) forgetOutputStartStamp();
    return 0;
}
