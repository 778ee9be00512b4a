// Document events: the tracking history and the job slug join here. Until then the events are
// accepted without effect.
#include "host/handlers.h"

int32_t KXH_CALL documentOpenedHandler(void* /*params*/) {
    return 0;
}

int32_t KXH_CALL documentSavedHandler(void* /*params*/) {
    return 0;
}

int32_t KXH_CALL layoutOutputHandler(void* /*params*/) {
    return 0;
}
