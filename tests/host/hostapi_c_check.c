/* The host interface as a C program sees it: it must compile as C11 and lay its blocks out as
 * the host and the plug-in (both C++) expect. */
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include "kxh_api.h"

static int failures = 0;

static void expectSize(const char* what, size_t actual, size_t expected) {
    if (actual != expected) {
        printf("%s: expected %zu, actual %zu\n", what, expected, actual);
        ++failures;
    }
}

int main(void) {
    static const uint64_t layoutList[] = {KXH_LIST_MARKER, KXH_LAYOUT_FUNCTIONS};
    KxhLayoutTable layout;
    memset(&layout, 0, sizeof layout);
    layout.size = sizeof layout;

    expectSize("entry block copy covers the service operations",
               offsetof(KxhEntryBlock, serviceTable) + sizeof(void*) <= KXH_ENTRY_COPY_SIZE, 1);
    expectSize("entry block", sizeof(KxhEntryBlock), KXH_ENTRY_COPY_SIZE);
    expectSize("line record", sizeof(KxhLineRecord), KXH_LINE_RECORD_SIZE);
    expectSize("line record status offset", offsetof(KxhLineRecord, status), 36);
    expectSize("table header", offsetof(KxhLayoutTable, pageCount), sizeof(KxhHeader));
    expectSize("layout list covers the table", sizeof layoutList / sizeof layoutList[0] - 1,
               (sizeof layout - sizeof(KxhHeader)) / sizeof(void*));
    expectSize("parameter header", offsetof(KxhKeyParams, event), sizeof(KxhParams));
    expectSize("XPDF spelled in memory order", KXH_FOURCC('X', 'P', 'D', 'F'), KXH_SERVICE_PDF);
    expectSize("QLYI spelled in memory order", KXH_FOURCC('Q', 'L', 'Y', 'I'), KXH_SERVICE_BOXNAME);
    expectSize("rectangle", sizeof(KxhRect), 16);
    return failures == 0 ? 0 : 1;
}
