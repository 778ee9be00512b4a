// The reference host's side of the interface: loading plug-ins from a folder, refusals and
// failures, the order of handlers, table requests and services.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/table_glue.h"
#include "model/output_style.h"
#include "plugins/plugin_dispatch.h"
#include "plugins/plugin_host.h"

using namespace refhost;

namespace {

// The application's tables, as layouthost.exe registers them before it loads plug-ins.
const bool kAppTablesConnected = (connectAppTables(), true);

struct TraceParams {
    KxhParams hdr;
    char trace[32];
};

int32_t KXH_CALL idleHandler(void*) {
    return 0;
}

std::string tempFolder(const char* name) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string folder = std::string(base) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

const LoadedPlugin* pluginNamed(const std::string& name) {
    for (const LoadedPlugin& p : loadedPlugins())
        if (p.path.size() >= name.size() &&
            p.path.compare(p.path.size() - name.size(), name.size(), name) == 0)
            return &p;
    return nullptr;
}

TEST(PluginLoader, FolderOfPluginsWithRefusalsAndFailures) {
    const char* library = std::getenv("KX_TEST_PLUGIN");
    ASSERT_NE(library, nullptr) << "KX_TEST_PLUGIN names the test plug-in";
    const std::string folder = tempFolder("kx-h1-plugins-");
    const char* copies[] = {"good_a.dll", "good_b.dll", "noconfirm.dll", "startfail.dll",
                            "z_taken.dll"};
    for (const char* name : copies)
        ASSERT_TRUE(CopyFileA(library, (folder + "\\" + name).c_str(), FALSE)) << name;
    const std::string junk = folder + "\\broken.dll";
    HANDLE f = CreateFileA(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "not a library", 13, &written, nullptr);
    CloseHandle(f);

    resetPluginHost();
    EXPECT_EQ(loadPlugins(folder), 2);

    struct Case {
        const char* name;
        bool running;
        const char* problem;
    };
    const Case cases[] = {
        {"broken.dll", false, "cannot be loaded"},
        {"good_a.dll", true, ""},
        {"good_b.dll", true, ""},
        {"noconfirm.dll", false, "refused activation"},
        {"startfail.dll", false, "failed to start"},
        {"z_taken.dll", false, "is taken by another plug-in"},
    };
    for (const Case& c : cases) {
        const LoadedPlugin* p = pluginNamed(c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->running, c.running) << c.name << ": " << p->problem;
        EXPECT_NE(p->problem.find(c.problem), std::string::npos)
            << c.name << ": expected \"" << c.problem << "\", actual \"" << p->problem << "\"";
    }

    // Order value first, then registration order; the failed plug-in's handler is gone.
    TraceParams params = {{sizeof params, 5000}, ""};
    sendToPlugins(params.hdr);
    EXPECT_STREQ(params.trace, "BDEAC");
    TraceParams other = {{sizeof other, 5001}, ""};
    sendToPlugins(other.hdr);
    EXPECT_STREQ(other.trace, "") << "no handler for another message";

    EXPECT_EQ(hostEntryBlock()->registerHandler(5000, idleHandler, KXH_REG_HANDLER, 1, 0),
              KXH_ERR_NOT_NOW)
        << "registration outside a main callback";
    resetPluginHost();
}

TEST(PluginLoader, TheRealLibraryRegistersItsHandlers) {
    const char* library = std::getenv("KX_DLL");
    ASSERT_NE(library, nullptr);
    resetPluginHost();
    ASSERT_TRUE(loadPluginFile(library)) << loadedPlugins().back().problem;
    const std::pair<uint32_t, uint32_t> expected[] = {
        {KXH_MSG_LANGUAGE, 200},   {KXH_MSG_EVENT_DONE, 10},
        {KXH_MSG_KEY, 10},         {KXH_MSG_OUTPUT_START, 10},
        {KXH_MSG_PAGE_BOXES, 200}, {KXH_FIRST_PRIVATE_MESSAGE + 1, 200}};
    for (const auto& e : expected) {
        std::vector<HandlerEntry> handlers = handlersFor(e.first);
        ASSERT_EQ(handlers.size(), 1u) << "message " << e.first;
        EXPECT_EQ(handlers[0].order, e.second) << "message " << e.first;
    }
    // A second copy under its own name is refused: the identifier is taken.
    const std::string folder = tempFolder("kx-h1-second-");
    const std::string second = folder + "\\Second.dll";
    ASSERT_TRUE(CopyFileA(library, second.c_str(), FALSE));
    EXPECT_FALSE(loadPluginFile(second));
    EXPECT_NE(loadedPlugins().back().problem.find("taken"), std::string::npos)
        << loadedPlugins().back().problem;
    resetPluginHost();
}

// ---- table requests ----

TEST(TableRequests, RefusalsLeaveTheTableUntouched) {
    const uint64_t good[] = {KXH_LIST_MARKER, KXH_FN_GEOMETRY_SCALE_RECT,
                             KXH_FN_GEOMETRY_INSET_RECT};
    const uint64_t noMarker[] = {KXH_FN_GEOMETRY_SCALE_RECT};
    const uint64_t otherTable[] = {KXH_LIST_MARKER, KXH_FN_LAYOUT_PAGE_COUNT};
    const uint64_t beyond[] = {KXH_LIST_MARKER, KXH_FN(KXH_TABLE_GEOMETRY, 6)};
    const uint64_t zero[] = {KXH_LIST_MARKER, KXH_FN(KXH_TABLE_GEOMETRY, 0)};
    struct Case {
        const char* name;
        uint32_t code;
        const uint64_t* list;
        uint32_t count;
        uint32_t size;
        int32_t result;
    };
    const uint32_t full = sizeof(KxhGeometryTable);
    const Case cases[] = {
        {"unknown table", 99, good, 3, full, KXH_ERR_UNKNOWN_TABLE},
        {"no marker", KXH_TABLE_GEOMETRY, noMarker, 1, full, KXH_ERR_BAD_LIST},
        {"empty list", KXH_TABLE_GEOMETRY, good, 0, full, KXH_ERR_BAD_LIST},
        {"function of another table", KXH_TABLE_GEOMETRY, otherTable, 2, full,
         KXH_ERR_UNKNOWN_FUNCTION},
        {"identifier past the table", KXH_TABLE_GEOMETRY, beyond, 2, full,
         KXH_ERR_UNKNOWN_FUNCTION},
        {"identifier 0", KXH_TABLE_GEOMETRY, zero, 2, full, KXH_ERR_UNKNOWN_FUNCTION},
        {"destination too small", KXH_TABLE_GEOMETRY, good, 3,
         static_cast<uint32_t>(sizeof(KxhHeader) + sizeof(void*)), KXH_ERR_TABLE_TOO_SMALL},
        {"fits", KXH_TABLE_GEOMETRY, good, 3, full, KXH_OK},
    };
    for (const Case& c : cases) {
        KxhGeometryTable t;
        std::memset(&t, 0, sizeof t);
        t.size = c.size;
        EXPECT_EQ(fillHostTable(c.code, &t, c.list, c.count), c.result) << c.name;
        EXPECT_EQ(t.scaleRect != nullptr, c.result == KXH_OK) << c.name;
        EXPECT_EQ(t.intersectRects, nullptr) << c.name << ": a slot nobody asked for";
    }
}

TEST(TableRequests, SlotsFollowTheListOrder) {
    // Asked in reverse, the first slot gets the last function.
    const uint64_t reversed[] = {KXH_LIST_MARKER, KXH_FN_GEOMETRY_INSET_RECT,
                                 KXH_FN_GEOMETRY_SCALE_RECT};
    KxhGeometryTable t;
    std::memset(&t, 0, sizeof t);
    t.size = sizeof t;
    ASSERT_EQ(fillHostTable(KXH_TABLE_GEOMETRY, &t, reversed, 3), KXH_OK);
    KxhRect r = {0, 0, 100 << 16, 200 << 16};
    t.scaleRect(&r, 1 << 16, 1 << 16); // in the slot of scaleRect: insetRect by 1 point
    EXPECT_EQ(r.left, 1 << 16) << "slot 0 holds insetRect";
    EXPECT_EQ(r.top, 1 << 16);

    // By code alone, a table of an older, shorter layout gets only what fits.
    KxhGeometryTable small;
    std::memset(&small, 0, sizeof small);
    small.size = sizeof(KxhHeader) + 2 * sizeof(void*);
    ASSERT_EQ(getHostTable(KXH_TABLE_GEOMETRY, &small), KXH_OK);
    EXPECT_NE(small.scaleRect, nullptr);
    EXPECT_NE(small.insetRect, nullptr);
    EXPECT_EQ(small.intersectRects, nullptr);
}

TEST(TableRequests, EveryTableIsComplete) {
    const uint32_t codes[] = {KXH_TABLE_APP,      KXH_TABLE_MENU,   KXH_TABLE_EVENT,
                              KXH_TABLE_DOCDATA,  KXH_TABLE_LAYOUT, KXH_TABLE_TEXT,
                              KXH_TABLE_OUTPUT,   KXH_TABLE_STYLE,  KXH_TABLE_PANE,
                              KXH_TABLE_GEOMETRY, KXH_TABLE_MEMORY, KXH_TABLE_STRING};
    for (uint32_t code : codes) {
        // Large enough for any table; every slot the host knows must be filled.
        struct {
            KxhHeader header;
            void* slots[40];
        } t;
        std::memset(&t, 0, sizeof t);
        t.header.size = sizeof t;
        ASSERT_EQ(getHostTable(code, &t), KXH_OK) << "table " << code;
        int filled = 0;
        while (filled < 40 && t.slots[filled])
            ++filled;
        std::vector<uint64_t> list = {KXH_LIST_MARKER};
        for (int i = 1; i <= filled; ++i)
            list.push_back(KXH_FN(code, i));
        list.push_back(KXH_FN(code, filled + 1));
        EXPECT_EQ(fillHostTable(code, &t, list.data(), static_cast<uint32_t>(list.size())),
                  KXH_ERR_UNKNOWN_FUNCTION)
            << "table " << code << " has an empty slot after " << filled;
    }
}

TEST(Services, OfferedByCodeWithTheirTables) {
    for (uint32_t code :
         {KXH_SERVICE_PDF, KXH_SERVICE_BLEED, KXH_SERVICE_BOXNAME, KXH_SERVICE_PRINT}) {
        EXPECT_EQ(queryHostService(code), KXH_OK) << code;
        uint32_t id = 0;
        EXPECT_EQ(hostServiceIdentifier(code, &id), KXH_OK) << code;
    }
    uint32_t id = 0;
    EXPECT_EQ(queryHostService(0x12345678), KXH_ERR_NO_SERVICE);
    EXPECT_EQ(hostServiceIdentifier(0x12345678, &id), KXH_ERR_NO_SERVICE);
    EXPECT_EQ(hostServiceTable(999, &id), KXH_ERR_PARAM);

    ASSERT_EQ(hostServiceIdentifier(KXH_SERVICE_PDF, &id), KXH_OK);
    KxhPdfService pdf;
    std::memset(&pdf, 0, sizeof pdf);
    pdf.size = sizeof pdf;
    ASSERT_EQ(hostServiceTable(id, &pdf), KXH_OK);
    ASSERT_NE(pdf.setExportFlag, nullptr);
    const bool before = hostSettings().pdfOpenAfterExport;
    for (uint8_t value : {uint8_t(1), uint8_t(0), uint8_t(7)}) {
        pdf.setExportFlag(value);
        uint8_t read = 9;
        EXPECT_EQ(pdf.getExportFlag(&read), KXH_OK);
        EXPECT_EQ(read, value ? 1 : 0) << "set " << int(value);
        EXPECT_EQ(hostSettings().pdfOpenAfterExport, value != 0);
    }
    hostSettings().pdfOpenAfterExport = before;
}

} // namespace
