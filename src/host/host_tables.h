#pragma once
#include <cstdint>

#include "foundation/version.h" // kPluginId
#include "kxh_api.h"

// The host's tables and services as the main callback obtained them. All zero until then, and
// a service the host does not offer keeps an all-zero table: users check the slot first.
struct HostTables {
    KxhEntryBlock* entry;    // the host's block, as passed to the main callback
    KxhEntryBlock entryCopy; // its first KXH_ENTRY_COPY_SIZE bytes
    KxhAppTable app;
    KxhMenuTable menu;
    KxhEventTable event;
    KxhDocDataTable docData;
    KxhLayoutTable layout;
    KxhTextTable text;
    KxhOutputTable output;
    KxhStyleTable style;
    KxhPaneTable pane;
    KxhGeometryTable geometry;
    KxhMemoryTable memory;
    KxhStringTable string;
    // Optional services and their identifiers (0 when missing).
    KxhPdfService pdf;
    uint32_t pdfId;
    KxhBleedService bleed;
    uint32_t bleedId;
    KxhBoxNameService boxNames;
    uint32_t boxNamesId;
    KxhPrintService print;
    uint32_t printId;
};

// The one instance, shared by every subsystem of the plug-in. Header-only so that the
// platform-free parts and their tests reach it without the plug-in's Win32 code.
inline HostTables& hostTables() {
    static HostTables tables{};
    return tables;
}

// Identifiers the host allocated for the plug-in (kind 1); the second is the message of the
// file-naming pane.
struct PrivateIds {
    uint32_t first;
    uint32_t second;
};
inline PrivateIds& privateIds() {
    static PrivateIds ids{};
    return ids;
}
