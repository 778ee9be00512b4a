/* Basic types, result codes and conventions shared by the layout host and its plug-ins.
 *
 * Rules that hold for the whole interface:
 * - Plain C. Every function pointer uses KXH_CALL. No C++ type crosses the boundary.
 * - Every block or table that crosses the boundary starts with a 32-bit size (bytes, filled in
 *   by whoever allocates it) so that either side can tell which fields the other one knows.
 *   Fields are only ever appended. The only exceptions are value records whose layout is fixed
 *   once and for all: KxhRect, KxhLineRecord and the 468-byte output settings record.
 * - Texts are NUL-terminated UTF-8 unless a function says UTF-16 (KxhUnit, no terminator
 *   unless stated). A function that writes a text into a caller buffer always terminates it;
 *   when the text does not fit it is cut at a character boundary and KXH_TRUNCATED is returned.
 * - Layouts and documents are int32_t identifiers, -1 meaning none; windows are uint32_t
 *   identifiers, KXH_NO_WINDOW meaning none. Items, styles, menus, events, outputs, regions,
 *   containers, dictionaries, panes, editors, byte blocks and host texts are opaque handles,
 *   NULL meaning none.
 * - Everything runs on the host's user-interface thread.
 */
#ifndef KXH_BASE_H
#define KXH_BASE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define KXH_CALL __cdecl
#define KXH_EXPORT __declspec(dllexport)
#else
#define KXH_CALL
#define KXH_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define KXH_BEGIN_DECLS extern "C" {
#define KXH_END_DECLS }
#else
#define KXH_BEGIN_DECLS
#define KXH_END_DECLS
#endif

/* Compile-time check usable at file scope in C and C++. */
#define KXH_STATIC_CHECK(name, cond) typedef char kxh_check_##name[(cond) ? 1 : -1]

KXH_BEGIN_DECLS

/* Four-character code: the four bytes in memory order (little-endian) spell the name, so
 * KXH_FOURCC('X','P','D','F') == 0x46445058. */
#define KXH_FOURCC(a, b, c, d)                                                                     \
    ((uint32_t)(uint8_t)(a) | ((uint32_t)(uint8_t)(b) << 8) | ((uint32_t)(uint8_t)(c) << 16) |     \
     ((uint32_t)(uint8_t)(d) << 24))

/* Output style types. */
#define KXH_TYPE_EPS 0x53504558u  /* "XEPS" */
#define KXH_TYPE_PDF 0x46445058u  /* "XPDF" */
#define KXH_TYPE_NONE 0x4E4F4E58u /* "XNON": any other kind of output (e.g. printing) */

/* Data owners of the host's own output style settings. */
#define KXH_OWNER_BLEED 0x4C424158u /* "XABL": "BleedSettings"/"Symmetric" */
#define KXH_OWNER_EPS 0x54585058u   /* "XPXT": "EPS"/"General"/"Spread" */
#define KXH_OWNER_PDF 0x46445058u   /* "XPDF": "PageOptions"/"Spreads" */

/* Results. 0 is success everywhere; queries that find nothing answer KXH_NONE. */
#define KXH_OK 0
#define KXH_NONE (-1)
#define KXH_TRUNCATED 1       /* text cut to fit the caller's buffer (still terminated) */
#define KXH_ERR_PARAM (-50)   /* a null or out-of-range argument */
#define KXH_ERR_MEMORY (-108) /* memory exhausted */
#define KXH_ERR_UNKNOWN_TABLE 100
#define KXH_ERR_UNKNOWN_FUNCTION 101 /* an identifier that is not a function of that table */
#define KXH_ERR_BAD_LIST 102         /* list without the marker, or count < 1 */
#define KXH_ERR_TABLE_TOO_SMALL 103  /* destination's size cannot hold the requested slots */
#define KXH_ERR_NO_SERVICE 104
#define KXH_ERR_NOT_NOW 105 /* valid only at another time (e.g. output calls outside output) */

/* Results of KxhOutputTable.exportLayout (and of the host's own printing). */
#define KXH_OUTPUT_CANCELLED 32767   /* only when the user cancelled */
#define KXH_OUTPUT_ABORTED 1001      /* the output-start hook set its abort flag; no file */
#define KXH_OUTPUT_NO_PAGES 1002     /* page range empty or outside the layout; no file */
#define KXH_OUTPUT_WRITE_FAILED 1003 /* the output file could not be written; no file left */
#define KXH_OUTPUT_DISTILLER 1004    /* distiller missing or failed; no PDF left */
#define KXH_OUTPUT_NO_LAYOUT 1005    /* unknown layout identifier */
#define KXH_OUTPUT_BAD_TYPE 1006     /* the type cannot be exported to a file */
#define KXH_OUTPUT_BUSY 1007         /* an output is already in progress */
#define KXH_OUTPUT_NO_FILE 1008      /* no output file was set; nothing written */
#define KXH_OUTPUT_DISK_FULL 1009    /* the disk is full; no file left */
#define KXH_OUTPUT_PAGE_SIZE 1010    /* a page with its bleed is a size the output cannot hold */

/* Identifier values that mean "none". */
#define KXH_NO_LAYOUT (-1)
#define KXH_NO_DOCUMENT (-1)
#define KXH_NO_WINDOW 65535u

/* A signed 16.16 fixed-point number: points x 65536. */
typedef int32_t KxhFixed;
#define KXH_FIXED_ONE 65536

/* UTF-16 code unit. */
typedef uint16_t KxhUnit;

/* Rectangle in the host's page coordinates: y grows downwards, one unit a point. Item bounds
 * and page rectangles are in the coordinates of the spread that holds them (origin at the
 * spread's top-left corner). */
typedef struct KxhRect {
    KxhFixed top;
    KxhFixed left;
    KxhFixed bottom;
    KxhFixed right;
} KxhRect;

/* Opaque host handles. The host owns what they point to unless a function says otherwise. */
typedef struct KxhItemRec* KxhItem;           /* box, text box or group of a layout */
typedef struct KxhStyleRec* KxhStyle;         /* output style */
typedef struct KxhMenuRec* KxhMenu;           /* a menu of the host's menu bar or a plug-in's */
typedef struct KxhEventRec* KxhEvent;         /* the event being dispatched; valid in-handler */
typedef struct KxhOutputRec* KxhOutput;       /* an output in progress; valid while it runs */
typedef struct KxhRegionRec* KxhRegion;       /* clip region; released by its creator */
typedef struct KxhContainerRec* KxhContainer; /* keyed data of one owner, caller-released */
typedef struct KxhDictRec* KxhDict;           /* dictionary inside a container */
typedef struct KxhPaneRec* KxhPane;           /* a plug-in pane in the style editor */
typedef struct KxhEditorRec* KxhEditor;       /* the style editor while it is open */
typedef struct KxhBlockRec* KxhBlock;         /* byte block; released by whoever asked for it */
typedef struct KxhTextRec* KxhText;           /* host text object (UTF-16 inside) */

/* Every table, service table and set-up block begins with these two fields. */
typedef struct KxhHeader {
    uint32_t size;    /* bytes of the block as its writer knows it */
    uint32_t version; /* KXH_TABLE_VERSION for tables; see each block otherwise */
} KxhHeader;

/* Every message parameter block begins with these two fields (see kxh_messages.h). */
typedef struct KxhParams {
    uint32_t size;    /* bytes of the whole parameter block, set by the host */
    uint32_t message; /* the message number the block belongs to */
} KxhParams;

KXH_END_DECLS

#endif
