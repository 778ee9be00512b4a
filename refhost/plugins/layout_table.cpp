// Layout structure: pages, names, spreads and items.
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

namespace refhost {

namespace {

int32_t KXH_CALL pageCount(int32_t layout) {
    Layout* found = findOpenLayout(layout);
    return found ? found->pageCount : -1;
}

int32_t KXH_CALL layoutSpreadCount(int32_t layout) {
    Layout* found = findOpenLayout(layout);
    return found ? spreadCount(*found) : -1;
}

int32_t KXH_CALL layoutSpreadOfPage(int32_t layout, int32_t page) {
    Layout* found = findOpenLayout(layout);
    return found ? spreadOfPage(*found, page) : -1;
}

int32_t KXH_CALL layoutPagesOfSpread(int32_t layout, int32_t spread, int16_t* pages, int32_t max) {
    Layout* found = findOpenLayout(layout);
    const std::vector<int>* list = found ? pagesOfSpread(*found, spread) : nullptr;
    if (!list) return -1;
    for (int32_t i = 0; pages && i < max && i < static_cast<int32_t>(list->size()); ++i)
        pages[i] = static_cast<int16_t>((*list)[static_cast<size_t>(i)]);
    return static_cast<int32_t>(list->size());
}

int32_t KXH_CALL layoutPageName(int32_t layout, int32_t page, char* buf, uint32_t bufSize) {
    Layout* found = findOpenLayout(layout);
    const std::string name = found ? pageName(*found, page) : std::string();
    if (name.empty()) {
        copyOut("", buf, bufSize);
        return KXH_NONE;
    }
    return copyOut(name, buf, bufSize);
}

int32_t KXH_CALL layoutPageOfName(int32_t layout, const char* name) {
    Layout* found = findOpenLayout(layout);
    return found && name ? pageFromName(*found, name) : -1;
}

int32_t KXH_CALL layoutPageSize(int32_t layout, KxhFixed* width, KxhFixed* height) {
    Layout* found = findOpenLayout(layout);
    if (!found) return KXH_NONE;
    if (width) *width = toFixed(found->pageWidth);
    if (height) *height = toFixed(found->pageHeight);
    return KXH_OK;
}

int32_t KXH_CALL layoutPageRect(int32_t layout, int32_t page, KxhRect* rect) {
    Layout* found = findOpenLayout(layout);
    if (!found || page < 1 || page > found->pageCount || !rect) return KXH_NONE;
    *rect = toFixedRect(pageRectInSpread(*found, page));
    return KXH_OK;
}

KxhItem KXH_CALL selectedItem(int32_t layout) {
    Layout* found = findOpenLayout(layout);
    return found ? itemHandle(found->selected) : nullptr;
}

KxhItem KXH_CALL firstItem(int32_t layout, int32_t spread) {
    Layout* found = findOpenLayout(layout);
    if (!found) return nullptr;
    std::vector<Item*> items = itemsOfSpread(*found, spread);
    return items.empty() ? nullptr : itemHandle(items.front());
}

KxhItem KXH_CALL nextItem(KxhItem handle) {
    ItemPlace place = findItemHandle(handle);
    if (!place.item || place.item->parent) return nullptr;
    std::vector<Item*> items =
        itemsOfSpread(*place.layout, spreadOfPage(*place.layout, place.item->page));
    for (size_t i = 0; i + 1 < items.size(); ++i)
        if (items[i] == place.item) return itemHandle(items[i + 1]);
    return nullptr;
}

int32_t KXH_CALL itemKind(KxhItem handle) {
    ItemPlace place = findItemHandle(handle);
    if (!place.item) return 0;
    switch (place.item->type) {
    case ItemType::Box:
        return KXH_ITEM_BOX;
    case ItemType::Text:
        return KXH_ITEM_TEXT;
    case ItemType::Group:
        return KXH_ITEM_GROUP;
    }
    return 0;
}

int32_t KXH_CALL memberCount(KxhItem group) {
    ItemPlace place = findItemHandle(group);
    return place.item ? static_cast<int32_t>(place.item->members.size()) : 0;
}

KxhItem KXH_CALL memberAt(KxhItem group, int32_t index) {
    ItemPlace place = findItemHandle(group);
    if (!place.item || index < 0 || static_cast<size_t>(index) >= place.item->members.size())
        return nullptr;
    return itemHandle(place.item->members[static_cast<size_t>(index)].get());
}

int32_t KXH_CALL itemBounds(KxhItem handle, KxhRect* bounds) {
    ItemPlace place = findItemHandle(handle);
    if (!place.item || !bounds) return KXH_NONE;
    *bounds = toFixedRect(itemSpreadBounds(*place.layout, *place.item));
    return KXH_OK;
}

int32_t KXH_CALL itemPage(KxhItem handle) {
    ItemPlace place = findItemHandle(handle);
    return place.item ? place.item->page : -1;
}

int32_t KXH_CALL setSuppressOutput(KxhItem handle, int32_t suppress) {
    ItemPlace place = findItemHandle(handle);
    if (!place.item) return KXH_NONE;
    place.item->suppressOutput = suppress != 0;
    return KXH_OK;
}

int32_t KXH_CALL suppressOutput(KxhItem handle) {
    ItemPlace place = findItemHandle(handle);
    return place.item ? (place.item->suppressOutput ? 1 : 0) : -1;
}

} // namespace

void fillLayoutTable(KxhLayoutTable& table) {
    table.pageCount = pageCount;
    table.spreadCount = layoutSpreadCount;
    table.spreadOfPage = layoutSpreadOfPage;
    table.pagesOfSpread = layoutPagesOfSpread;
    table.pageName = layoutPageName;
    table.pageOfName = layoutPageOfName;
    table.pageSize = layoutPageSize;
    table.pageRect = layoutPageRect;
    table.selectedItem = selectedItem;
    table.firstItem = firstItem;
    table.nextItem = nextItem;
    table.itemKind = itemKind;
    table.memberCount = memberCount;
    table.memberAt = memberAt;
    table.itemBounds = itemBounds;
    table.itemPage = itemPage;
    table.setSuppressOutput = setSuppressOutput;
    table.suppressOutput = suppressOutput;
}

} // namespace refhost
