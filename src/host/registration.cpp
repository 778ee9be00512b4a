#include "host/registration.h"

#include "host/handlers.h"
#include "host/host_tables.h"
#include "host/menu_commands.h"

int32_t pluginHandlers(HandlerRegistration* list, int32_t max) {
    const HandlerRegistration all[] = {
        {KXH_MSG_LANGUAGE, languageHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_PERIODIC, prefsReloadHandler, KXH_ORDER_NORMAL},
        // Early, so that temporaries are gone before any other plug-in's handler runs.
        {KXH_MSG_EVENT_DONE, tempStringsHandler, KXH_ORDER_EARLY},
        {KXH_MSG_MENU_BUILD, menuBuildHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_MENU_UPDATE, menuUpdateHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_CONTEXT_MENU, contextMenuHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_COMMAND, commandHandler, KXH_ORDER_NORMAL},
        // Early, so that the shortcut is taken before the host or others act on the key.
        {KXH_MSG_KEY, shortcutHandler, KXH_ORDER_EARLY},
        {KXH_MSG_STYLE_EDITOR, styleEditorHandler, KXH_ORDER_NORMAL},
        {privateIds().second, fileNamingPaneHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_DOC_OPENED, documentOpenedHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_DOC_SAVED, documentSavedHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_LAYOUT_OUTPUT, layoutOutputHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_OUTPUT_SETUP, outputSetupHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_HEADER_COMMENTS, headerCommentsHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_PAGE_MARKS, pageMarksHandler, KXH_ORDER_NORMAL},
        {KXH_MSG_PAGE_BOXES, pageBoxesHandler, KXH_ORDER_NORMAL},
        // Early, so that an overflow abort comes before other plug-ins prepare the output.
        {KXH_MSG_OUTPUT_START, outputStartHandler, KXH_ORDER_EARLY},
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
