// The job slug: the print time stamped into the text boxes named "JobSlug" of a layout while
// the host announces its output, so that the very output carries it.
#include "host/tracking.h"

#include <cstring>

#include "export/export_host.h"
#include "export/item_walk.h"
#include "foundation/settings.h"
#include "foundation/temppool.h"

namespace {

constexpr const char* kJobSlugName = "JobSlug";

bool isJobSlugBox(ItemHandle item) {
    if (hostItemKind(item) != KXH_ITEM_TEXT) return false;
    char name[256];
    // A name cut to fit is longer than the one we look for.
    hostItemName(item, name, sizeof name);
    return strcmp(name, kJobSlugName) == 0;
}

bool stampBox(ItemHandle item) {
    WideText stamp = jobSlugStamp();
    if (stamp.empty()) return false;
    return hostReplaceText(item, reinterpret_cast<const KxhUnit*>(stamp.data()),
                           int32_t(stamp.size()));
}

struct Stamping {
    int32_t count;
    std::vector<KxhItem>* boxes;
};

bool stampIfJobSlug(ItemHandle item, void* context) {
    auto& stamping = *static_cast<Stamping*>(context);
    if (!isJobSlugBox(item) || !stampBox(item)) return true;
    ++stamping.count;
    if (stamping.boxes) stamping.boxes->push_back(item);
    return true;
}

// A slug box grouped with other items is stamped all the same.
bool stampItemAndMembers(ItemHandle item, void* stamped) {
    return forEachItemOfSelection(item, stampIfJobSlug, stamped);
}

} // namespace

WideText jobSlugStamp() {
    const WideChar* stamp = dateTimeStamp(nullptr);
    return stamp ? WideText(stamp) : WideText();
}

int32_t stampJobSlugs(int32_t layout, std::vector<KxhItem>* stamped) {
    Stamping stamping{0, stamped};
    // The spreads of the layout being output, which need not be the frontmost one.
    forEachItemOnSpreads(layout, 1, hostSpreadCount(layout), stampItemAndMembers, &stamping);
    return stamping.count;
}

// The layout whose output was stamped at its start and is not announced yet; -1 for none.
static int32_t gStampedAtStart = -1;

std::vector<KxhItem> stampJobSlugsAtOutputStart(KxhOutput output) {
    std::vector<KxhItem> stamped;
    gStampedAtStart = -1;
    if (getJobSlug() != 1) return stamped;
    int32_t layout = hostOutputLayout(output);
    if (layout < 0) layout = hostCurrentLayout();
    if (layout < 0) return stamped;
    stampJobSlugs(layout, &stamped);
    gStampedAtStart = layout;
    return stamped;
}

void forgetOutputStartStamp() {
    gStampedAtStart = -1;
}

bool takeOutputStartStamp(int32_t layout) {
    bool stamped = layout >= 0 && layout == gStampedAtStart;
    gStampedAtStart = -1;
    return stamped;
}
