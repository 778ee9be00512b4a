// The style editor's file-naming pane: the editor of an EPS or PDF style gets it, filled from
// the style's naming record and stored back when the editor is confirmed.
#include <windows.h>

#include <cstddef>
#include <string>

#include "export/export_ui.h"
#include "export/naming_text.h"
#include "export/style_settings.h"
#include "export/text_fields.h"
#include "foundation/localize.h"
#include "host/handlers.h"
#include "host/host_tables.h"
#include "host/module.h"
#include "resources/dialog_ids.h"

namespace {

constexpr uint32_t kPaneDialog = IDD_NAMING_PANE; // the pane's template in our resources

enum PaneItem {
    kPaneFileName = IDC_PANE_FILE_NAME,
    kPaneBase = IDC_PANE_BASE,
    kPaneSeparator = IDC_PANE_SEPARATOR,
    kPaneNumbers = IDC_PANE_NUMBERS,
    kPaneSuffix = IDC_PANE_SUFFIX,
    kPaneNumberBeforeName = IDC_PANE_NUMBER_BEFORE_NAME,
    kPanePageMargins = IDC_PANE_PAGE_MARGINS,
};
const int kPanePlusSigns[] = {IDC_PANE_PLUS_1, IDC_PANE_PLUS_2, IDC_PANE_PLUS_3};

// What the user can type into the separator and the suffix: what the record keeps whole.
constexpr int32_t kPaneTextUnits = int32_t(kShortTextSize) - 1;

// The style whose editor is open; one editor at a time.
StyleHandle gStyle = nullptr;
// The record as filled, for values the items cannot show (a base or number form out of range).
FWiz gShown = {};

// A text field read whole: longer than any text the record takes, so that a cut is noticed.
struct FieldText {
    char text[256];
    bool whole;
};

// A field the host cannot read reads as empty.
FieldText readField(KxhPane pane, int item) {
    FieldText field = {};
    field.whole = true;
    const KxhPaneTable& panes = hostTables().pane;
    if (panes.getItemText &&
        panes.getItemText(pane, item, field.text, sizeof field.text) == KXH_TRUNCATED)
        field.whole = false;
    return field;
}

void setLocalizedText(KxhPane pane, int item, const char* key) {
    char text[kLocalizedSize];
    localize(key, text, sizeof text);
    hostTables().pane.setItemText(pane, item, text);
}

void definePane(KxhPane pane) {
    const KxhPaneTable& panes = hostTables().pane;
    panes.defineItem(pane, kPaneFileName, KXH_PANE_ITEM_STATIC);
    panes.defineItem(pane, kPaneBase, KXH_PANE_ITEM_POPUP);
    for (int item : kPanePlusSigns)
        panes.defineItem(pane, item, KXH_PANE_ITEM_STATIC);
    panes.defineItem(pane, kPaneSeparator, KXH_PANE_ITEM_TEXT_FIELD);
    panes.defineItem(pane, kPaneNumbers, KXH_PANE_ITEM_POPUP);
    panes.defineItem(pane, kPaneSuffix, KXH_PANE_ITEM_TEXT_FIELD);
    panes.defineItem(pane, kPaneNumberBeforeName, KXH_PANE_ITEM_CHECK_BOX);
    panes.defineItem(pane, kPanePageMargins, KXH_PANE_ITEM_CHECK_BOX);
}

void fillPane(KxhPane pane) {
    const KxhPaneTable& panes = hostTables().pane;
    gShown = readFileNaming(gStyle);

    char label[] = "filename:";
    char text[kLocalizedSize];
    localizeLabel(label, text, sizeof text);
    panes.setItemText(pane, kPaneFileName, text);
    for (const char* key : {"project", "layout"}) {
        localize(key, text, sizeof text);
        panes.addPopupEntry(pane, kPaneBase, text);
    }
    panes.setPopupSelection(pane, kPaneBase, gShown.base);
    for (const char* form : {"x", "0x", "00x", "000x"})
        panes.addPopupEntry(pane, kPaneNumbers, form);
    localize("none", text, sizeof text);
    panes.addPopupEntry(pane, kPaneNumbers, text);
    panes.setPopupSelection(pane, kPaneNumbers, gShown.numbers);

    // A stored text the record could not take whole is shown whole: shown cut, it would be
    // stored cut when the editor is confirmed unchanged (a suffix without its extension). As
    // shown it is refused on confirmation, naming the field, until the user shortens it.
    char separator[kNameSize], suffix[kNameSize];
    copyText(separator, gShown.separator);
    copyText(suffix, gShown.suffix);
    if (gShown.namingTooLong) {
        readStoredNamingText(gStyle, "Sep", separator, sizeof separator);
        readStoredNamingText(gStyle, "Suffix", suffix, sizeof suffix);
    }
    panes.setItemText(pane, kPaneSeparator, separator);
    panes.setItemText(pane, kPaneSuffix, suffix);
    if (panes.setItemMaxLength) {
        panes.setItemMaxLength(pane, kPaneSeparator, kPaneTextUnits);
        panes.setItemMaxLength(pane, kPaneSuffix, kPaneTextUnits);
    }
    panes.setChecked(pane, kPaneNumberBeforeName, gShown.numberBeforeName);
    panes.setChecked(pane, kPanePageMargins, gShown.pageMargins);
    setLocalizedText(pane, kPaneNumberBeforeName, "numberBeforeName");
    setLocalizedText(pane, kPanePageMargins, "pageMargins");
}

// The message for a text the record cannot take, or null. A text too long is shown with the
// field's name, so that the user knows which of the two to shorten.
const char* refusal(int item, const FieldText& field, std::string& detail) {
    NamingTextProblem problem = field.whole ? namingTextProblem(field.text) : kNamingTextTooLong;
    if (problem == kNamingTextTooLong) {
        char name[kLocalizedSize];
        localize(item == kPaneSuffix ? "suffix" : "separator", name, sizeof name);
        detail = std::string(name) + ": " + field.text;
        return "namingTooLong";
    }
    if (problem == kNamingTextForbidden) {
        detail = "\\ / : * ? \" < > |";
        return "namingBadChar";
    }
    return nullptr;
}

// True when both texts can be stored as typed; otherwise the user is told why.
bool textsAcceptable(KxhPane pane) {
    for (int item : {kPaneSeparator, kPaneSuffix}) {
        const FieldText field = readField(pane, item);
        std::string detail;
        if (const char* key = refusal(item, field, detail)) {
            exportUi().showMessage(key, detail.c_str());
            return false;
        }
    }
    return true;
}

// A box left as it was shown keeps the stored value, whatever it is (a hand-edited 2 shows
// ticked); only a box the user changed stores 0 or 1.
uint8_t boxValue(KxhPane pane, int item, uint8_t shown) {
    int32_t checked = hostTables().pane.isChecked(pane, item);
    if (checked < 0 || (checked == 1) == (shown != 0)) return shown;
    return checked == 1 ? 1 : 0;
}

void savePane(KxhPane pane) {
    const KxhPaneTable& panes = hostTables().pane;
    // A host that does not ask first still gets nothing stored that would be cut or misread.
    if (!textsAcceptable(pane)) return;
    FWiz naming = gShown;
    int32_t base = panes.popupSelection(pane, kPaneBase);
    if (base >= 0) naming.base = base;
    int32_t numbers = panes.popupSelection(pane, kPaneNumbers);
    if (numbers >= 0) naming.numbers = numbers;
    copyText(naming.separator, readField(pane, kPaneSeparator).text);
    copyText(naming.suffix, readField(pane, kPaneSuffix).text);
    naming.numberBeforeName = boxValue(pane, kPaneNumberBeforeName, gShown.numberBeforeName);
    naming.pageMargins = boxValue(pane, kPanePageMargins, gShown.pageMargins);
    writeFileNaming(gStyle, naming);
}

} // namespace

int32_t KXH_CALL styleEditorHandler(void* params) {
    auto* p = static_cast<KxhStyleEditorParams*>(params);
    const KxhStyleTable& styles = hostTables().style;
    uint32_t type = styleTypeOf(p->style);
    if ((type != kStyleTypeEps && type != kStyleTypePdf) || !styles.addPane) return 0;
    gStyle = p->style;
    styles.addPane(p->editor, privateIds().second, "Kestrix");
    return 0;
}

int32_t KXH_CALL fileNamingPaneHandler(void* params) {
    auto* p = static_cast<KxhPaneParams*>(params);
    if (!gStyle || !hostTables().pane.defineItem) return 0;
    switch (p->paneMessage) {
    case KXH_PANE_DECLARE:
        p->resourceModule = pluginModule();
        p->resourceId = kPaneDialog;
        p->result = 1;
        break;
    case KXH_PANE_DEFINE_ITEMS:
        definePane(p->pane);
        p->result = 1;
        break;
    case KXH_PANE_FILL:
        fillPane(p->pane);
        p->result = 1;
        break;
    case KXH_PANE_CHECK:
        // The block's size tells whether the host reads the answer.
        if (p->hdr.size >= offsetof(KxhPaneParams, refused) + sizeof p->refused &&
            !textsAcceptable(p->pane))
            p->refused = 1;
        p->result = 1;
        break;
    case KXH_PANE_SAVE:
        savePane(p->pane);
        p->result = 1;
        break;
    case KXH_PANE_CLOSE:
        p->result = 1;
        break;
    default:
        break;
    }
    return 0;
}
