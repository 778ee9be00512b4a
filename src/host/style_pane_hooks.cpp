// The style editor's file-naming pane. Registered from start-up; the pane itself joins here
// with the export engine's style settings. Until then the editor gets no pane and every pane
// message is left unhandled (result 0).
#include "host/handlers.h"

int32_t KXH_CALL styleEditorHandler(void* /*params*/) {
    return 0;
}

int32_t KXH_CALL fileNamingPaneHandler(void* /*params*/) {
    return 0;
}
