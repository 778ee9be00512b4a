/* Host messages and their parameter blocks.
 *
 * The host owns every parameter block; it is valid only during the handler call. Each block
 * begins with KxhParams (size of the block, message number). A handler returns 0; fields
 * marked "out" are how it answers. Handlers of one message run by ascending order value,
 * equal values in registration order; every handler is called (no handler stops the others,
 * but a handler sees what earlier ones wrote into "out" fields).
 */
#ifndef KXH_MESSAGES_H
#define KXH_MESSAGES_H

#include "kxh_base.h"

KXH_BEGIN_DECLS

/* Message numbers. */
#define KXH_MSG_LANGUAGE 5u          /* interface language, after start-up and on change */
#define KXH_MSG_MENU_BUILD 6u        /* once, after start-up: plug-ins add their menus */
#define KXH_MSG_MENU_UPDATE 7u       /* before a menu is shown: plug-ins update enabling */
#define KXH_MSG_EVENT_DONE 10u       /* after every event the host dispatched */
#define KXH_MSG_PERIODIC 12u         /* every 2 seconds and before each command */
#define KXH_MSG_CONTEXT_MENU 318u    /* a context menu is being built */
#define KXH_MSG_COMMAND 618u         /* a menu command was chosen */
#define KXH_MSG_KEY 956u             /* a key event, before the host handles it */
#define KXH_MSG_STYLE_EDITOR 728u    /* the output style editor opens */
#define KXH_MSG_DOC_OPENED 975u      /* a document was opened */
#define KXH_MSG_DOC_SAVED 607u       /* a document was saved */
#define KXH_MSG_LAYOUT_OUTPUT 282u   /* a layout is being output */
#define KXH_MSG_OUTPUT_SETUP 681u    /* an output is being set up */
#define KXH_MSG_HEADER_COMMENTS 145u /* the PostScript header comments are being written */
#define KXH_MSG_PAGE_MARKS 155u      /* after a page's content, before showpage */
#define KXH_MSG_PAGE_BOXES 151u      /* after a page's set-up, before its content */
#define KXH_MSG_OUTPUT_START 93u     /* an output starts; may be aborted */
/* Pane messages go to the private message number the plug-in passed to addPane. */

/* Order of one output (exportLayout, or the host's own printing):
 *   OUTPUT_SETUP (the plug-in may set page range, style, file and clip region)
 *   OUTPUT_START (abort = 1: stop, write nothing, result KXH_OUTPUT_ABORTED)
 *   LAYOUT_OUTPUT (text changed here, e.g. a stamp, appears in this output)
 *   the PostScript header: HEADER_COMMENTS with phase 1 inside the header comments, before
 *     %%EndComments
 *   for each page or spread: its set-up (the page coordinate system is put in force), then
 *     PAGE_BOXES, then its content, then PAGE_MARKS, then showpage. Both page hooks run while
 *     the page coordinate system is in force: the coordinates of the spread holding the page
 *     (origin at the spread's top-left corner, y growing downwards, one unit a point),
 *     placed so that the output page or spread has its top-left corner at the top-left corner
 *     of the medium inset by the bleed. PostScript written there in those coordinates lands
 *     on the page; the default user space is the medium's. A clip region (setClipRegion)
 *     moves nothing: an EPS file's bounding box becomes the region in that same space.
 *   the trailer; for PDF the stream is then distilled.
 * Text a hook hands to writePostScript is inserted verbatim at the hook's place. */

/* 5: language. */
typedef struct KxhLanguageParams {
    KxhParams hdr;
    int16_t language; /* 0 English, 3 German; other numbers are other languages */
} KxhLanguageParams;

/* 6: build menus. */
typedef struct KxhMenuBuildParams {
    KxhParams hdr;
    uint32_t hostMenu; /* code of the host menu that receives plug-in submenus; pass it to
                          KxhMenuTable.hostMenu */
} KxhMenuBuildParams;

/* 7: a menu is about to be shown. */
typedef struct KxhMenuUpdateParams {
    KxhParams hdr;
} KxhMenuUpdateParams;

/* 10: the host finished dispatching one event. */
typedef struct KxhEventDoneParams {
    KxhParams hdr;
} KxhEventDoneParams;

/* 12: periodic (timer, or just before a command runs). */
typedef struct KxhPeriodicParams {
    KxhParams hdr;
} KxhPeriodicParams;

/* 318: a context menu is being built. */
typedef struct KxhContextMenuParams {
    KxhParams hdr;
    KxhMenu menu; /* the context menu; plug-ins may insert items and separators */
} KxhContextMenuParams;

/* 618: a menu command (also a context menu item) was chosen. */
typedef struct KxhCommandParams {
    KxhParams hdr;
    uint16_t commandId; /* as allocated by KxhMenuTable.allocCommandId */
} KxhCommandParams;

/* 956: key event. */
#define KXH_EVENT_KEY_DOWN 7
#define KXH_MOD_CTRL 33
#define KXH_MOD_SHIFT 34
#define KXH_MOD_RIGHT_SHIFT 35
#define KXH_MOD_ALT 36
typedef struct KxhKeyParams {
    KxhParams hdr;
    KxhEvent event;  /* ask KxhEventTable about it; valid during the call */
    uint8_t handled; /* out: 1 = consumed, the host does not process the key further */
} KxhKeyParams;

/* 728: the output style editor opens for `style`. */
typedef struct KxhStyleEditorParams {
    KxhParams hdr;
    KxhStyle style;   /* the style being edited */
    KxhEditor editor; /* pass to KxhStyleTable.addPane; valid during the call */
} KxhStyleEditorParams;

/* Pane messages (sent to the plug-in's private message number given to addPane). */
#define KXH_PANE_DECLARE 1      /* out: resourceModule and resourceId of the pane's dialog */
#define KXH_PANE_DEFINE_ITEMS 2 /* define each item's kind with KxhPaneTable.defineItem */
#define KXH_PANE_FILL 3         /* fill the items from the style */
#define KXH_PANE_SAVE 4         /* the editor was confirmed: read the items back */
#define KXH_PANE_CLOSE 5        /* the editor closes (after SAVE, or cancelled) */
/* The editor is being confirmed and nothing is stored yet; sent to every pane before SAVE. A
 * pane whose items cannot be stored tells the user why and sets `refused`: the editor then
 * stays open with every item as it is, and neither the host nor any pane stores anything. */
#define KXH_PANE_CHECK 6
typedef struct KxhPaneParams {
    KxhParams hdr;
    int32_t paneMessage;  /* KXH_PANE_... */
    KxhPane pane;         /* valid during the call */
    KxhStyle style;       /* the style being edited */
    void* resourceModule; /* out (DECLARE): module holding the dialog template (HINSTANCE) */
    uint32_t resourceId;  /* out (DECLARE): numeric id of the dialog template */
    int32_t result;       /* out: 1 = handled; 0 (preset) = not handled */
    uint8_t refused;      /* out (CHECK): 1 = keep the editor open; 0 (preset) = go on */
} KxhPaneParams;

/* 975: a document was opened. */
typedef struct KxhDocOpenedParams {
    KxhParams hdr;
    int32_t document;
} KxhDocOpenedParams;

/* 607: a document was saved. The host sends afterSave 1, copyOnly 0 after an ordinary save
 * or save-as of the document itself. */
typedef struct KxhDocSavedParams {
    KxhParams hdr;
    int32_t document;
    uint8_t afterSave; /* 1: the file has been written */
    uint8_t copyOnly;  /* 1: only a copy was written (the document keeps its path) */
} KxhDocSavedParams;

/* 282: a layout is being output. */
typedef struct KxhLayoutOutputParams {
    KxhParams hdr;
    int32_t layout;
} KxhLayoutOutputParams;

/* 681: output set-up. */
typedef struct KxhOutputSetupParams {
    KxhParams hdr;
    KxhOutput output; /* for KxhOutputTable / KxhStyleTable.applyStyle */
} KxhOutputSetupParams;

/* 93: output start. */
typedef struct KxhOutputStartParams {
    KxhParams hdr;
    KxhOutput output;
    uint8_t abort; /* out: 1 = stop this output; nothing is written */
} KxhOutputStartParams;

/* 145: header comments. */
#define KXH_HEADER_PHASE_COMMENTS 1
typedef struct KxhHeaderCommentsParams {
    KxhParams hdr;
    KxhOutput output; /* for writePostScript and getOutputSettings */
    int32_t phase;    /* KXH_HEADER_PHASE_COMMENTS */
} KxhHeaderCommentsParams;

/* 155 and 151: page hooks. */
typedef struct KxhPageHookParams {
    KxhParams hdr;
    KxhOutput output; /* for writePostScript */
    int32_t page;     /* absolute number of the page (first page of the spread) written */
} KxhPageHookParams;

KXH_END_DECLS

#endif
