#pragma once
#include <cstdint>

#include "kxh_api.h"

// Every handler the plug-in registers with the host. Each takes the message's parameter block
// and returns 0 whatever happened inside it. The registration (host/registration.cpp) hands a
// handler only blocks at least as large as the message's, so handlers read them unchecked.

// Host messages of the plug-in's own housekeeping.
int32_t KXH_CALL languageHandler(void* params);    // 5
int32_t KXH_CALL prefsReloadHandler(void* params); // 12
int32_t KXH_CALL tempStringsHandler(void* params); // 10

// Menu messages 6, 7, 318, 618 and 956: see host/menu_commands.h.

// Style editor and its file-naming pane.
int32_t KXH_CALL styleEditorHandler(void* params);    // 728
int32_t KXH_CALL fileNamingPaneHandler(void* params); // second private identifier

// Document events: tracking history and job slug.
int32_t KXH_CALL documentOpenedHandler(void* params); // 975
int32_t KXH_CALL documentSavedHandler(void* params);  // 607
int32_t KXH_CALL layoutOutputHandler(void* params);   // 282

// Output hooks of the export engine.
int32_t KXH_CALL outputSetupHandler(void* params);    // 681
int32_t KXH_CALL headerCommentsHandler(void* params); // 145
int32_t KXH_CALL pageMarksHandler(void* params);      // 155
int32_t KXH_CALL pageBoxesHandler(void* params);      // 151
int32_t KXH_CALL outputStartHandler(void* params);    // 93
