/* The host's function tables.
 *
 * A table is a KxhHeader followed by function slots. The plug-in sets `size` to the size of
 * the table as it knows it and asks the host to fill it, either by table code alone (getTable:
 * every function in declaration order) or with a list (fillTable: KXH_LIST_MARKER followed by
 * function identifiers; the i-th identifier fills the i-th slot). Function identifier n of a
 * table with code t is (t << 8) | n, and n is the slot's position + 1, so the KXH_*_FUNCTIONS
 * lists below fill each table in declaration order:
 *
 *     static const uint64_t list[] = {KXH_LIST_MARKER, KXH_LAYOUT_FUNCTIONS};
 *     KxhLayoutTable t;
 *     memset(&t, 0, sizeof t);
 *     t.size = sizeof t;
 *     entry->fillTable(KXH_TABLE_LAYOUT, &t, list, sizeof list / sizeof list[0]);
 *
 * Tables only grow at the end; a slot the host does not know stays as the caller left it.
 */
#ifndef KXH_TABLES_H
#define KXH_TABLES_H

#include "kxh_base.h"

KXH_BEGIN_DECLS

#define KXH_TABLE_VERSION 1u

#define KXH_TABLE_APP 1u
#define KXH_TABLE_MENU 2u
#define KXH_TABLE_EVENT 3u
#define KXH_TABLE_DOCDATA 4u
#define KXH_TABLE_LAYOUT 5u
#define KXH_TABLE_TEXT 6u
#define KXH_TABLE_OUTPUT 7u
#define KXH_TABLE_STYLE 8u
#define KXH_TABLE_PANE 9u
#define KXH_TABLE_GEOMETRY 10u
#define KXH_TABLE_MEMORY 11u
#define KXH_TABLE_STRING 12u

#define KXH_FN(table, n) ((uint64_t)(((table) << 8) | (n)))

/* ---- Application ------------------------------------------------------------------------ */
typedef struct KxhAppTable {
    uint32_t size;
    uint32_t version;
    /* The host's main window as a native handle (HWND on Windows); NULL without one. */
    void*(KXH_CALL* mainWindow)(void);
    /* The frontmost document window, or KXH_NO_WINDOW. */
    uint32_t(KXH_CALL* frontWindow)(void);
    /* The layout shown in `window`, or -1. */
    int32_t(KXH_CALL* layoutOfWindow)(uint32_t window);
    /* The layout of the frontmost window, or -1. */
    int32_t(KXH_CALL* currentLayout)(void);
    /* The document that holds `layout`, or -1. */
    int32_t(KXH_CALL* documentOfLayout)(int32_t layout);
    /* The absolute number (1 = first) of the page the layout's window shows, or -1. */
    int32_t(KXH_CALL* currentPage)(int32_t layout);
    /* Makes `item` the only selection of its layout and shows its page. 0 or KXH_NONE. */
    int32_t(KXH_CALL* selectAndShowItem)(int32_t layout, KxhItem item);
    /* Tells the host that a modal plug-in dialog (native handle) is open / has closed, so
     * that the host can treat it as its own (automation, window order). */
    void(KXH_CALL* dialogOpened)(void* window);
    void(KXH_CALL* dialogClosed)(void* window);
    /* Shows the host's error alert for `code` (its low 16 bits); 0 shows nothing. Modal. */
    void(KXH_CALL* errorAlert)(int32_t code);
    /* The host's interface language, as message 5 reports it. */
    int16_t(KXH_CALL* language)(void);
} KxhAppTable;
#define KXH_FN_APP_MAIN_WINDOW KXH_FN(KXH_TABLE_APP, 1)
#define KXH_FN_APP_FRONT_WINDOW KXH_FN(KXH_TABLE_APP, 2)
#define KXH_FN_APP_LAYOUT_OF_WINDOW KXH_FN(KXH_TABLE_APP, 3)
#define KXH_FN_APP_CURRENT_LAYOUT KXH_FN(KXH_TABLE_APP, 4)
#define KXH_FN_APP_DOCUMENT_OF_LAYOUT KXH_FN(KXH_TABLE_APP, 5)
#define KXH_FN_APP_CURRENT_PAGE KXH_FN(KXH_TABLE_APP, 6)
#define KXH_FN_APP_SELECT_AND_SHOW_ITEM KXH_FN(KXH_TABLE_APP, 7)
#define KXH_FN_APP_DIALOG_OPENED KXH_FN(KXH_TABLE_APP, 8)
#define KXH_FN_APP_DIALOG_CLOSED KXH_FN(KXH_TABLE_APP, 9)
#define KXH_FN_APP_ERROR_ALERT KXH_FN(KXH_TABLE_APP, 10)
#define KXH_FN_APP_LANGUAGE KXH_FN(KXH_TABLE_APP, 11)
#define KXH_APP_FUNCTIONS                                                                          \
    KXH_FN_APP_MAIN_WINDOW, KXH_FN_APP_FRONT_WINDOW, KXH_FN_APP_LAYOUT_OF_WINDOW,                  \
        KXH_FN_APP_CURRENT_LAYOUT, KXH_FN_APP_DOCUMENT_OF_LAYOUT, KXH_FN_APP_CURRENT_PAGE,         \
        KXH_FN_APP_SELECT_AND_SHOW_ITEM, KXH_FN_APP_DIALOG_OPENED, KXH_FN_APP_DIALOG_CLOSED,       \
        KXH_FN_APP_ERROR_ALERT, KXH_FN_APP_LANGUAGE

/* ---- Menus ------------------------------------------------------------------------------ */
/* Menus and their items belong to the host and live until it exits. Positions count from 0;
 * inserting at the item count appends. Titles are UTF-8. */
typedef struct KxhMenuTable {
    uint32_t size;
    uint32_t version;
    /* A new, empty menu with `title`; NULL on failure. */
    KxhMenu(KXH_CALL* newMenu)(const char* title);
    /* A command identifier unique in the host (never 0); 0 when exhausted. */
    uint16_t(KXH_CALL* allocCommandId)(void);
    /* Number of items (separators included), or -1 for an unknown menu. */
    int32_t(KXH_CALL* itemCount)(KxhMenu menu);
    /* Inserts a command item. 0, KXH_ERR_PARAM (position outside 0..count, null title). */
    int32_t(KXH_CALL* insertItem)(KxhMenu menu, int32_t position, uint16_t commandId,
                                  const char* title);
    /* Inserts a separator. 0 or KXH_ERR_PARAM. */
    int32_t(KXH_CALL* insertSeparator)(KxhMenu menu, int32_t position);
    /* A menu identifier unique in the host (never 0); 0 when exhausted. */
    uint16_t(KXH_CALL* allocMenuId)(void);
    /* The host menu named by a code (KxhMenuBuildParams.hostMenu), or NULL. */
    KxhMenu(KXH_CALL* hostMenu)(uint32_t code);
    /* Inserts an item titled `title` under `menuId` that will carry a submenu. 0 or
     * KXH_ERR_PARAM. */
    int32_t(KXH_CALL* insertSubmenuItem)(KxhMenu menu, int32_t position, uint16_t menuId,
                                         const char* title);
    /* Attaches `submenu` to the item `menuId` of `menu`. 0, KXH_NONE (no such item). */
    int32_t(KXH_CALL* attachSubmenu)(KxhMenu menu, uint16_t menuId, KxhMenu submenu);
    /* Enables (non-zero) or greys the command item `commandId` of `menu`. 0 or KXH_NONE. */
    int32_t(KXH_CALL* enableItem)(KxhMenu menu, uint16_t commandId, int32_t enabled);
} KxhMenuTable;
#define KXH_FN_MENU_NEW KXH_FN(KXH_TABLE_MENU, 1)
#define KXH_FN_MENU_ALLOC_COMMAND_ID KXH_FN(KXH_TABLE_MENU, 2)
#define KXH_FN_MENU_ITEM_COUNT KXH_FN(KXH_TABLE_MENU, 3)
#define KXH_FN_MENU_INSERT_ITEM KXH_FN(KXH_TABLE_MENU, 4)
#define KXH_FN_MENU_INSERT_SEPARATOR KXH_FN(KXH_TABLE_MENU, 5)
#define KXH_FN_MENU_ALLOC_MENU_ID KXH_FN(KXH_TABLE_MENU, 6)
#define KXH_FN_MENU_HOST_MENU KXH_FN(KXH_TABLE_MENU, 7)
#define KXH_FN_MENU_INSERT_SUBMENU_ITEM KXH_FN(KXH_TABLE_MENU, 8)
#define KXH_FN_MENU_ATTACH_SUBMENU KXH_FN(KXH_TABLE_MENU, 9)
#define KXH_FN_MENU_ENABLE_ITEM KXH_FN(KXH_TABLE_MENU, 10)
#define KXH_MENU_FUNCTIONS                                                                         \
    KXH_FN_MENU_NEW, KXH_FN_MENU_ALLOC_COMMAND_ID, KXH_FN_MENU_ITEM_COUNT,                         \
        KXH_FN_MENU_INSERT_ITEM, KXH_FN_MENU_INSERT_SEPARATOR, KXH_FN_MENU_ALLOC_MENU_ID,          \
        KXH_FN_MENU_HOST_MENU, KXH_FN_MENU_INSERT_SUBMENU_ITEM, KXH_FN_MENU_ATTACH_SUBMENU,        \
        KXH_FN_MENU_ENABLE_ITEM

/* ---- Events ----------------------------------------------------------------------------- */
typedef struct KxhEventTable {
    uint32_t size;
    uint32_t version;
    /* The event's kind: KXH_EVENT_KEY_DOWN (7) for a key press; -1 for a null event. */
    int32_t(KXH_CALL* eventKind)(KxhEvent event);
    /* The key's character: letters as upper-case ASCII ('E' = 69) whatever the modifiers,
     * other keys as their character code; 0 when none. */
    int32_t(KXH_CALL* eventChar)(KxhEvent event);
    /* 1 when modifier KXH_MOD_... (33 Ctrl, 34 Shift, 35 right Shift, 36 Alt) was down, else 0.
     * Shift (34) is down for either Shift key; 35 only for the right one. */
    int32_t(KXH_CALL* modifierDown)(KxhEvent event, int32_t modifier);
} KxhEventTable;
#define KXH_FN_EVENT_KIND KXH_FN(KXH_TABLE_EVENT, 1)
#define KXH_FN_EVENT_CHAR KXH_FN(KXH_TABLE_EVENT, 2)
#define KXH_FN_EVENT_MODIFIER_DOWN KXH_FN(KXH_TABLE_EVENT, 3)
#define KXH_EVENT_FUNCTIONS KXH_FN_EVENT_KIND, KXH_FN_EVENT_CHAR, KXH_FN_EVENT_MODIFIER_DOWN

/* ---- Document data ---------------------------------------------------------------------- */
/* Data blocks are kept by owner code (the plug-in's identifier) with the document or layout
 * and saved in the project file. */
#define KXH_CHANGE_CONTENT 3 /* change kind: the document's content changed */
typedef struct KxhDocDataTable {
    uint32_t size;
    uint32_t version;
    /* A new copy of the document's block of `owner` into *block: the caller releases it with
     * KxhMemoryTable.releaseBlock. 0; KXH_NONE when there is no block (or no such document;
     * *block is then NULL); KXH_ERR_MEMORY. */
    int32_t(KXH_CALL* getDocumentData)(int32_t document, uint32_t owner, KxhBlock* block);
    /* Stores a copy of `block` as the document's data of `owner`; NULL removes it. The caller
     * keeps its block. Does not mark the document changed. 0, KXH_NONE, KXH_ERR_MEMORY;
     * KXH_ERR_NOT_NOW, with nothing changed, when the project file holds data of `owner` that
     * the host could not read (it keeps that data as it is; getDocumentData finds none). */
    int32_t(KXH_CALL* setDocumentData)(int32_t document, uint32_t owner, KxhBlock block);
    /* The same for a layout. */
    int32_t(KXH_CALL* getLayoutData)(int32_t layout, uint32_t owner, KxhBlock* block);
    int32_t(KXH_CALL* setLayoutData)(int32_t layout, uint32_t owner, KxhBlock block);
    /* Marks the document changed (kind KXH_CHANGE_CONTENT). 0 or KXH_NONE. */
    int32_t(KXH_CALL* markChanged)(int32_t document, int32_t kind);
    /* 1 when the document has unsaved changes, 0 when not, KXH_NONE for no such document. */
    int32_t(KXH_CALL* isChanged)(int32_t document);
    /* The document's file path; "" for a document never saved. 0, KXH_TRUNCATED, KXH_NONE. */
    int32_t(KXH_CALL* documentPath)(int32_t document, char* buf, uint32_t bufSize);
    /* The project's name as shown in its window: the file name with extension, or the
     * untitled name ("Project1"). 0, KXH_TRUNCATED, KXH_NONE. */
    int32_t(KXH_CALL* projectName)(int32_t document, char* buf, uint32_t bufSize);
    /* The layout's name. 0, KXH_TRUNCATED, KXH_NONE. */
    int32_t(KXH_CALL* layoutName)(int32_t layout, char* buf, uint32_t bufSize);
} KxhDocDataTable;
#define KXH_FN_DOC_GET_DOCUMENT_DATA KXH_FN(KXH_TABLE_DOCDATA, 1)
#define KXH_FN_DOC_SET_DOCUMENT_DATA KXH_FN(KXH_TABLE_DOCDATA, 2)
#define KXH_FN_DOC_GET_LAYOUT_DATA KXH_FN(KXH_TABLE_DOCDATA, 3)
#define KXH_FN_DOC_SET_LAYOUT_DATA KXH_FN(KXH_TABLE_DOCDATA, 4)
#define KXH_FN_DOC_MARK_CHANGED KXH_FN(KXH_TABLE_DOCDATA, 5)
#define KXH_FN_DOC_IS_CHANGED KXH_FN(KXH_TABLE_DOCDATA, 6)
#define KXH_FN_DOC_DOCUMENT_PATH KXH_FN(KXH_TABLE_DOCDATA, 7)
#define KXH_FN_DOC_PROJECT_NAME KXH_FN(KXH_TABLE_DOCDATA, 8)
#define KXH_FN_DOC_LAYOUT_NAME KXH_FN(KXH_TABLE_DOCDATA, 9)
#define KXH_DOCDATA_FUNCTIONS                                                                      \
    KXH_FN_DOC_GET_DOCUMENT_DATA, KXH_FN_DOC_SET_DOCUMENT_DATA, KXH_FN_DOC_GET_LAYOUT_DATA,        \
        KXH_FN_DOC_SET_LAYOUT_DATA, KXH_FN_DOC_MARK_CHANGED, KXH_FN_DOC_IS_CHANGED,                \
        KXH_FN_DOC_DOCUMENT_PATH, KXH_FN_DOC_PROJECT_NAME, KXH_FN_DOC_LAYOUT_NAME

/* ---- Layout structure ------------------------------------------------------------------- */
/* Pages are numbered absolutely from 1, spreads from 1. Item handles stay valid while their
 * layout is open and the item exists; the host owns them. */
#define KXH_ITEM_BOX 1   /* a plain box */
#define KXH_ITEM_TEXT 2  /* a text box */
#define KXH_ITEM_GROUP 3 /* a group of items */
typedef struct KxhLayoutTable {
    uint32_t size;
    uint32_t version;
    /* Number of pages, or -1 for an unknown layout. */
    int32_t(KXH_CALL* pageCount)(int32_t layout);
    /* Number of spreads, or -1. */
    int32_t(KXH_CALL* spreadCount)(int32_t layout);
    /* The spread that holds `page`, or -1. */
    int32_t(KXH_CALL* spreadOfPage)(int32_t layout, int32_t page);
    /* The absolute page numbers of `spread`, left to right, into pages[0..max-1]. Returns the
     * number of pages of the spread (which may exceed max), or -1. */
    int32_t(KXH_CALL* pagesOfSpread)(int32_t layout, int32_t spread, int16_t* pages, int32_t max);
    /* The page's displayed name from its section ("iv", "A-3", "12"). 0, KXH_TRUNCATED,
     * KXH_NONE (buf "") for an unknown page. */
    int32_t(KXH_CALL* pageName)(int32_t layout, int32_t page, char* buf, uint32_t bufSize);
    /* The absolute number of the page displayed as `name` (exact match), or -1. */
    int32_t(KXH_CALL* pageOfName)(int32_t layout, const char* name);
    /* The layout's page width and height (points x 65536). 0 or KXH_NONE. */
    int32_t(KXH_CALL* pageSize)(int32_t layout, KxhFixed* width, KxhFixed* height);
    /* The page's rectangle (0, 0, height, width) placed at its position in its spread.
     * 0 or KXH_NONE. */
    int32_t(KXH_CALL* pageRect)(int32_t layout, int32_t page, KxhRect* rect);
    /* The selected item of the layout (the first, when several), or NULL. */
    KxhItem(KXH_CALL* selectedItem)(int32_t layout);
    /* The first top-level item of `spread` in the host's item order, or NULL. */
    KxhItem(KXH_CALL* firstItem)(int32_t layout, int32_t spread);
    /* The next top-level item on the same spread, or NULL. */
    KxhItem(KXH_CALL* nextItem)(KxhItem item);
    /* KXH_ITEM_BOX, KXH_ITEM_TEXT or KXH_ITEM_GROUP; 0 for a null or unknown item. */
    int32_t(KXH_CALL* itemKind)(KxhItem item);
    /* Number of members of a group (0 for other items). */
    int32_t(KXH_CALL* memberCount)(KxhItem group);
    /* Member `index` (from 0) of a group, or NULL. */
    KxhItem(KXH_CALL* memberAt)(KxhItem group, int32_t index);
    /* The item's bounds in the coordinates of its spread. 0 or KXH_NONE. */
    int32_t(KXH_CALL* itemBounds)(KxhItem item, KxhRect* bounds);
    /* The absolute page the item lies on, or -1. */
    int32_t(KXH_CALL* itemPage)(KxhItem item);
    /* Sets (non-zero) or clears the item's suppress-output flag. 0 or KXH_NONE. */
    int32_t(KXH_CALL* setSuppressOutput)(KxhItem item, int32_t suppress);
    /* 1 when the item's output is suppressed, 0 when not, -1 for an unknown item. */
    int32_t(KXH_CALL* suppressOutput)(KxhItem item);
} KxhLayoutTable;
#define KXH_FN_LAYOUT_PAGE_COUNT KXH_FN(KXH_TABLE_LAYOUT, 1)
#define KXH_FN_LAYOUT_SPREAD_COUNT KXH_FN(KXH_TABLE_LAYOUT, 2)
#define KXH_FN_LAYOUT_SPREAD_OF_PAGE KXH_FN(KXH_TABLE_LAYOUT, 3)
#define KXH_FN_LAYOUT_PAGES_OF_SPREAD KXH_FN(KXH_TABLE_LAYOUT, 4)
#define KXH_FN_LAYOUT_PAGE_NAME KXH_FN(KXH_TABLE_LAYOUT, 5)
#define KXH_FN_LAYOUT_PAGE_OF_NAME KXH_FN(KXH_TABLE_LAYOUT, 6)
#define KXH_FN_LAYOUT_PAGE_SIZE KXH_FN(KXH_TABLE_LAYOUT, 7)
#define KXH_FN_LAYOUT_PAGE_RECT KXH_FN(KXH_TABLE_LAYOUT, 8)
#define KXH_FN_LAYOUT_SELECTED_ITEM KXH_FN(KXH_TABLE_LAYOUT, 9)
#define KXH_FN_LAYOUT_FIRST_ITEM KXH_FN(KXH_TABLE_LAYOUT, 10)
#define KXH_FN_LAYOUT_NEXT_ITEM KXH_FN(KXH_TABLE_LAYOUT, 11)
#define KXH_FN_LAYOUT_ITEM_KIND KXH_FN(KXH_TABLE_LAYOUT, 12)
#define KXH_FN_LAYOUT_MEMBER_COUNT KXH_FN(KXH_TABLE_LAYOUT, 13)
#define KXH_FN_LAYOUT_MEMBER_AT KXH_FN(KXH_TABLE_LAYOUT, 14)
#define KXH_FN_LAYOUT_ITEM_BOUNDS KXH_FN(KXH_TABLE_LAYOUT, 15)
#define KXH_FN_LAYOUT_ITEM_PAGE KXH_FN(KXH_TABLE_LAYOUT, 16)
#define KXH_FN_LAYOUT_SET_SUPPRESS_OUTPUT KXH_FN(KXH_TABLE_LAYOUT, 17)
#define KXH_FN_LAYOUT_SUPPRESS_OUTPUT KXH_FN(KXH_TABLE_LAYOUT, 18)
#define KXH_LAYOUT_FUNCTIONS                                                                       \
    KXH_FN_LAYOUT_PAGE_COUNT, KXH_FN_LAYOUT_SPREAD_COUNT, KXH_FN_LAYOUT_SPREAD_OF_PAGE,            \
        KXH_FN_LAYOUT_PAGES_OF_SPREAD, KXH_FN_LAYOUT_PAGE_NAME, KXH_FN_LAYOUT_PAGE_OF_NAME,        \
        KXH_FN_LAYOUT_PAGE_SIZE, KXH_FN_LAYOUT_PAGE_RECT, KXH_FN_LAYOUT_SELECTED_ITEM,             \
        KXH_FN_LAYOUT_FIRST_ITEM, KXH_FN_LAYOUT_NEXT_ITEM, KXH_FN_LAYOUT_ITEM_KIND,                \
        KXH_FN_LAYOUT_MEMBER_COUNT, KXH_FN_LAYOUT_MEMBER_AT, KXH_FN_LAYOUT_ITEM_BOUNDS,            \
        KXH_FN_LAYOUT_ITEM_PAGE, KXH_FN_LAYOUT_SET_SUPPRESS_OUTPUT, KXH_FN_LAYOUT_SUPPRESS_OUTPUT

/* ---- Text ------------------------------------------------------------------------------- */
/* Positions and lengths count UTF-16 units of the box's text. */

/* One line of a text box's layout, as lineRecords hands them out (76 bytes each). */
#define KXH_LINE_RECORD_SIZE 76
#define KXH_LINE_OVERFLOW 0x7CCCCCCC /* status of the last line when text does not fit */
typedef struct KxhLineRecord {
    int32_t firstUnit; /* position of the line's first unit */
    int32_t unitCount; /* units on the line, its line break included */
    KxhFixed top;      /* line box, in the coordinates of the spread */
    KxhFixed left;
    KxhFixed bottom;
    KxhFixed right;
    KxhFixed baseline;
    KxhFixed ascent;
    KxhFixed descent;
    int32_t status; /* byte 36: KXH_LINE_OVERFLOW on the last line when text is left over */
    KxhFixed width; /* width of the set text */
    uint8_t reserved[32];
} KxhLineRecord;
KXH_STATIC_CHECK(line_record_size, sizeof(KxhLineRecord) == KXH_LINE_RECORD_SIZE);

typedef struct KxhTextTable {
    uint32_t size;
    uint32_t version;
    /* Length of the box's text, or -1 when `item` is not a text box. */
    int32_t(KXH_CALL* textLength)(KxhItem item);
    /* Copies up to max - 1 units and a terminating 0 into dest. Returns the full length, or
     * -1 when `item` is not a text box. */
    int32_t(KXH_CALL* getText)(KxhItem item, KxhUnit* dest, int32_t max);
    /* Deletes the units from..to-1. 0, KXH_ERR_PARAM (range outside the text), KXH_NONE. */
    int32_t(KXH_CALL* deleteText)(KxhItem item, int32_t from, int32_t to);
    /* Inserts `count` units at `position` (0..length). 0, KXH_ERR_PARAM, KXH_NONE. */
    int32_t(KXH_CALL* insertText)(KxhItem item, int32_t position, const KxhUnit* text,
                                  int32_t count);
    /* The box's text layout as a new block of KxhLineRecords (one per set line; an empty box
     * with text that fits nowhere gets one record with status KXH_LINE_OVERFLOW). NULL when
     * `item` is not a text box or has no text. The caller releases the block. */
    KxhBlock(KXH_CALL* lineRecords)(KxhItem item);
    /* 1 when the box's text does not fit, 0 when it does, -1 when not a text box. */
    int32_t(KXH_CALL* textOverflows)(KxhItem item);
} KxhTextTable;
#define KXH_FN_TEXT_LENGTH KXH_FN(KXH_TABLE_TEXT, 1)
#define KXH_FN_TEXT_GET KXH_FN(KXH_TABLE_TEXT, 2)
#define KXH_FN_TEXT_DELETE KXH_FN(KXH_TABLE_TEXT, 3)
#define KXH_FN_TEXT_INSERT KXH_FN(KXH_TABLE_TEXT, 4)
#define KXH_FN_TEXT_LINE_RECORDS KXH_FN(KXH_TABLE_TEXT, 5)
#define KXH_FN_TEXT_OVERFLOWS KXH_FN(KXH_TABLE_TEXT, 6)
#define KXH_TEXT_FUNCTIONS                                                                         \
    KXH_FN_TEXT_LENGTH, KXH_FN_TEXT_GET, KXH_FN_TEXT_DELETE, KXH_FN_TEXT_INSERT,                   \
        KXH_FN_TEXT_LINE_RECORDS, KXH_FN_TEXT_OVERFLOWS

/* ---- Output ----------------------------------------------------------------------------- */
/* The current output settings record: 468 bytes. */
#define KXH_OUTPUT_SETTINGS_SIZE 468
#define KXH_OUTSET_PROCESS_COLORS 0x01 /* byte 0, bit 0: the style's "ProcessColors" is on */
/* The options word a plug-in passes to exportLayout for an export without questions. */
#define KXH_EXPORT_QUIET 3461u

typedef struct KxhOutputTable {
    uint32_t size;
    uint32_t version;
    /* Outputs `layout` with the default style of `styleType` (KXH_TYPE_EPS or _PDF) unless
     * the set-up hook applies another; the file, page range and clip come from the set-up
     * hook (default range: the current page for EPS, all pages otherwise; no default file:
     * without one the result is KXH_OUTPUT_NO_FILE). Runs the whole
     * output with all hooks before it returns; shows no dialog when options is
     * KXH_EXPORT_QUIET. Returns 0 or a KXH_OUTPUT_... code; on failure no file is left. */
    int32_t(KXH_CALL* exportLayout)(int32_t layout, uint32_t styleType, uint32_t options);
    /* The output in progress (from set-up to its end), or NULL. */
    KxhOutput(KXH_CALL* currentOutput)(void);
    /* Sets the absolute page range of the output. Valid in OUTPUT_SETUP. 0, KXH_ERR_PARAM,
     * KXH_ERR_NOT_NOW. */
    int32_t(KXH_CALL* setPageRange)(KxhOutput output, int32_t first, int32_t last);
    /* Sets the output file (a full path; the host adds nothing). Valid in OUTPUT_SETUP. */
    int32_t(KXH_CALL* setOutputFile)(KxhOutput output, const char* path);
    /* Copies the output settings into record (zero it first); size up to
     * KXH_OUTPUT_SETTINGS_SIZE bytes are written. 0, KXH_ERR_PARAM, KXH_ERR_NOT_NOW. */
    int32_t(KXH_CALL* getOutputSettings)(KxhOutput output, void* record, uint32_t size);
    /* Inserts `length` bytes of PostScript at the place of the running hook, verbatim. Valid
     * in HEADER_COMMENTS, PAGE_MARKS and PAGE_BOXES. 0, KXH_ERR_NOT_NOW. */
    int32_t(KXH_CALL* writePostScript)(KxhOutput output, const char* text, uint32_t length);
    /* Clips the output to `region` (the host copies it; NULL removes the clip). EPS: the
     * bounding box becomes the region's bounds. Valid in OUTPUT_SETUP. */
    int32_t(KXH_CALL* setClipRegion)(KxhOutput output, KxhRegion region);
    /* The layout being output, or -1. */
    int32_t(KXH_CALL* outputLayout)(KxhOutput output);
} KxhOutputTable;
#define KXH_FN_OUTPUT_EXPORT_LAYOUT KXH_FN(KXH_TABLE_OUTPUT, 1)
#define KXH_FN_OUTPUT_CURRENT KXH_FN(KXH_TABLE_OUTPUT, 2)
#define KXH_FN_OUTPUT_SET_PAGE_RANGE KXH_FN(KXH_TABLE_OUTPUT, 3)
#define KXH_FN_OUTPUT_SET_FILE KXH_FN(KXH_TABLE_OUTPUT, 4)
#define KXH_FN_OUTPUT_GET_SETTINGS KXH_FN(KXH_TABLE_OUTPUT, 5)
#define KXH_FN_OUTPUT_WRITE_POSTSCRIPT KXH_FN(KXH_TABLE_OUTPUT, 6)
#define KXH_FN_OUTPUT_SET_CLIP_REGION KXH_FN(KXH_TABLE_OUTPUT, 7)
#define KXH_FN_OUTPUT_LAYOUT KXH_FN(KXH_TABLE_OUTPUT, 8)
#define KXH_OUTPUT_FUNCTIONS                                                                       \
    KXH_FN_OUTPUT_EXPORT_LAYOUT, KXH_FN_OUTPUT_CURRENT, KXH_FN_OUTPUT_SET_PAGE_RANGE,              \
        KXH_FN_OUTPUT_SET_FILE, KXH_FN_OUTPUT_GET_SETTINGS, KXH_FN_OUTPUT_WRITE_POSTSCRIPT,        \
        KXH_FN_OUTPUT_SET_CLIP_REGION, KXH_FN_OUTPUT_LAYOUT

/* ---- Output styles ---------------------------------------------------------------------- */
/* Styles belong to the host. Keyed data: per style, one container per owner code; a container
 * holds a root dictionary; dictionaries hold sub-dictionaries and text values by key. A
 * container handed out is the caller's copy: changes reach the style only through
 * putContainer, and the caller releases it with releaseContainer. Dictionaries belong to
 * their container. */
typedef struct KxhStyleTable {
    uint32_t size;
    uint32_t version;
    /* The default style of `type`, or NULL. */
    KxhStyle(KXH_CALL* defaultStyle)(uint32_t type);
    /* Number of styles in the host's list. */
    int32_t(KXH_CALL* styleCount)(void);
    /* Style `index` (from 0) in the host's order, or NULL. */
    KxhStyle(KXH_CALL* styleAt)(int32_t index);
    /* The style named exactly `name`, or NULL. */
    KxhStyle(KXH_CALL* findStyle)(const char* name);
    /* KXH_TYPE_EPS, KXH_TYPE_PDF, or KXH_TYPE_NONE (other types, or a null style). */
    uint32_t(KXH_CALL* styleType)(KxhStyle style);
    /* The style's name. 0, KXH_TRUNCATED, KXH_NONE. */
    int32_t(KXH_CALL* styleName)(KxhStyle style, char* buf, uint32_t bufSize);
    /* Applies `style` to the output being set up (its type must match the output's). Valid in
     * OUTPUT_SETUP. 0, KXH_ERR_PARAM (null or mismatched style), KXH_ERR_NOT_NOW. */
    int32_t(KXH_CALL* applyStyle)(KxhOutput output, KxhStyle style);
    /* A copy of the style's data of `owner`. When the style has none: NULL if create is 0,
     * else a new empty container. NULL also for an unknown style. */
    KxhContainer(KXH_CALL* getContainer)(KxhStyle style, uint32_t owner, int32_t create);
    /* Replaces the style's data of `owner` with the container's content (the host saves its
     * settings file). The caller keeps and releases the container. 0, KXH_NONE. */
    int32_t(KXH_CALL* putContainer)(KxhStyle style, uint32_t owner, KxhContainer container);
    /* Frees a container and its dictionaries. NULL is ignored. */
    void(KXH_CALL* releaseContainer)(KxhContainer container);
    /* The container's root dictionary (never NULL for a valid container). */
    KxhDict(KXH_CALL* rootDict)(KxhContainer container);
    /* The sub-dictionary `key`; when missing: NULL if create is 0, else a new empty one. */
    KxhDict(KXH_CALL* subDict)(KxhDict dict, const char* key, int32_t create);
    /* The text value `key` into buf. 0, KXH_TRUNCATED, KXH_NONE (missing; buf ""). */
    int32_t(KXH_CALL* getValue)(KxhDict dict, const char* key, char* buf, uint32_t bufSize);
    /* Sets the text value `key` (replacing a value or sub-dictionary of that key). 0,
     * KXH_ERR_PARAM. */
    int32_t(KXH_CALL* setValue)(KxhDict dict, const char* key, const char* value);
    /* Opens the host's modal style editor for `style` (NULL: the first style) over `parent`
     * (native window handle, NULL: the main window). Returns 0 when confirmed,
     * KXH_OUTPUT_CANCELLED when cancelled. */
    int32_t(KXH_CALL* openStyleEditor)(void* parent, KxhStyle style);
    /* Valid in STYLE_EDITOR: adds a plug-in pane titled `title` to `editor`; the host then
     * sends the pane messages to `paneMessage` (a KXH_ID_MESSAGE identifier under which the
     * plug-in registered its pane handler). 0, KXH_ERR_PARAM, KXH_ERR_NOT_NOW. */
    int32_t(KXH_CALL* addPane)(KxhEditor editor, uint32_t paneMessage, const char* title);
} KxhStyleTable;
#define KXH_FN_STYLE_DEFAULT KXH_FN(KXH_TABLE_STYLE, 1)
#define KXH_FN_STYLE_COUNT KXH_FN(KXH_TABLE_STYLE, 2)
#define KXH_FN_STYLE_AT KXH_FN(KXH_TABLE_STYLE, 3)
#define KXH_FN_STYLE_FIND KXH_FN(KXH_TABLE_STYLE, 4)
#define KXH_FN_STYLE_TYPE KXH_FN(KXH_TABLE_STYLE, 5)
#define KXH_FN_STYLE_NAME KXH_FN(KXH_TABLE_STYLE, 6)
#define KXH_FN_STYLE_APPLY KXH_FN(KXH_TABLE_STYLE, 7)
#define KXH_FN_STYLE_GET_CONTAINER KXH_FN(KXH_TABLE_STYLE, 8)
#define KXH_FN_STYLE_PUT_CONTAINER KXH_FN(KXH_TABLE_STYLE, 9)
#define KXH_FN_STYLE_RELEASE_CONTAINER KXH_FN(KXH_TABLE_STYLE, 10)
#define KXH_FN_STYLE_ROOT_DICT KXH_FN(KXH_TABLE_STYLE, 11)
#define KXH_FN_STYLE_SUB_DICT KXH_FN(KXH_TABLE_STYLE, 12)
#define KXH_FN_STYLE_GET_VALUE KXH_FN(KXH_TABLE_STYLE, 13)
#define KXH_FN_STYLE_SET_VALUE KXH_FN(KXH_TABLE_STYLE, 14)
#define KXH_FN_STYLE_OPEN_EDITOR KXH_FN(KXH_TABLE_STYLE, 15)
#define KXH_FN_STYLE_ADD_PANE KXH_FN(KXH_TABLE_STYLE, 16)
#define KXH_STYLE_FUNCTIONS                                                                        \
    KXH_FN_STYLE_DEFAULT, KXH_FN_STYLE_COUNT, KXH_FN_STYLE_AT, KXH_FN_STYLE_FIND,                  \
        KXH_FN_STYLE_TYPE, KXH_FN_STYLE_NAME, KXH_FN_STYLE_APPLY, KXH_FN_STYLE_GET_CONTAINER,      \
        KXH_FN_STYLE_PUT_CONTAINER, KXH_FN_STYLE_RELEASE_CONTAINER, KXH_FN_STYLE_ROOT_DICT,        \
        KXH_FN_STYLE_SUB_DICT, KXH_FN_STYLE_GET_VALUE, KXH_FN_STYLE_SET_VALUE,                     \
        KXH_FN_STYLE_OPEN_EDITOR, KXH_FN_STYLE_ADD_PANE

/* ---- Plug-in pane items ----------------------------------------------------------------- */
/* Items are the controls of the pane's dialog template, by control id. Valid during the pane
 * messages. */
#define KXH_PANE_ITEM_STATIC 1
#define KXH_PANE_ITEM_POPUP 2
#define KXH_PANE_ITEM_TEXT_FIELD 3
#define KXH_PANE_ITEM_CHECK_BOX 4
typedef struct KxhPaneTable {
    uint32_t size;
    uint32_t version;
    /* Declares item `itemId` to be of `kind` (KXH_PANE_ITEM_...). 0, KXH_NONE (no such
     * control), KXH_ERR_PARAM. */
    int32_t(KXH_CALL* defineItem)(KxhPane pane, int32_t itemId, int32_t kind);
    /* Sets the text of a static text, text field or check box. 0, KXH_NONE. */
    int32_t(KXH_CALL* setItemText)(KxhPane pane, int32_t itemId, const char* text);
    /* The text of a static text or text field. 0, KXH_TRUNCATED, KXH_NONE. */
    int32_t(KXH_CALL* getItemText)(KxhPane pane, int32_t itemId, char* buf, uint32_t bufSize);
    /* Appends an entry to a popup. 0, KXH_NONE. */
    int32_t(KXH_CALL* addPopupEntry)(KxhPane pane, int32_t itemId, const char* text);
    /* Selects entry `index` (from 0) of a popup. 0, KXH_NONE, KXH_ERR_PARAM. */
    int32_t(KXH_CALL* setPopupSelection)(KxhPane pane, int32_t itemId, int32_t index);
    /* The selected entry of a popup, or -1. */
    int32_t(KXH_CALL* popupSelection)(KxhPane pane, int32_t itemId);
    /* Ticks (non-zero) or clears a check box. 0, KXH_NONE. */
    int32_t(KXH_CALL* setChecked)(KxhPane pane, int32_t itemId, int32_t checked);
    /* 1 ticked, 0 not, -1 no such check box. */
    int32_t(KXH_CALL* isChecked)(KxhPane pane, int32_t itemId);
    /* Limits what the user can type into a text field to `maxUnits` UTF-16 units (at least
     * 1). Texts set with setItemText are not cut. 0, KXH_NONE, KXH_ERR_PARAM. */
    int32_t(KXH_CALL* setItemMaxLength)(KxhPane pane, int32_t itemId, int32_t maxUnits);
} KxhPaneTable;
#define KXH_FN_PANE_DEFINE_ITEM KXH_FN(KXH_TABLE_PANE, 1)
#define KXH_FN_PANE_SET_TEXT KXH_FN(KXH_TABLE_PANE, 2)
#define KXH_FN_PANE_GET_TEXT KXH_FN(KXH_TABLE_PANE, 3)
#define KXH_FN_PANE_ADD_POPUP_ENTRY KXH_FN(KXH_TABLE_PANE, 4)
#define KXH_FN_PANE_SET_POPUP_SELECTION KXH_FN(KXH_TABLE_PANE, 5)
#define KXH_FN_PANE_POPUP_SELECTION KXH_FN(KXH_TABLE_PANE, 6)
#define KXH_FN_PANE_SET_CHECKED KXH_FN(KXH_TABLE_PANE, 7)
#define KXH_FN_PANE_IS_CHECKED KXH_FN(KXH_TABLE_PANE, 8)
#define KXH_FN_PANE_SET_MAX_LENGTH KXH_FN(KXH_TABLE_PANE, 9)
#define KXH_PANE_FUNCTIONS                                                                         \
    KXH_FN_PANE_DEFINE_ITEM, KXH_FN_PANE_SET_TEXT, KXH_FN_PANE_GET_TEXT,                           \
        KXH_FN_PANE_ADD_POPUP_ENTRY, KXH_FN_PANE_SET_POPUP_SELECTION, KXH_FN_PANE_POPUP_SELECTION, \
        KXH_FN_PANE_SET_CHECKED, KXH_FN_PANE_IS_CHECKED, KXH_FN_PANE_SET_MAX_LENGTH

/* ---- Geometry --------------------------------------------------------------------------- */
typedef struct KxhGeometryTable {
    uint32_t size;
    uint32_t version;
    /* Normalises *rect (top <= bottom, left <= right) and multiplies its vertical coordinates
     * by sy and horizontal ones by sx (16.16 factors; 65536 = 1.0). */
    void(KXH_CALL* scaleRect)(KxhRect* rect, KxhFixed sx, KxhFixed sy);
    /* Moves left and right inwards by dx, top and bottom by dy (negative values grow it). */
    void(KXH_CALL* insetRect)(KxhRect* rect, KxhFixed dx, KxhFixed dy);
    /* 1 when a and b share an area of positive size (touching edges do not count), else 0.
     * The common part goes into *out when out is not NULL (empty rectangle when none). */
    int32_t(KXH_CALL* intersectRects)(const KxhRect* a, const KxhRect* b, KxhRect* out);
    /* A new region covering *rect; the caller releases it. NULL on failure. */
    KxhRegion(KXH_CALL* newRegion)(const KxhRect* rect);
    /* Frees a region; NULL is ignored. */
    void(KXH_CALL* releaseRegion)(KxhRegion region);
} KxhGeometryTable;
#define KXH_FN_GEOMETRY_SCALE_RECT KXH_FN(KXH_TABLE_GEOMETRY, 1)
#define KXH_FN_GEOMETRY_INSET_RECT KXH_FN(KXH_TABLE_GEOMETRY, 2)
#define KXH_FN_GEOMETRY_INTERSECT_RECTS KXH_FN(KXH_TABLE_GEOMETRY, 3)
#define KXH_FN_GEOMETRY_NEW_REGION KXH_FN(KXH_TABLE_GEOMETRY, 4)
#define KXH_FN_GEOMETRY_RELEASE_REGION KXH_FN(KXH_TABLE_GEOMETRY, 5)
#define KXH_GEOMETRY_FUNCTIONS                                                                     \
    KXH_FN_GEOMETRY_SCALE_RECT, KXH_FN_GEOMETRY_INSET_RECT, KXH_FN_GEOMETRY_INTERSECT_RECTS,       \
        KXH_FN_GEOMETRY_NEW_REGION, KXH_FN_GEOMETRY_RELEASE_REGION

/* ---- Memory ----------------------------------------------------------------------------- */
typedef struct KxhMemoryTable {
    uint32_t size;
    uint32_t version;
    /* A new zero-filled block of `size` bytes (0 allowed), or NULL when memory is exhausted.
     * The caller releases it. */
    KxhBlock(KXH_CALL* newBlock)(uint32_t size);
    /* The block's size in bytes (0 for NULL). */
    uint32_t(KXH_CALL* blockSize)(KxhBlock block);
    /* Resizes the block keeping its content (new bytes are zero). 0, KXH_ERR_MEMORY (the
     * block is unchanged), KXH_ERR_PARAM. */
    int32_t(KXH_CALL* resizeBlock)(KxhBlock block, uint32_t size);
    /* Frees the block; NULL is ignored. */
    void(KXH_CALL* releaseBlock)(KxhBlock block);
    /* The block's bytes, valid until it is resized or released; NULL for NULL. */
    void*(KXH_CALL* blockData)(KxhBlock block);
} KxhMemoryTable;
#define KXH_FN_MEMORY_NEW_BLOCK KXH_FN(KXH_TABLE_MEMORY, 1)
#define KXH_FN_MEMORY_BLOCK_SIZE KXH_FN(KXH_TABLE_MEMORY, 2)
#define KXH_FN_MEMORY_RESIZE_BLOCK KXH_FN(KXH_TABLE_MEMORY, 3)
#define KXH_FN_MEMORY_RELEASE_BLOCK KXH_FN(KXH_TABLE_MEMORY, 4)
#define KXH_FN_MEMORY_BLOCK_DATA KXH_FN(KXH_TABLE_MEMORY, 5)
#define KXH_MEMORY_FUNCTIONS                                                                       \
    KXH_FN_MEMORY_NEW_BLOCK, KXH_FN_MEMORY_BLOCK_SIZE, KXH_FN_MEMORY_RESIZE_BLOCK,                 \
        KXH_FN_MEMORY_RELEASE_BLOCK, KXH_FN_MEMORY_BLOCK_DATA

/* ---- Host texts ------------------------------------------------------------------------- */
/* Host text objects hold UTF-16. Whoever creates one releases it. */
typedef struct KxhStringTable {
    uint32_t size;
    uint32_t version;
    /* A new host text from `count` UTF-16 units (count < 0: up to the 0 unit), or NULL. */
    KxhText(KXH_CALL* newText)(const KxhUnit* units, int32_t count);
    /* A new host text from UTF-8 (invalid bytes become U+FFFD), or NULL. */
    KxhText(KXH_CALL* newTextUtf8)(const char* text);
    /* Length in UTF-16 units (0 for NULL). */
    int32_t(KXH_CALL* textLength)(KxhText text);
    /* Copies the first `count` units (at most the length) into dest, without terminator. */
    void(KXH_CALL* copyUnits)(KxhText text, KxhUnit* dest, int32_t count);
    /* The text as UTF-8 into buf. 0, KXH_TRUNCATED, KXH_ERR_PARAM. */
    int32_t(KXH_CALL* toUtf8)(KxhText text, char* buf, uint32_t bufSize);
    /* Frees a host text; NULL is ignored. */
    void(KXH_CALL* releaseText)(KxhText text);
} KxhStringTable;
#define KXH_FN_STRING_NEW KXH_FN(KXH_TABLE_STRING, 1)
#define KXH_FN_STRING_NEW_UTF8 KXH_FN(KXH_TABLE_STRING, 2)
#define KXH_FN_STRING_LENGTH KXH_FN(KXH_TABLE_STRING, 3)
#define KXH_FN_STRING_COPY_UNITS KXH_FN(KXH_TABLE_STRING, 4)
#define KXH_FN_STRING_TO_UTF8 KXH_FN(KXH_TABLE_STRING, 5)
#define KXH_FN_STRING_RELEASE KXH_FN(KXH_TABLE_STRING, 6)
#define KXH_STRING_FUNCTIONS                                                                       \
    KXH_FN_STRING_NEW, KXH_FN_STRING_NEW_UTF8, KXH_FN_STRING_LENGTH, KXH_FN_STRING_COPY_UNITS,     \
        KXH_FN_STRING_TO_UTF8, KXH_FN_STRING_RELEASE

KXH_END_DECLS

#endif
