// Page range texts of any shape: the parse never reads or writes outside the page flags, and
// the page list holds only pages of the layout, ascending, each once. Some page names hold the
// range's own "-" and ",": a text refused as reading two ways selects nothing and offers two
// different writings in absolute numbers, each of which is a valid range.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "export/export_host.h"
#include "export/page_range.h"
#include "fuzz_require.h"

namespace {

int32_t gPages = 1;
int32_t gSpreadWidth = 1; // pages per spread
// Pages up to kJoinedPages whose name joins two other names with "-" or ",", as a section
// prefix "1-" or "a," makes them; empty for a page with its plain name.
constexpr int32_t kJoinedPages = 40;
std::string gJoined[kJoinedPages + 1];

// Page p is named "p" in the upper half of the layout and with letters below, so that both
// numbers and names reach the host.
std::string plainName(int32_t page) {
    if (page > gPages / 2) return std::to_string(page);
    std::string name;
    for (int32_t n = page; n > 0; n /= 26)
        name.insert(name.begin(), char('a' + (n - 1) % 26));
    return name;
}

std::string nameOf(int32_t page) {
    return page <= kJoinedPages && !gJoined[page].empty() ? gJoined[page] : plainName(page);
}

// Every kth page of the first ones is named after two others, taken by the input's byte.
void joinNames(uint8_t choice) {
    int32_t every = choice >> 4;
    for (int32_t p = 1; p <= kJoinedPages; p++) {
        gJoined[p].clear();
        if (every == 0 || p % every != 0 || p > gPages) continue;
        int32_t a = 1 + (p * 7 + choice) % gPages, b = 1 + (p * 3 + choice / 3) % gPages;
        gJoined[p] = plainName(a) + ((p / every) % 2 ? "-" : ",") + plainName(b);
    }
}

int32_t KXH_CALL pageCount(int32_t) {
    return gPages;
}
int32_t KXH_CALL pageName(int32_t, int32_t page, char* buf, uint32_t size) {
    if (page < 1 || page > gPages) return buf[0] = 0, KXH_NONE;
    snprintf(buf, size, "%s", nameOf(page).c_str());
    return KXH_OK;
}
// The inverse of nameOf, exact: any other text names no page.
int32_t KXH_CALL pageOfName(int32_t, const char* name) {
    for (int32_t p = 1; p <= kJoinedPages && p <= gPages; p++)
        if (gJoined[p] == name) return p;
    size_t length = strlen(name);
    if (length == 0 || length > 6) return -1;
    int32_t page = 0;
    bool letters = name[0] >= 'a' && name[0] <= 'z';
    for (size_t i = 0; i < length; i++) {
        char c = name[i];
        if (letters && c >= 'a' && c <= 'z')
            page = page * 26 + (c - 'a' + 1);
        else if (!letters && c >= '0' && c <= '9')
            page = page * 10 + (c - '0');
        else
            return -1;
    }
    if (page < 1 || page > gPages || nameOf(page) != name) return -1; // plain, not joined
    return page;
}

int32_t KXH_CALL spreadOfPage(int32_t, int32_t page) {
    return page >= 1 && page <= gPages ? (page - 1) / gSpreadWidth + 1 : -1;
}
int32_t KXH_CALL pagesOfSpread(int32_t, int32_t spread, int16_t* pages, int32_t max) {
    int32_t first = (spread - 1) * gSpreadWidth + 1;
    int32_t count = 0;
    for (int32_t p = first; p < first + gSpreadWidth && p <= gPages; p++, count++)
        if (count < max) pages[count] = static_cast<int16_t>(p);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    static KxhLayoutTable layout = [] {
        KxhLayoutTable t{};
        t.size = sizeof t;
        t.pageCount = pageCount;
        t.pageName = pageName;
        t.pageOfName = pageOfName;
        t.spreadOfPage = spreadOfPage;
        t.pagesOfSpread = pagesOfSpread;
        return t;
    }();
    ExportHostTables tables{};
    tables.layout = &layout;
    setExportHostTables(tables);

    gPages = 1 + (data[0] | (data[1] & 0x3F) << 8) % 9999;
    gSpreadWidth = 1 + ((data[2] >> 2) & 3);
    joinNames(data[2]);
    PageSelection state{};
    state.pageCount = static_cast<int16_t>(gPages);
    state.absolute = data[2] & 1;
    bool spreads = (data[2] >> 1) & 1;
    std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    RangeAmbiguity ambiguity;
    RangeParse parsed = parsePageRange(text.c_str(), state, &ambiguity);
    if (parsed == RangeParse::Ok && spreads) reduceToSpreads(state);
    REQUIRE(state.pageFlags.size() == static_cast<size_t>(gPages) + 1 && state.pageFlags[0] == 0);
    if (parsed == RangeParse::Ambiguous) {
        REQUIRE(!state.absolute && text.find(ambiguity.typed) != std::string::npos);
        for (uint8_t flag : state.pageFlags)
            REQUIRE(flag == 0);
        REQUIRE(!ambiguity.named[0].empty() && !ambiguity.named[1].empty());
        REQUIRE(ambiguity.absolute[0] != ambiguity.absolute[1]);
        for (const std::string& writing : ambiguity.absolute) {
            PageSelection absolute{};
            absolute.pageCount = state.pageCount;
            absolute.absolute = 1;
            REQUIRE(parsePageRange(writing.c_str(), absolute) == RangeParse::Ok);
        }
    }

    CMyArray list{};
    create(&list, 16, sizeof(int32_t));
    list.duplicatesAllowed = 1; // as the run makes it; the check below finds any repeat
    setupPgArray(&list, state.pageFlags, state.pageCount);
    int32_t previous = 0;
    for (int32_t i = 0; i < list.count; i++) {
        int32_t page;
        memcpy(&page, at(&list, i), sizeof page);
        REQUIRE(page > previous && page <= gPages);
        previous = page;
    }
    release(&list);
    return 0;
}
