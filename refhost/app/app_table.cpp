#include "app/app_table.h"

#include "app/host_app.h"
#include "plugins/handles.h"

#include <string>

namespace refhost {

namespace {

void* KXH_CALL appMainWindow(void) {
    return CMyHostApp::instance().mainWindow();
}

uint32_t KXH_CALL appFrontWindow(void) {
    Document* doc = frontDocument();
    return doc ? uint32_t(doc->id) : KXH_NO_WINDOW;
}

int32_t KXH_CALL appLayoutOfWindow(uint32_t window) {
    if (window == KXH_NO_WINDOW) return KXH_NO_LAYOUT;
    Document* doc = findOpenDocument(int32_t(window));
    if (!doc || doc->currentLayout < 0 || size_t(doc->currentLayout) >= doc->layouts.size())
        return KXH_NO_LAYOUT;
    return doc->layouts[size_t(doc->currentLayout)]->id;
}

int32_t KXH_CALL appCurrentLayout(void) {
    Layout* layout = frontLayout();
    return layout ? layout->id : KXH_NO_LAYOUT;
}

int32_t KXH_CALL appDocumentOfLayout(int32_t layout) {
    Document* doc = documentOfLayout(layout);
    return doc ? doc->id : KXH_NO_DOCUMENT;
}

int32_t KXH_CALL appCurrentPage(int32_t layout) {
    Layout* found = findOpenLayout(layout);
    return found ? found->currentPage : -1;
}

int32_t KXH_CALL appSelectAndShowItem(int32_t layout, KxhItem item) {
    // The handle is checked before it is used: a plug-in may hand over anything.
    ItemPlace place = findItemHandle(item);
    Layout* found = findOpenLayout(layout);
    Item* target = place.item;
    if (!found || !target || place.layout != found) return KXH_NONE;
    found->selected = target;
    found->currentPage = target->page;
    CMyHostApp::instance().refresh();
    return KXH_OK;
}

// The script runner finds dialogs by themselves; nothing more is needed here.
void KXH_CALL appDialogOpened(void*) {}
void KXH_CALL appDialogClosed(void*) {}

void KXH_CALL appErrorAlert(int32_t code) {
    int16_t shown = int16_t(code & 0xFFFF);
    if (shown == 0) return;
    CMyHostApp::instance().reportError("The operation failed (error " + std::to_string(shown) +
                                       ").");
}

int16_t KXH_CALL appLanguage(void) {
    return CMyHostApp::instance().language();
}

} // namespace

void fillAppTable(KxhAppTable& table) {
    table.mainWindow = appMainWindow;
    table.frontWindow = appFrontWindow;
    table.layoutOfWindow = appLayoutOfWindow;
    table.currentLayout = appCurrentLayout;
    table.documentOfLayout = appDocumentOfLayout;
    table.currentPage = appCurrentPage;
    table.selectAndShowItem = appSelectAndShowItem;
    table.dialogOpened = appDialogOpened;
    table.dialogClosed = appDialogClosed;
    table.errorAlert = appErrorAlert;
    table.language = appLanguage;
}

} // namespace refhost
