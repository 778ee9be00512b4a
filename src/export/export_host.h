#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "export/export_types.h"
#include "kxh_api.h"

// What the export engine asks of the host, in its own terms. Implemented over the host's
// function tables; every text is UTF-8 and every block the host hands out is released here.
// Without tables (or with a slot the host left empty) every query answers "none".

struct ExportHostTables {
    const KxhAppTable* app;
    const KxhLayoutTable* layout;
    const KxhDocDataTable* docData;
    const KxhOutputTable* output;
    const KxhStyleTable* style;
    const KxhGeometryTable* geometry;
    const KxhMemoryTable* memory;
    const KxhPdfService* pdf; // optional service; null or empty when the host has none
    const KxhTextTable* text;
    const KxhBoxNameService* boxNames; // optional service, as pdf
};

// The host integration installs the tables it obtained; tests install their own.
void setExportHostTables(const ExportHostTables& tables);

// Layout and pages.
int32_t hostCurrentLayout(); // -1 when there is none
int32_t hostPageCount(int32_t layout);
int16_t hostCurrentPage(int32_t layout);
ItemHandle hostCurrentItem(int32_t layout);
// The displayed name of absolute page `page`; empty when there is none. Cut to fit.
void hostPageName(int32_t layout, int32_t page, char* name, size_t size);
// The absolute page number of a displayed page name; below 1 when the name is unknown.
int32_t hostPageOfName(int32_t layout, const char* name);
// The absolute numbers of the pages of the spread holding `page`, up to `max` of them.
// Returns how many the spread has (0 when the page has no spread).
int32_t hostSpreadPages(int32_t layout, int32_t page, int32_t* pages, int32_t max);
// Page size in Fixed points.
void hostPageSize(int32_t layout, Fixed* width, Fixed* height);
// The page (0, 0, height, width) placed at its position in its spread, normalised.
FixedRect hostPageRectInSpread(int32_t layout, int32_t page);

// Items. Spreads count from 1; items come in the host's order, top-level items only.
int32_t hostSpreadCount(int32_t layout); // 0 when unknown
int32_t hostSpreadOfPage(int32_t layout, int32_t page);
ItemHandle hostFirstItem(int32_t layout, int32_t spread);
ItemHandle hostNextItem(ItemHandle item);
int32_t hostItemKind(ItemHandle item); // KXH_ITEM_..., 0 when unknown
int32_t hostMemberCount(ItemHandle group);
ItemHandle hostMemberAt(ItemHandle group, int32_t index);
bool hostItemBounds(ItemHandle item, FixedRect* bounds); // in its spread's coordinates
int32_t hostItemPage(ItemHandle item);                   // -1 when unknown
// The item's name as the user gave it; empty when it has none or the host cannot say. Cut to
// fit: it only names the item in messages.
void hostItemName(ItemHandle item, char* name, size_t size);
// 1 suppressed, 0 not, -1 unknown item.
int32_t hostSuppressOutput(ItemHandle item);
bool hostSetSuppressOutput(ItemHandle item, bool suppress);
// Makes the item the layout's selection and shows its page.
void hostSelectAndShow(int32_t layout, ItemHandle item);
// The status word at byte 36 of the last line record of a text box's layout; false when the
// host hands out no layout for the box.
bool hostLastLineStatus(ItemHandle box, int32_t* status);

// Geometry.
bool hostRectsIntersect(const FixedRect& a, const FixedRect& b);
void hostNormaliseRect(FixedRect* rect);
void hostInsetRect(FixedRect* rect, Fixed dx, Fixed dy);
// Clips the output to rect (the EPS bounding box follows it); false when the host refuses.
bool hostClipOutput(KxhOutput output, const FixedRect& rect);

// The project of a layout. Each returns false (and an empty text) when the text does not fit.
bool hostProjectPath(int32_t layout, char* path, size_t size); // empty when never saved
bool hostProjectName(int32_t layout, char* name, size_t size); // with its extension
bool hostLayoutName(int32_t layout, char* name, size_t size);

// Kestrix's data block of a layout (owner kPluginId). Returns the bytes copied, -1 for none.
int32_t hostReadLayoutData(int32_t layout, void* data, int32_t size);
// Stores the block; 0 or the host's error code. Storing marks nothing by itself.
int32_t hostStoreLayoutData(int32_t layout, const void* data, int32_t size);
void hostMarkLayoutChanged(int32_t layout);
void hostShowError(int32_t code);

// Documents, for the tracking history (Kestrix's data block of a document).
int32_t hostDocumentOfLayout(int32_t layout); // -1 when unknown
// The whole block into `bytes`: KXH_OK; KXH_NONE when there is none (bytes empty); the host's
// error code, or KXH_ERR_PARAM when the host offers no document data.
int32_t hostReadDocumentData(int32_t document, std::string* bytes);
// Stores `size` bytes as the block, or removes it (data null); 0 or the host's error code.
// Storing marks nothing by itself.
int32_t hostStoreDocumentData(int32_t document, const void* data, size_t size);
void hostMarkDocumentChanged(int32_t document);

// Replaces the whole text of a text box; false when the host refuses or keeps no text.
bool hostReplaceText(ItemHandle box, const KxhUnit* text, int32_t length);

// Output.
bool hostExportFlag(bool* value); // false when the PDF service is missing
void hostSetExportFlag(bool value);
int32_t hostExportLayout(int32_t layout, uint32_t styleType);
int32_t hostOutputLayout(KxhOutput output); // -1 when the host does not say
void hostSetOutputPageRange(KxhOutput output, int32_t first, int32_t last);
void hostSetOutputFile(KxhOutput output, const char* path);
int32_t hostApplyStyleToOutput(KxhOutput output, StyleHandle style); // 0 or the host's code
void hostOutputSettings(KxhOutput output, uint8_t* record, size_t size);
void hostWriteToStream(KxhOutput output, const char* text, size_t length);

// Output styles.
StyleHandle hostFindStyle(const char* name);
uint32_t hostStyleType(StyleHandle style); // 0 when the host reports none
StyleHandle hostDefaultStyle(uint32_t type);
int32_t hostStyleCount();
StyleHandle hostStyleAt(int32_t index);
void hostStyleName(StyleHandle style, char* name, size_t size);

// Keyed data of a style: the value at `path` (dictionary keys, then the value's key) in the
// owner's container. False when the container or any step is missing (value "") or when the
// value does not fit (value holds it cut at a character boundary, and *cut is set: a value cut
// to nothing must not pass for a missing one). Nothing is created.
bool hostStyleValue(StyleHandle style, uint32_t owner, const char* const* path, int32_t depth,
                    char* value, size_t size, bool* cut = nullptr);
bool hostStyleHasContainer(StyleHandle style, uint32_t owner);
// Writes values, in order, under one dictionary of the owner's container (both created when
// missing) and hands the container back to the style. False when the host refuses.
struct StyleValue {
    const char* key;
    const char* value;
};
bool hostWriteStyleValues(StyleHandle style, uint32_t owner, const char* dictionary,
                          const StyleValue* values, int32_t count);
