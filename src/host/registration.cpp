#include "host/registration.h"

#include <cstddef>

#include "host/handlers.h"
#include "host/host_tables.h"
#include "host/menu_commands.h"

namespace {

// The one gate in front of every handler: a block that is missing or smaller than the handler
// reads is answered with 0 and reaches no handler (kxh_base.h: blocks carry their size).
template <KxhHandler handler, size_t minSize> int32_t KXH_CALL checked(void* params) {
    const auto* block = static_cast<const KxhParams*>(params);
    if (!block || block->size < minSize) return 0;
    return handler(params);
}

// The pane's block may end before `refused`, which older hosts do not read (see the handler).
constexpr size_t kPaneBlockSize = offsetof(KxhPaneParams, refused);

} // namespace

int32_t pluginHandlers(HandlerRegistration* list, int32_t max) {
    // Message, handler behind the size its block must have at least, order value.
    const HandlerRegistration all[] = {
        {KXH_MSG_LANGUAGE, checked<languageHandler, sizeof(KxhLanguageParams)>, KXH_ORDER_NORMAL},
        {KXH_MSG_PERIODIC, checked<prefsReloadHandler, sizeof(KxhPeriodicParams)>,
         KXH_ORDER_NORMAL},
        // Early, so that temporaries are gone before any other plug-in's handler runs.
        {KXH_MSG_EVENT_DONE, checked<tempStringsHandler, sizeof(KxhEventDoneParams)>,
         KXH_ORDER_EARLY},
        {KXH_MSG_MENU_BUILD, checked<menuBuildHandler, sizeof(KxhMenuBuildParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_MENU_UPDATE, checked<menuUpdateHandler, sizeof(KxhMenuUpdateParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_CONTEXT_MENU, checked<contextMenuHandler, sizeof(KxhContextMenuParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_COMMAND, checked<commandHandler, sizeof(KxhCommandParams)>, KXH_ORDER_NORMAL},
        // Early, so that the shortcut is taken before the host or others act on the key.
        {KXH_MSG_KEY, checked<shortcutHandler, sizeof(KxhKeyParams)>, KXH_ORDER_EARLY},
        {KXH_MSG_STYLE_EDITOR, checked<styleEditorHandler, sizeof(KxhStyleEditorParams)>,
         KXH_ORDER_NORMAL},
        {privateIds().second, checked<fileNamingPaneHandler, kPaneBlockSize>, KXH_ORDER_NORMAL},
        {KXH_MSG_DOC_OPENED, checked<documentOpenedHandler, sizeof(KxhDocOpenedParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_DOC_SAVED, checked<documentSavedHandler, sizeof(KxhDocSavedParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_LAYOUT_OUTPUT, checked<layoutOutputHandler, sizeof(KxhLayoutOutputParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_OUTPUT_SETUP, checked<outputSetupHandler, sizeof(KxhOutputSetupParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_HEADER_COMMENTS, checked<headerCommentsHandler, sizeof(KxhHeaderCommentsParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_PAGE_MARKS, checked<pageMarksHandler, sizeof(KxhPageHookParams)>,
         KXH_ORDER_NORMAL},
        {KXH_MSG_PAGE_BOXES, checked<pageBoxesHandler, sizeof(KxhPageHookParams)>,
         KXH_ORDER_NORMAL},
        // Early, so that an overflow abort comes before other plug-ins prepare the output.
        {KXH_MSG_OUTPUT_START, checked<outputStartHandler, sizeof(KxhOutputStartParams)>,
         KXH_ORDER_EARLY},
    };
    int32_t count = 0;
    for (const HandlerRegistration& r : all) {
        if (count >= max) break;
        list[count++] = r;
    }
    return count;
}

int32_t registerHandlers(const KxhEntryBlock& entry) {
    HandlerRegistration list[32];
    const int32_t count = pluginHandlers(list, 32);
    int32_t first = 0;
    // A handler the host refuses does not keep the others from being registered.
    for (int32_t i = 0; i < count; ++i) {
        const int32_t result = entry.registerHandler(list[i].message, list[i].handler,
                                                     KXH_REG_HANDLER, list[i].order, 0);
        if (result != 0 && first == 0) first = result;
    }
    return first;
}
