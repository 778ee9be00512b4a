// The job slug: the print time stamped into the text boxes named "JobSlug" of a layout while
// the host announces its output, so that the very output carries it.
#include "host/tracking.h"

#include <cstring>

#include "foundation/temppool.h"
#include "host/host_tables.h"

namespace {

constexpr const char* kJobSlugName = "JobSlug";
// Groups nest, but not without end; deeper members are left alone.
constexpr int kMaxGroupDepth = 32;

bool isJobSlugBox(KxhItem item) {
    const HostTables& host = hostTables();
    if (host.layout.itemKind(item) != KXH_ITEM_TEXT) return false;
    char name[256];
    // A truncated name is longer than the one we look for.
    return host.boxNames.getBoxName(item, name, sizeof name) == KXH_OK &&
           strcmp(name, kJobSlugName) == 0;
}

bool stampBox(KxhItem item) {
    const KxhTextTable& text = hostTables().text;
    WideText stamp = jobSlugStamp();
    if (stamp.empty()) return false;
    int32_t length = text.textLength(item);
    if (length < 0) return false;
    if (length > 0 && text.deleteText(item, 0, length) != KXH_OK) return false;
    return text.insertText(item, 0, reinterpret_cast<const KxhUnit*>(stamp.data()),
                           int32_t(stamp.size())) == KXH_OK;
}

int32_t stampItem(KxhItem item, int depth) {
    const KxhLayoutTable& layouts = hostTables().layout;
    if (layouts.itemKind(item) == KXH_ITEM_GROUP) {
        if (depth >= kMaxGroupDepth || !layouts.memberCount || !layouts.memberAt) return 0;
        int32_t stamped = 0;
        int32_t count = layouts.memberCount(item);
        for (int32_t i = 0; i < count; ++i)
            if (KxhItem member = layouts.memberAt(item, i)) stamped += stampItem(member, depth + 1);
        return stamped;
    }
    return isJobSlugBox(item) && stampBox(item) ? 1 : 0;
}

} // namespace

WideText jobSlugStamp() {
    const WideChar* stamp = dateTimeStamp(nullptr);
    return stamp ? WideText(stamp) : WideText();
}

int32_t stampJobSlugs(int32_t layout) {
    const HostTables& host = hostTables();
    // Without box names no box can be told to be the slug.
    if (!host.boxNames.getBoxName || !host.layout.spreadCount || !host.layout.firstItem ||
        !host.layout.nextItem || !host.layout.itemKind || !host.text.textLength ||
        !host.text.deleteText || !host.text.insertText)
        return 0;
    int32_t stamped = 0;
    // The spreads of the layout being output, which need not be the frontmost one.
    int32_t spreads = host.layout.spreadCount(layout);
    for (int32_t spread = 1; spread <= spreads; ++spread)
        for (KxhItem item = host.layout.firstItem(layout, spread); item;
             item = host.layout.nextItem(item))
            stamped += stampItem(item, 0);
    return stamped;
}
