// Document events: the tracking history records them, and an output stamps the job slug.
#include "export/export_host.h"
#include "foundation/settings.h"
#include "host/handlers.h"
#include "host/tracking.h"

int32_t KXH_CALL documentOpenedHandler(void* params) {
    addTrackingEntry(static_cast<const KxhDocOpenedParams*>(params)->document, "Open");
    return 0;
}

int32_t KXH_CALL documentSavedHandler(void* params) {
    const auto* p = static_cast<const KxhDocSavedParams*>(params);
    // A copy written elsewhere, or a notice before the file is written, is no save of ours.
    if (p->afterSave == 1 && p->copyOnly == 0) addTrackingEntry(p->document, "Save");
    return 0;
}

int32_t KXH_CALL layoutOutputHandler(void* params) {
    const auto* p = static_cast<const KxhLayoutOutputParams*>(params);
    // Only exactly 1 records outputs; other non-zero values record opening and saving only.
    if (getTracking() == 1) addTrackingEntry(hostDocumentOfLayout(p->layout), "Output");
    // An output stamped at its start keeps that stamp: the overflow check saw that one.
    bool stampedAtStart = takeOutputStartStamp(p->layout);
    if (getJobSlug() == 1 && !stampedAtStart) stampJobSlugs(p->layout);
    return 0;
}
