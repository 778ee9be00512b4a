// A probe plug-in for the host application tests: it registers for every host message and
// writes one line per message it receives to the file named by KX_PROBE_LOG, adds a small
// menu, a context item, a key and a style-editor pane, so that a test can see what the host
// sends and in which order. Its page hooks also mark their place in the PostScript.
#include "kxh_api.h"
#include "probe_ids.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const uint32_t kProbeId = KXH_FOURCC('P', 'R', 'O', 'B');
const uint32_t kProbeOwner = kProbeId;

HMODULE module;
uint32_t paneMessage;
KxhMenuTable menus;
KxhEventTable events;
KxhAppTable app;
KxhStyleTable styles;
KxhPaneTable panes;
KxhOutputTable outputs;
KxhMenu probeMenu;
uint16_t alphaId, betaId;

void logLine(const char* format, ...) {
    const char* path = getenv("KX_PROBE_LOG");
    if (!path) return;
    FILE* f = fopen(path, "ab");
    if (!f) return;
    va_list args;
    va_start(args, format);
    vfprintf(f, format, args);
    va_end(args);
    fputc('\n', f);
    fclose(f);
}

void putOnClipboard(const wchar_t* text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        memcpy(GlobalLock(memory), text, bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

const char* commandName(uint16_t id) {
    return id == alphaId ? "Alpha" : id == betaId ? "Beta" : "other";
}

int32_t KXH_CALL onMessage(void* raw) {
    auto* hdr = static_cast<KxhParams*>(raw);
    switch (hdr->message) {
    case KXH_MSG_LANGUAGE:
        logLine("5 %d", static_cast<KxhLanguageParams*>(raw)->language);
        break;
    case KXH_MSG_MENU_BUILD: {
        auto* p = static_cast<KxhMenuBuildParams*>(raw);
        logLine("6");
        probeMenu = menus.newMenu("Probe");
        alphaId = menus.allocCommandId();
        betaId = menus.allocCommandId();
        menus.insertItem(probeMenu, 0, alphaId, "Alpha");
        menus.insertSeparator(probeMenu, 1);
        menus.insertItem(probeMenu, 2, betaId, "Beta");
        KxhMenu host = menus.hostMenu(p->hostMenu);
        uint16_t menuId = menus.allocMenuId();
        menus.insertSubmenuItem(host, menus.itemCount(host), menuId, "Probe");
        menus.attachSubmenu(host, menuId, probeMenu);
        break;
    }
    case KXH_MSG_MENU_UPDATE:
        logLine("7");
        menus.enableItem(probeMenu, betaId, app.currentLayout() != KXH_NO_LAYOUT);
        break;
    case KXH_MSG_EVENT_DONE:
        logLine("10");
        break;
    case KXH_MSG_PERIODIC:
        logLine("12");
        break;
    case KXH_MSG_CONTEXT_MENU: {
        KxhMenu menu = static_cast<KxhContextMenuParams*>(raw)->menu;
        logLine("318");
        menus.insertItem(menu, menus.itemCount(menu), alphaId, "Probe Context");
        break;
    }
    case KXH_MSG_COMMAND: {
        uint16_t id = static_cast<KxhCommandParams*>(raw)->commandId;
        logLine("618 %s", commandName(id));
        if (id == betaId) putOnClipboard(L"Probe: Gr\u00FC\u00DFe");
        break;
    }
    case KXH_MSG_KEY: {
        auto* p = static_cast<KxhKeyParams*>(raw);
        int ch = events.eventChar(p->event);
        logLine("956 kind=%d %c ctrl=%d shift=%d rshift=%d alt=%d", events.eventKind(p->event), ch,
                events.modifierDown(p->event, KXH_MOD_CTRL),
                events.modifierDown(p->event, KXH_MOD_SHIFT),
                events.modifierDown(p->event, KXH_MOD_RIGHT_SHIFT),
                events.modifierDown(p->event, KXH_MOD_ALT));
        if (ch == 'P') p->handled = 1;
        break;
    }
    case KXH_MSG_DOC_OPENED:
        logLine("975");
        break;
    case KXH_MSG_DOC_SAVED: {
        auto* p = static_cast<KxhDocSavedParams*>(raw);
        logLine("607 %d %d", p->afterSave, p->copyOnly);
        break;
    }
    case KXH_MSG_LAYOUT_OUTPUT:
        logLine("282");
        break;
    case KXH_MSG_STYLE_EDITOR: {
        auto* p = static_cast<KxhStyleEditorParams*>(raw);
        logLine("728");
        if (styles.styleType(p->style) == KXH_TYPE_PDF)
            styles.addPane(p->editor, paneMessage, "Probe");
        break;
    }
    case KXH_MSG_OUTPUT_SETUP:
        logLine("681");
        break;
    case KXH_MSG_OUTPUT_START:
        logLine("93");
        if (getenv("KX_PROBE_ABORT")) static_cast<KxhOutputStartParams*>(raw)->abort = 1;
        break;
    case KXH_MSG_HEADER_COMMENTS:
        logLine("145");
        break;
    case KXH_MSG_PAGE_MARKS:
    case KXH_MSG_PAGE_BOXES: {
        // A comment line in the stream shows where the host ran the hook.
        auto* p = static_cast<KxhPageHookParams*>(raw);
        char line[64];
        int length = snprintf(line, sizeof line, "%% probe %u %d\n", hdr->message, p->page);
        outputs.writePostScript(p->output, line, uint32_t(length));
        logLine("%u %d", hdr->message, p->page);
        break;
    }
    default:
        break;
    }
    return 0;
}

int32_t KXH_CALL onPane(void* raw) {
    auto* p = static_cast<KxhPaneParams*>(raw);
    logLine("pane %d", p->paneMessage);
    char note[64] = "";
    switch (p->paneMessage) {
    case KXH_PANE_DECLARE:
        p->resourceModule = module;
        p->resourceId = IDD_PROBE_PANE;
        break;
    case KXH_PANE_DEFINE_ITEMS:
        panes.defineItem(p->pane, IDC_PROBE_LABEL, KXH_PANE_ITEM_STATIC);
        panes.defineItem(p->pane, IDC_PROBE_CHOICE, KXH_PANE_ITEM_POPUP);
        panes.defineItem(p->pane, IDC_PROBE_NOTE, KXH_PANE_ITEM_TEXT_FIELD);
        panes.defineItem(p->pane, IDC_PROBE_FLAG, KXH_PANE_ITEM_CHECK_BOX);
        break;
    case KXH_PANE_FILL: {
        KxhContainer c = styles.getContainer(p->style, kProbeOwner, 0);
        if (c) styles.getValue(styles.rootDict(c), "Note", note, sizeof note);
        styles.releaseContainer(c);
        panes.setItemText(p->pane, IDC_PROBE_LABEL, "Probe note:");
        panes.setItemText(p->pane, IDC_PROBE_NOTE, note);
        panes.addPopupEntry(p->pane, IDC_PROBE_CHOICE, "one");
        panes.addPopupEntry(p->pane, IDC_PROBE_CHOICE, "two");
        panes.setPopupSelection(p->pane, IDC_PROBE_CHOICE, 0);
        panes.setChecked(p->pane, IDC_PROBE_FLAG, 1);
        break;
    }
    case KXH_PANE_SAVE: {
        KxhContainer c = styles.getContainer(p->style, kProbeOwner, 1);
        KxhDict root = styles.rootDict(c);
        panes.getItemText(p->pane, IDC_PROBE_NOTE, note, sizeof note);
        styles.setValue(root, "Note", note);
        char number[16];
        snprintf(number, sizeof number, "%d", panes.popupSelection(p->pane, IDC_PROBE_CHOICE));
        styles.setValue(root, "Choice", number);
        snprintf(number, sizeof number, "%d", panes.isChecked(p->pane, IDC_PROBE_FLAG));
        styles.setValue(root, "Flag", number);
        styles.putContainer(p->style, kProbeOwner, c);
        styles.releaseContainer(c);
        break;
    }
    default:
        break;
    }
    p->result = 1;
    return 0;
}

int32_t KXH_CALL onIds(KxhIdAllocBlock* block) {
    block->allocate(KXH_ID_MESSAGE, &paneMessage);
    return 0;
}

template <typename Table> bool fetch(KxhEntryBlock* entry, uint32_t code, Table& table) {
    memset(&table, 0, sizeof table);
    table.size = sizeof table;
    return entry->getTable(code, &table) == KXH_OK;
}

int32_t KXH_CALL onMain(KxhEntryBlock* entry) {
    if (!fetch(entry, KXH_TABLE_MENU, menus) || !fetch(entry, KXH_TABLE_EVENT, events) ||
        !fetch(entry, KXH_TABLE_APP, app) || !fetch(entry, KXH_TABLE_STYLE, styles) ||
        !fetch(entry, KXH_TABLE_PANE, panes) || !fetch(entry, KXH_TABLE_OUTPUT, outputs))
        return KXH_PLUGIN_REFUSED;
    const uint32_t messages[] = {
        KXH_MSG_LANGUAGE,     KXH_MSG_MENU_BUILD,   KXH_MSG_MENU_UPDATE,     KXH_MSG_EVENT_DONE,
        KXH_MSG_PERIODIC,     KXH_MSG_CONTEXT_MENU, KXH_MSG_COMMAND,         KXH_MSG_KEY,
        KXH_MSG_DOC_OPENED,   KXH_MSG_DOC_SAVED,    KXH_MSG_LAYOUT_OUTPUT,   KXH_MSG_STYLE_EDITOR,
        KXH_MSG_OUTPUT_SETUP, KXH_MSG_OUTPUT_START, KXH_MSG_HEADER_COMMENTS, KXH_MSG_PAGE_MARKS,
        KXH_MSG_PAGE_BOXES};
    for (uint32_t m : messages)
        entry->registerHandler(m, onMessage, KXH_REG_HANDLER, KXH_ORDER_NORMAL, 0);
    entry->registerHandler(paneMessage, onPane, KXH_REG_HANDLER, KXH_ORDER_NORMAL, 0);
    return 0;
}

} // namespace

extern "C" __declspec(dllexport) int32_t XTActivateCallback(KxhActivationBlock* block) {
    if ((block->confirmPlugin(kProbeId, 0, KXH_INTERFACE_VERSION, KXH_INTERFACE_REVISION, 0) &
         0xFF) != 1)
        return KXH_PLUGIN_REFUSED;
    block->takeValue(200);
    block->registerMainCallback(onMain, KXH_REG_HANDLER, KXH_ORDER_NORMAL);
    block->registerIdCallback(onIds, KXH_REG_HANDLER, KXH_ORDER_NORMAL);
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) module = instance;
    return TRUE;
}
