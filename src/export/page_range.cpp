#include "export/page_range.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "export/export_host.h"
#include "foundation/log.h"
#include "export/text_fields.h"

PageSelection pageSelection(const ExportRequest& request) {
    PageSelection pages{request.layoutId, request.pageCount, request.absolute, {}};
    clearPageFlags(pages);
    return pages;
}

void clearPageFlags(PageSelection& state) {
    int32_t count = std::clamp<int32_t>(state.pageCount, 0, kMaxPageCount);
    state.pageFlags.assign(static_cast<size_t>(count) + 1, 0);
}

uint16_t parsePageRange(const char* text, PageSelection& state) {
    clearPageFlags(state);
    if (!text || !*text) return 0;
    const char* start = text;
    for (;;) {
        const char* comma = strchr(start, ',');
        std::string item = comma ? std::string(start, comma) : std::string(start);
        if (parseRangeItem(item.c_str(), state) != 0) return kRangeInvalid;
        if (!comma || !comma[1]) return 0;
        start = comma + 1;
    }
}

static int32_t pageOfItemText(const PageSelection& state, const std::string& text) {
    if (state.absolute) return readDecimal(text.c_str());
    return hostPageOfName(state.layoutId, text.c_str());
}

// A names item: the whole text when it names a page ("A-1" of a section prefixed "A-"), else
// the first split at a "-" where both sides name pages. {-1, -1} when none does.
static std::pair<int32_t, int32_t> namedPages(const PageSelection& state, const std::string& text) {
    int32_t page = pageOfItemText(state, text);
    if (page >= 1) return {page, page};
    for (size_t dash = text.find('-'); dash != std::string::npos; dash = text.find('-', dash + 1)) {
        int32_t from = pageOfItemText(state, text.substr(0, dash));
        if (from < 1) continue;
        int32_t to = pageOfItemText(state, text.substr(dash + 1));
        if (to >= 1) return {from, to};
    }
    return {-1, -1};
}

int32_t parseRangeItem(const char* item, PageSelection& state) {
    std::string text = item ? item : "";
    int32_t from, to;
    if (state.absolute) {
        // The number stops at the first non-digit, so "3-5" reads 3 before the dash.
        size_t dash = text.find('-');
        from = readDecimal(text.c_str());
        to = dash == std::string::npos ? from : readDecimal(text.c_str() + dash + 1);
    } else {
        std::tie(from, to) = namedPages(state, text);
    }
    if (from < 1 || to < 1) return -1;
    int32_t count = static_cast<int32_t>(state.pageFlags.size()) - 1;
    int32_t last = std::min<int32_t>(to, std::min<int32_t>(state.pageCount, count));
    if (from > state.pageCount || last < 1 || from > last) return -1;
    for (int32_t p = from; p <= last; p++)
        state.pageFlags[p] = 1;
    return 0;
}

std::string fillAllPages(const PageSelection& state, bool absolute) {
    if (absolute) return "1-" + std::to_string(state.pageCount);
    char first[kNameSize], last[kNameSize];
    hostPageName(state.layoutId, 1, first, sizeof first);
    hostPageName(state.layoutId, state.pageCount, last, sizeof last);
    return std::string(first) + "-" + last;
}

bool namesSelectEveryPage(const PageSelection& state) {
    PageSelection probe = state;
    probe.absolute = 0;
    if (parsePageRange(fillAllPages(state, false).c_str(), probe) != 0) return false;
    for (int32_t p = 1; p < static_cast<int32_t>(probe.pageFlags.size()); p++)
        if (probe.pageFlags[p] != 1) return false;
    return true;
}

void reduceToSpreads(PageSelection& state) {
    int32_t count =
        std::min<int32_t>(state.pageCount, static_cast<int32_t>(state.pageFlags.size()) - 1);
    std::vector<int32_t> pages(static_cast<size_t>(std::max<int32_t>(count, 1)));
    for (int32_t p = 1; p <= count; p++) {
        if (state.pageFlags[p] != 1) continue;
        int32_t n =
            hostSpreadPages(state.layoutId, p, pages.data(), static_cast<int32_t>(pages.size()));
        n = std::min<int32_t>(n, static_cast<int32_t>(pages.size()));
        if (n <= 1) continue;
        for (int32_t i = 0; i < n; i++)
            if (pages[i] >= 1 && pages[i] <= count) state.pageFlags[pages[i]] = i == 0 ? 1 : 0;
    }
}

void setupPgArray(CMyArray* list, const std::vector<uint8_t>& pageFlags, int32_t pageCount) {
    logLine("setupPgArray\r\n");
    int32_t count = std::min<int32_t>(pageCount, static_cast<int32_t>(pageFlags.size()) - 1);
    for (int32_t p = 1; p <= count; p++)
        if (pageFlags[p] == 1) append(list, &p);
}
