// The real Kestrix.dll under a fake host: activation, table requests, services, start-up and the
// registration of its handlers, with the failure paths that leave the plug-in inert.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "host/fake_host.h"

namespace {

constexpr uint32_t kPdf = KXH_SERVICE_PDF, kBleed = KXH_SERVICE_BLEED,
                   kBoxName = KXH_SERVICE_BOXNAME, kPrint = KXH_SERVICE_PRINT;

// Each test gets the library freshly loaded and a fresh fake host.
class PluginEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeHost() = FakePluginHost();
        plugin_ = loadPlugin();
        ASSERT_NE(plugin_, nullptr) << "KX_DLL names the library; error " << GetLastError();
        activate_ = activateFunction(plugin_);
        ASSERT_NE(activate_, nullptr);
    }
    void TearDown() override {
        if (plugin_) FreeLibrary(plugin_);
    }
    HMODULE plugin_ = nullptr;
    KxhActivateFn activate_ = nullptr;
};

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\n";
    return s;
}

std::vector<std::string> callsStartingWith(const char* prefix) {
    std::vector<std::string> out;
    for (const std::string& c : fakeHost().calls)
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

bool called(const char* name) {
    for (const std::string& c : fakeHost().calls)
        if (c == name) return true;
    return false;
}

TEST_F(PluginEntry, ActivationAnswersAndOrder) {
    const std::vector<std::string> accepted = {"confirm 41595742 0 11 42a20014 0", "value 200",
                                               "main 5 200", "ids 5 200"};
    const std::vector<std::string> refused = {"confirm 41595742 0 11 42a20014 0"};
    struct Case {
        uint32_t answer;
        int32_t result;
        const std::vector<std::string>* calls;
    };
    const Case cases[] = {
        {1, 0, &accepted},
        {0x0101, 0, &accepted}, // only the low byte counts
        {0, KXH_PLUGIN_REFUSED, &refused},
        {0x0100, KXH_PLUGIN_REFUSED, &refused},
        {2, KXH_PLUGIN_REFUSED, &refused},
    };
    for (const Case& c : cases) {
        fakeHost() = FakePluginHost();
        fakeHost().confirmAnswer = c.answer;
        KxhActivationBlock block = fakeActivationBlock();
        EXPECT_EQ(activate_(&block), c.result) << "answer " << c.answer;
        EXPECT_EQ(join(fakeHost().calls), join(*c.calls)) << "answer " << c.answer;
        EXPECT_EQ(fakeHost().mainCallback != nullptr, c.result == 0) << "answer " << c.answer;
    }
}

TEST_F(PluginEntry, IncompleteActivationBlockIsRefusedWithoutCalls) {
    KxhActivationBlock block = fakeActivationBlock();
    block.size = sizeof(KxhHeader) + sizeof(void*); // the host knows only confirmPlugin
    EXPECT_EQ(activate_(&block), KXH_PLUGIN_REFUSED);
    EXPECT_EQ(join(fakeHost().calls), "");
    EXPECT_EQ(activate_(nullptr), KXH_PLUGIN_REFUSED);
}

TEST_F(PluginEntry, StartRequestsEveryTableInOrderWithCompleteLists) {
    ASSERT_EQ(activateAndStart(activate_), 0);
    const std::vector<std::string> expected = {
        "table 1", "table 2", "table 3", "table 4",  "table 5",          "table 6",
        "table 7", "table 8", "table 9", "table 10", "table 11 by code", "table 12"};
    EXPECT_EQ(join(callsStartingWith("table")), join(expected));

    // Every list starts with the marker and names every slot of its table, in slot order.
    const uint32_t codes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const size_t slots[] = {
        sizeof(KxhAppTable),      sizeof(KxhMenuTable),   sizeof(KxhEventTable),
        sizeof(KxhDocDataTable),  sizeof(KxhLayoutTable), sizeof(KxhTextTable),
        sizeof(KxhOutputTable),   sizeof(KxhStyleTable),  sizeof(KxhPaneTable),
        sizeof(KxhGeometryTable), sizeof(KxhMemoryTable), sizeof(KxhStringTable)};
    ASSERT_EQ(fakeHost().lists.size(), 12u);
    for (size_t t = 0; t < 12; ++t) {
        const std::vector<uint64_t>& list = fakeHost().lists[t];
        if (codes[t] == KXH_TABLE_MEMORY) {
            EXPECT_TRUE(list.empty()) << "the memory table is asked for by its code alone";
            continue;
        }
        const size_t wanted = (slots[t] - sizeof(KxhHeader)) / sizeof(void*);
        ASSERT_EQ(list.size(), wanted + 1) << "table " << codes[t];
        EXPECT_EQ(list[0], KXH_LIST_MARKER) << "table " << codes[t];
        for (size_t i = 1; i < list.size(); ++i)
            EXPECT_EQ(list[i], KXH_FN(codes[t], i)) << "table " << codes[t] << " entry " << i;
    }
}

TEST_F(PluginEntry, ServicesAreAskedInOrderAndMissingOnesAreNoError) {
    struct Case {
        std::set<uint32_t> offered;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {{}, {"query XPDF", "query XABL", "query QLYI", "id XPTA"}},
        {{kPdf, kBoxName},
         {"query XPDF", "id XPDF", "service XPDF", "query XABL", "query QLYI", "id QLYI",
          "service QLYI", "id XPTA"}},
        {{kPdf, kBleed, kBoxName, kPrint},
         {"query XPDF", "id XPDF", "service XPDF", "query XABL", "id XABL", "service XABL",
          "query QLYI", "id QLYI", "service QLYI", "id XPTA", "service XPTA", "query XPTA"}},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        fakeHost().services = c.offered;
        EXPECT_EQ(activateAndStart(activate_), 0);
        std::vector<std::string> seen;
        for (const std::string& call : fakeHost().calls)
            if (call.rfind("query", 0) == 0 || call.rfind("id ", 0) == 0 ||
                call.rfind("service", 0) == 0)
                seen.push_back(call);
        EXPECT_EQ(join(seen), join(c.calls)) << c.offered.size() << " services offered";
    }
}

TEST_F(PluginEntry, HandlersAreRegisteredInOrderWithTheirOrderValues) {
    ASSERT_EQ(activateAndStart(activate_), 0);
    // Identifiers come before the main callback; the pane listens on the second one.
    EXPECT_EQ(join(callsStartingWith("allocate")), "allocate 1\nallocate 1\n");
    const uint32_t pane = KXH_FIRST_PRIVATE_MESSAGE + 1;
    const std::pair<uint32_t, uint32_t> expected[] = {
        {5, 200},   {12, 200},  {10, 10},   {6, 200},    {7, 200},   {318, 200},
        {618, 200}, {956, 10},  {728, 200}, {pane, 200}, {975, 200}, {607, 200},
        {282, 200}, {681, 200}, {145, 200}, {155, 200},  {151, 200}, {93, 10}};
    const std::vector<FakeRegistration>& got = fakeHost().registrations;
    ASSERT_EQ(got.size(), std::size(expected));
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].message, expected[i].first) << "registration " << i;
        EXPECT_EQ(got[i].order, expected[i].second) << "message " << got[i].message;
        EXPECT_EQ(got[i].kind, KXH_REG_HANDLER) << "message " << got[i].message;
        EXPECT_EQ(got[i].reserved, 0u) << "message " << got[i].message;
        EXPECT_NE(got[i].handler, nullptr) << "message " << got[i].message;
    }
    EXPECT_TRUE(called("mainWindow")) << "start-up asks for the main window";
}

TEST_F(PluginEntry, TableThatCannotBeFilledLeavesThePluginInert) {
    for (uint32_t failing : {KXH_TABLE_APP, KXH_TABLE_LAYOUT, KXH_TABLE_MEMORY, KXH_TABLE_STRING}) {
        TearDown();
        SetUp();
        fakeHost().failingTable = failing;
        fakeHost().services = {kPdf, kBleed, kBoxName, kPrint};
        EXPECT_EQ(activateAndStart(activate_), KXH_PLUGIN_REFUSED) << "table " << failing;
        EXPECT_TRUE(fakeHost().registrations.empty()) << "table " << failing;
        EXPECT_FALSE(called("mainWindow")) << "no start-up after table " << failing;
        // The failing request is the last one: no later table, no service.
        std::vector<std::string> tables = callsStartingWith("table");
        ASSERT_FALSE(tables.empty());
        EXPECT_EQ(tables.back().rfind("table " + std::to_string(failing), 0), 0u)
            << "last request " << tables.back();
        EXPECT_TRUE(callsStartingWith("query").empty()) << "table " << failing;
    }
}

TEST_F(PluginEntry, MainCallbackRefusesAShortEntryBlock) {
    KxhActivationBlock block = fakeActivationBlock();
    ASSERT_EQ(activate_(&block), 0);
    KxhEntryBlock* entry = fakeEntryBlock();
    entry->size = KXH_ENTRY_COPY_SIZE - 8;
    EXPECT_EQ(fakeHost().mainCallback(entry), KXH_PLUGIN_REFUSED);
    EXPECT_TRUE(callsStartingWith("table").empty());
    EXPECT_TRUE(fakeHost().registrations.empty());
}

KxhHandler handlerFor(uint32_t message) {
    for (const FakeRegistration& r : fakeHost().registrations)
        if (r.message == message) return r.handler;
    return nullptr;
}

TEST_F(PluginEntry, HousekeepingHandlersAnswerZero) {
    ASSERT_EQ(activateAndStart(activate_), 0);
    KxhLanguageParams language = {{sizeof language, KXH_MSG_LANGUAGE}, 3};
    KxhPeriodicParams periodic = {{sizeof periodic, KXH_MSG_PERIODIC}};
    KxhEventDoneParams done = {{sizeof done, KXH_MSG_EVENT_DONE}};
    KxhLanguageParams shortLanguage = {{sizeof(KxhParams), KXH_MSG_LANGUAGE}, 3};
    struct Case {
        uint32_t message;
        void* params;
    };
    const Case cases[] = {{KXH_MSG_LANGUAGE, &language},
                          {KXH_MSG_LANGUAGE, &shortLanguage},
                          {KXH_MSG_PERIODIC, &periodic},
                          {KXH_MSG_EVENT_DONE, &done}};
    for (const Case& c : cases) {
        KxhHandler h = handlerFor(c.message);
        ASSERT_NE(h, nullptr) << "message " << c.message;
        EXPECT_EQ(h(c.params), 0) << "message " << c.message;
    }
}

// Each handler sits behind the size check of its registration: no block, or one that holds
// only the header (zeros behind it), reaches none that reads further. None may call the host,
// build the menu or change the language.
TEST_F(PluginEntry, NullAndHeaderOnlyBlocksReachNoHandler) {
    ASSERT_EQ(activateAndStart(activate_), 0);
    KxhLanguageParams german = {{sizeof german, KXH_MSG_LANGUAGE}, 3};
    ASSERT_EQ(handlerFor(KXH_MSG_LANGUAGE)(&german), 0);
    const std::vector<std::string> before = fakeHost().calls;
    const std::vector<FakeRegistration> registrations = fakeHost().registrations;
    for (const FakeRegistration& r : registrations) {
        alignas(8) unsigned char block[256] = {};
        const KxhParams header = {sizeof header, r.message};
        std::memcpy(block, &header, sizeof header);
        EXPECT_EQ(r.handler(nullptr), 0) << "message " << r.message;
        EXPECT_EQ(r.handler(block), 0) << "message " << r.message;
    }
    EXPECT_EQ(join(fakeHost().calls), join(before));
    EXPECT_TRUE(fakeHost().menus.empty()) << "a header-only block built the menu";
    KxhMenuBuildParams build = {{sizeof build, KXH_MSG_MENU_BUILD}, 1};
    ASSERT_EQ(handlerFor(KXH_MSG_MENU_BUILD)(&build), 0);
    ASSERT_FALSE(fakeHost().menus.empty());
    ASSERT_FALSE(fakeHost().menus[0].empty());
    EXPECT_EQ(fakeHost().menus[0][0], "Seiten exportieren\xE2\x80\xA6")
        << "a short block changed the language";
}

// The language message selects the string table of the menu titles the plug-in builds.
TEST_F(PluginEntry, LanguageMessagesDecideTheMenuTitles) {
    const char* german = "Seiten exportieren\xE2\x80\xA6";
    const char* english = "Export pages\xE2\x80\xA6";
    struct Case {
        std::vector<int16_t> codes;
        const char* title;
    };
    const Case cases[] = {
        {{3}, german},     {{19}, german},    {{0}, english},   {{1}, english},
        {{3, 0}, english}, {{0, 19}, german}, {{3, 3}, german},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        ASSERT_EQ(activateAndStart(activate_), 0);
        std::string sequence;
        for (int16_t code : c.codes) {
            KxhLanguageParams p = {{sizeof p, KXH_MSG_LANGUAGE}, code};
            EXPECT_EQ(handlerFor(KXH_MSG_LANGUAGE)(&p), 0);
            sequence += std::to_string(code) + " ";
        }
        KxhMenuBuildParams build = {{sizeof build, KXH_MSG_MENU_BUILD}, 1};
        ASSERT_NE(handlerFor(KXH_MSG_MENU_BUILD), nullptr);
        EXPECT_EQ(handlerFor(KXH_MSG_MENU_BUILD)(&build), 0);
        ASSERT_FALSE(fakeHost().menus.empty()) << "languages " << sequence;
        ASSERT_FALSE(fakeHost().menus[0].empty()) << "languages " << sequence;
        EXPECT_EQ(fakeHost().menus[0][0], c.title) << "languages " << sequence;
    }
}

// ---- Start-up files: preferences taken over from the old folder, and the version line ----

std::string knownFolder(int csidl) {
    char path[MAX_PATH] = "";
    if (SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path) != S_OK) return "";
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Moves the user's real preferences and log aside for the test and puts them back afterwards.
class StartupFiles {
  public:
    StartupFiles() {
        const std::string docs = knownFolder(CSIDL_PERSONAL) + "\\Quendrel";
        const std::string local = knownFolder(CSIDL_LOCAL_APPDATA) + "\\Quendrel";
        CreateDirectoryA(docs.c_str(), nullptr);
        CreateDirectoryA(local.c_str(), nullptr);
        oldPrefs = docs + "\\Kestrix.ini";
        newPrefs = local + "\\Kestrix.ini";
        log = docs + "\\Kestrix.txt";
        for (const std::string* p : {&oldPrefs, &newPrefs, &log}) {
            DeleteFileA((*p + ".saved").c_str());
            MoveFileA(p->c_str(), (*p + ".saved").c_str());
        }
    }
    ~StartupFiles() {
        for (const std::string* p : {&oldPrefs, &newPrefs, &log}) {
            SetFileAttributesA(p->c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(p->c_str());
            MoveFileA((*p + ".saved").c_str(), p->c_str());
        }
    }
    std::string oldPrefs, newPrefs, log;
};

TEST_F(PluginEntry, StartupTakesOverOldPreferencesAndWritesTheVersionLine) {
    const char* logging1 = "[General]\r\nLogging=1\r\n";
    const char* logging0 = "[General]\r\nLogging=0\r\n";
    struct Case {
        const char* name;
        const char* oldText; // null: no file
        const char* newText;
        bool oldRemains;
        const char* newHolds;
        bool versionLine;
    };
    const Case cases[] = {
        {"old file only: moved, logging on", logging1, nullptr, false, "Logging=1", true},
        {"both: the new one wins", logging1, logging0, true, "Logging=0", false},
        {"new file only", nullptr, logging1, false, "Logging=1", true},
        {"no file: logging off", nullptr, nullptr, false, nullptr, false},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        StartupFiles files;
        ASSERT_FALSE(files.oldPrefs.empty());
        if (c.oldText) writeFile(files.oldPrefs, c.oldText);
        if (c.newText) writeFile(files.newPrefs, c.newText);
        writeFile(files.log, "left over from the last start\r\n");

        ASSERT_EQ(activateAndStart(activate_), 0) << c.name;
        EXPECT_EQ(exists(files.oldPrefs), c.oldRemains) << c.name;
        if (c.newHolds) {
            EXPECT_NE(readFile(files.newPrefs).find(c.newHolds), std::string::npos)
                << c.name << ": new file holds\n"
                << readFile(files.newPrefs);
        }
        const std::string log = readFile(files.log);
        EXPECT_EQ(log.find("left over"), std::string::npos) << c.name << ": log\n" << log;
        EXPECT_EQ(log.find("\r\nKestrix: 7.03\r\n") != std::string::npos, c.versionLine)
            << c.name << ": log\n"
            << log;
    }
}

} // namespace
