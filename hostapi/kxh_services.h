/* Optional services. A host may or may not offer each one; a plug-in asks with the entry
 * block's queryService / serviceIdentifier / serviceTable and must cope with a missing service
 * (its table then stays all zero). Service tables begin with a KxhHeader; the host fills as
 * many slots as the caller's size holds. */
#ifndef KXH_SERVICES_H
#define KXH_SERVICES_H

#include "kxh_base.h"

KXH_BEGIN_DECLS

#define KXH_SERVICE_PDF 0x46445058u     /* "XPDF": the PDF export service */
#define KXH_SERVICE_BLEED 0x4C424158u   /* "XABL": bleed of output styles */
#define KXH_SERVICE_BOXNAME 0x49594C51u /* "QLYI": item names */
#define KXH_SERVICE_PRINT 0x41545058u   /* "XPTA": print service information */

/* PDF export service. */
typedef struct KxhPdfService {
    uint32_t size;
    uint32_t version;
    /* The export flag: 1 = "open each PDF in the viewer after export" (the host's setting
     * pdfOpenAfterExport, off by default), which the host honours after writing a PDF.
     * Writes 0 or 1 into *value; returns 0, KXH_ERR_PARAM for a null pointer. */
    int32_t(KXH_CALL* getExportFlag)(uint8_t* value);
    /* Sets the flag (non-zero = 1) for this host session and in its settings file. Returns 0. */
    int32_t(KXH_CALL* setExportFlag)(uint8_t value);
} KxhPdfService;

/* Box-name service. */
typedef struct KxhBoxNameService {
    uint32_t size;
    uint32_t version;
    /* The item's name (empty when it has none) into buf. 0, KXH_TRUNCATED, or KXH_NONE for a
     * null or unknown item (buf then ""). */
    int32_t(KXH_CALL* getBoxName)(KxhItem item, char* buf, uint32_t bufSize);
    /* Renames the item (the document counts as changed). 0 or KXH_NONE. */
    int32_t(KXH_CALL* setBoxName)(KxhItem item, const char* name);
} KxhBoxNameService;

/* Bleed service: the symmetric bleed of a style, as the style's "XABL" data holds it. */
typedef struct KxhBleedService {
    uint32_t size;
    uint32_t version;
    /* Bleed of `style` in points x 65536 into *bleed (0 when the style has none). 0 or
     * KXH_NONE for a null or unknown style. */
    int32_t(KXH_CALL* styleBleed)(KxhStyle style, KxhFixed* bleed);
} KxhBleedService;

/* Print service information. */
typedef struct KxhPrintService {
    uint32_t size;
    uint32_t version;
    /* The distiller program the host uses for PDF output, as a path, into buf. 0,
     * KXH_TRUNCATED, or KXH_NONE when the host has none. */
    int32_t(KXH_CALL* distillerPath)(char* buf, uint32_t bufSize);
} KxhPrintService;

KXH_END_DECLS

#endif
