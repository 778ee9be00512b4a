#include "export/page_range.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "export/export_host.h"
#include "export/text_fields.h"
#include "foundation/localize.h"
#include "foundation/log.h"

PageSelection pageSelection(const ExportRequest& request) {
    PageSelection pages{request.layoutId, request.pageCount, request.absolute, {}};
    clearPageFlags(pages);
    return pages;
}

void clearPageFlags(PageSelection& state) {
    int32_t count = std::clamp<int32_t>(state.pageCount, 0, kMaxPageCount);
    state.pageFlags.assign(static_cast<size_t>(count) + 1, 0);
}

static int32_t pageOfItemText(const PageSelection& state, const std::string& text) {
    if (state.absolute) return readDecimal(text.c_str());
    return hostPageOfName(state.layoutId, text.c_str());
}

// The last page an item from..to flags, or -1 when it names none (backwards, past the end).
static int32_t lastFlagged(const PageSelection& state, int32_t from, int32_t to) {
    if (from < 1 || to < 1) return -1;
    int32_t count = static_cast<int32_t>(state.pageFlags.size()) - 1;
    int32_t last = std::min<int32_t>(to, std::min<int32_t>(state.pageCount, count));
    if (from > state.pageCount || last < 1 || from > last) return -1;
    return last;
}

static void flagPages(PageSelection& state, int32_t from, int32_t to) {
    for (int32_t p = from, last = lastFlagged(state, from, to); p <= last; p++)
        state.pageFlags[p] = 1;
}

namespace {

// One way of reading an item of a names range: a page, or the pages from one name to another.
// An empty range text after a last "," reads as nothing (from 0).
struct Reading {
    int32_t from, to;
    std::string fromName, toName; // toName empty for a single page
};

// Every way a names item names pages: the whole text as one page name, and each split at a "-"
// where both sides name pages in layout order. Distinct selections only.
std::vector<Reading> readingsOf(const PageSelection& state, const std::string& item) {
    std::vector<Reading> readings;
    auto add = [&](Reading reading) {
        if (lastFlagged(state, reading.from, reading.to) < 0) return;
        for (const Reading& known : readings)
            if (known.from == reading.from && known.to == reading.to) return;
        readings.push_back(std::move(reading));
    };
    if (item.empty()) return readings;
    int32_t page = pageOfItemText(state, item);
    if (page >= 1) add({page, page, item, {}});
    for (size_t dash = item.find('-'); dash != std::string::npos; dash = item.find('-', dash + 1)) {
        std::string fromName = item.substr(0, dash), toName = item.substr(dash + 1);
        int32_t from = pageOfItemText(state, fromName);
        if (from < 1) continue;
        int32_t to = pageOfItemText(state, toName);
        if (to >= 1) add({from, to, fromName, toName});
    }
    return readings;
}

// The most "," that a page name of the layout holds: how many pieces one item may span.
int32_t mostCommasInAName(const PageSelection& state) {
    int32_t most = 0;
    char name[kNameSize];
    for (int32_t p = 1; p <= state.pageCount; p++) {
        hostPageName(state.layoutId, p, name, sizeof name);
        most = std::max<int32_t>(most,
                                 static_cast<int32_t>(std::count(name, name + strlen(name), ',')));
    }
    return most;
}

// A names range split at every ",", with the ways each run of pieces reads as one item and
// how many ways (0, 1, or 2 for "more than one") the pieces from each one on read to the end.
struct NamesParse {
    std::vector<std::string> pieces;
    size_t span = 1; // the most pieces one item may cover
    // options[k]: (end piece, reading) for every item that starts at piece k.
    std::vector<std::vector<std::pair<size_t, Reading>>> options;
    std::vector<int32_t> ways;
};

std::string joined(const std::vector<std::string>& pieces, size_t from, size_t to) {
    std::string text;
    for (size_t i = from; i < to; i++)
        text += (i > from ? "," : "") + pieces[i];
    return text;
}

NamesParse parseNames(const std::string& text, const PageSelection& state) {
    NamesParse parse;
    for (size_t start = 0;;) {
        size_t comma = text.find(',', start);
        parse.pieces.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    size_t n = parse.pieces.size();
    // An item spans more than one piece only where page names hold ",": both of its sides may.
    if (n > 1) parse.span = 2 * static_cast<size_t>(mostCommasInAName(state)) + 1;
    parse.options.resize(n);
    parse.ways.assign(n + 1, 0);
    parse.ways[n] = 1;
    for (size_t k = n; k-- > 0;) {
        // The longest item first: a text read as one page name is the first reading offered.
        for (size_t end = std::min(n, k + parse.span); end > k; end--) {
            if (parse.ways[end] == 0) continue;
            std::string item = joined(parse.pieces, k, end);
            if (item.size() >= 2 * kNameSize) continue;
            std::vector<Reading> readings = readingsOf(state, item);
            // A "," that ends the text ends the range.
            if (item.empty() && k == n - 1 && n > 1) readings.push_back({0, 0, {}, {}});
            for (Reading& reading : readings)
                parse.options[k].emplace_back(end, std::move(reading));
        }
        int32_t ways = 0;
        for (const auto& option : parse.options[k])
            ways = std::min<int32_t>(2, ways + parse.ways[option.first]);
        parse.ways[k] = ways;
    }
    return parse;
}

// The items of one reading of the whole text: (start piece, end piece, reading).
struct Item {
    size_t start, end;
    Reading reading;
};

// From piece k on, the first way that reads to the end.
void readOn(const NamesParse& parse, size_t k, std::vector<Item>& items) {
    while (k < parse.pieces.size()) {
        for (const auto& option : parse.options[k]) {
            if (parse.ways[option.first] == 0) continue;
            items.push_back({k, option.first, option.second});
            k = option.first;
            break;
        }
    }
}

std::string namedText(const std::vector<Item>& items, size_t from, size_t to) {
    std::string text;
    for (const Item& item : items) {
        if (item.start < from || item.end > to || item.reading.from == 0) continue;
        if (!text.empty()) text += ", ";
        text += "\"" + item.reading.fromName + "\"";
        if (!item.reading.toName.empty()) text += "\xE2\x80\x93\"" + item.reading.toName + "\"";
    }
    return text;
}

std::string absoluteText(const std::vector<Item>& items) {
    std::string text;
    for (const Item& item : items) {
        if (item.reading.from == 0) continue;
        if (!text.empty()) text += ",";
        text += std::to_string(item.reading.from);
        if (item.reading.to != item.reading.from) text += "-" + std::to_string(item.reading.to);
    }
    return text;
}

// Two readings of a text that reads more than one way, and the stretch where they differ.
void describe(const NamesParse& parse, RangeAmbiguity& ambiguity) {
    std::vector<Item> first, second;
    size_t k = 0;
    for (;;) {
        std::vector<const std::pair<size_t, Reading>*> open;
        for (const auto& option : parse.options[k])
            if (parse.ways[option.first] > 0) open.push_back(&option);
        if (open.size() >= 2) {
            first.push_back({k, open[0]->first, open[0]->second});
            second.push_back({k, open[1]->first, open[1]->second});
            break;
        }
        // One way on from here, which itself reads two ways further on.
        first.push_back({k, open[0]->first, open[0]->second});
        second.push_back(first.back());
        k = open[0]->first;
    }
    readOn(parse, first.back().end, first);
    readOn(parse, second.back().end, second);
    // The stretch ends where both readings end an item at the same piece again.
    size_t end = parse.pieces.size();
    for (const Item& a : first) {
        if (a.end <= k) continue;
        bool shared = false;
        for (const Item& b : second)
            shared = shared || b.end == a.end;
        if (shared) {
            end = a.end;
            break;
        }
    }
    ambiguity.typed = joined(parse.pieces, k, end);
    ambiguity.named[0] = namedText(first, k, end);
    ambiguity.named[1] = namedText(second, k, end);
    ambiguity.absolute[0] = absoluteText(first);
    ambiguity.absolute[1] = absoluteText(second);
}

} // namespace

RangeParse parsePageRange(const char* text, PageSelection& state, RangeAmbiguity* ambiguity) {
    clearPageFlags(state);
    if (!text || !*text) return RangeParse::Ok;
    if (state.absolute) {
        const char* start = text;
        for (;;) {
            const char* comma = strchr(start, ',');
            std::string item = comma ? std::string(start, comma) : std::string(start);
            if (!parseRangeItem(item.c_str(), state)) {
                clearPageFlags(state);
                return RangeParse::Invalid;
            }
            if (!comma || !comma[1]) return RangeParse::Ok;
            start = comma + 1;
        }
    }
    NamesParse parse = parseNames(text, state);
    if (parse.ways[0] == 0) return RangeParse::Invalid;
    if (parse.ways[0] > 1) {
        if (ambiguity) describe(parse, *ambiguity);
        return RangeParse::Ambiguous;
    }
    std::vector<Item> items;
    readOn(parse, 0, items);
    for (const Item& item : items)
        if (item.reading.from > 0) flagPages(state, item.reading.from, item.reading.to);
    return RangeParse::Ok;
}

bool parseRangeItem(const char* item, PageSelection& state) {
    std::string text = item ? item : "";
    int32_t from, to;
    if (state.absolute) {
        // The number stops at the first non-digit, so "3-5" reads 3 before the dash.
        size_t dash = text.find('-');
        from = readDecimal(text.c_str());
        to = dash == std::string::npos ? from : readDecimal(text.c_str() + dash + 1);
    } else {
        std::vector<Reading> readings = readingsOf(state, text);
        if (readings.empty()) return false;
        from = readings[0].from;
        to = readings[0].to;
    }
    if (lastFlagged(state, from, to) < 0) return false;
    flagPages(state, from, to);
    return true;
}

std::string ambiguityText(const RangeAmbiguity& ambiguity) {
    char pattern[kLocalizedSize];
    localize("ambiguousPageRangeHow", pattern, sizeof pattern);
    const std::string values[] = {ambiguity.typed, ambiguity.named[0], ambiguity.named[1],
                                  ambiguity.absolute[0], ambiguity.absolute[1]};
    // Each "%s" in turn takes the next value; the values themselves are not searched.
    std::string text, rest = pattern;
    size_t used = 0;
    for (size_t at; used < 5 && (at = rest.find("%s")) != std::string::npos; used++) {
        text += rest.substr(0, at) + values[used];
        rest.erase(0, at + 2);
    }
    return text + rest;
}

bool nameSelectsOnly(const PageSelection& state, const char* name, int32_t page) {
    PageSelection probe = state;
    probe.absolute = 0;
    if (parsePageRange(name, probe) != RangeParse::Ok) return false;
    for (int32_t p = 1; p < static_cast<int32_t>(probe.pageFlags.size()); p++)
        if ((probe.pageFlags[p] == 1) != (p == page)) return false;
    return true;
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
    if (parsePageRange(fillAllPages(state, false).c_str(), probe) != RangeParse::Ok) return false;
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
