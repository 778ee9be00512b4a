#include "model/document.h"

#include <algorithm>

namespace refhost {

namespace {

int32_t nextGlobalId() {
    static int32_t next = 1;
    return next++;
}

Item* findInItems(std::vector<std::unique_ptr<Item>>& items, int32_t id) {
    for (auto& it : items) {
        if (it->id == id) return it.get();
        if (Item* m = findInItems(it->members, id)) return m;
    }
    return nullptr;
}

Item* findNamedInItems(std::vector<std::unique_ptr<Item>>& items, const std::string& name) {
    for (auto& it : items) {
        if (it->name == name) return it.get();
        if (Item* m = findNamedInItems(it->members, name)) return m;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<Document> newDocument() {
    auto doc = std::make_unique<Document>();
    doc->id = nextGlobalId();
    return doc;
}

Layout& addLayout(Document& doc, const std::string& name) {
    auto layout = std::make_unique<Layout>();
    layout->id = nextGlobalId();
    layout->name = name;
    doc.layouts.push_back(std::move(layout));
    return *doc.layouts.back();
}

Item& addItem(Document& doc, Layout& layout, std::unique_ptr<Item> item, Item* group) {
    item->id = doc.nextItemId++;
    item->parent = group;
    auto& list = group ? group->members : layout.items;
    list.push_back(std::move(item));
    return *list.back();
}

void applyLayoutDefaults(Layout& layout) {
    if (layout.sections.empty()) layout.sections.push_back(Section{});
    if (layout.spreads.empty())
        for (int p = 1; p <= layout.pageCount; ++p)
            layout.spreads.push_back({p});
}

Layout* findLayout(Document& doc, int32_t layoutId) {
    for (auto& l : doc.layouts)
        if (l->id == layoutId) return l.get();
    return nullptr;
}

Item* findItem(Layout& layout, int32_t itemId) {
    return findInItems(layout.items, itemId);
}

Item* findItemByName(Layout& layout, const std::string& name) {
    return findNamedInItems(layout.items, name);
}

Document* documentOfLayout(int32_t layoutId) {
    for (auto& d : workspace().documents)
        if (findLayout(*d, layoutId)) return d.get();
    return nullptr;
}

Layout* findOpenLayout(int32_t layoutId) {
    Document* d = documentOfLayout(layoutId);
    return d ? findLayout(*d, layoutId) : nullptr;
}

Document* findOpenDocument(int32_t documentId) {
    for (auto& d : workspace().documents)
        if (d->id == documentId) return d.get();
    return nullptr;
}

int spreadCount(const Layout& layout) {
    return static_cast<int>(layout.spreads.size());
}

int spreadOfPage(const Layout& layout, int page) {
    // Spreads hold consecutive pages in order: the one starting last at or before the page.
    const auto& spreads = layout.spreads;
    auto after = std::upper_bound(spreads.begin(), spreads.end(), page,
                                  [](int p, const std::vector<int>& s) { return p < s.front(); });
    if (after != spreads.begin()) {
        const auto& pages = *(after - 1);
        if (std::find(pages.begin(), pages.end(), page) != pages.end())
            return static_cast<int>(after - spreads.begin());
    }
    for (size_t s = 0; s < layout.spreads.size(); ++s) {
        const auto& pages = layout.spreads[s];
        if (std::find(pages.begin(), pages.end(), page) != pages.end())
            return static_cast<int>(s) + 1;
    }
    return -1;
}

const std::vector<int>* pagesOfSpread(const Layout& layout, int spread) {
    if (spread < 1 || spread > spreadCount(layout)) return nullptr;
    return &layout.spreads[spread - 1];
}

Rect pageRectInSpread(const Layout& layout, int page) {
    int spread = spreadOfPage(layout, page);
    int index = 0;
    if (spread > 0) {
        const auto& pages = layout.spreads[spread - 1];
        index = static_cast<int>(std::find(pages.begin(), pages.end(), page) - pages.begin());
    }
    double left = index * layout.pageWidth;
    return {0, left, layout.pageHeight, left + layout.pageWidth};
}

Rect spreadRect(const Layout& layout, int spread) {
    const auto* pages = pagesOfSpread(layout, spread);
    double n = pages ? static_cast<double>(pages->size()) : 1.0;
    return {0, 0, layout.pageHeight, n * layout.pageWidth};
}

Rect itemSpreadBounds(const Layout& layout, const Item& item) {
    Rect page = pageRectInSpread(layout, item.page);
    return offsetRect(item.bounds, page.left, page.top);
}

std::vector<Item*> itemsOfSpread(Layout& layout, int spread) {
    std::vector<Item*> out;
    const auto* pages = pagesOfSpread(layout, spread);
    if (!pages) return out;
    auto& index = layout.pageItems;
    size_t count = layout.items.size();
    if (index.indexedItems > count || index.byPage.size() != size_t(layout.pageCount) + 1) {
        index.byPage.assign(size_t(layout.pageCount) + 1, {});
        index.indexedItems = 0;
    }
    for (; index.indexedItems < count; ++index.indexedItems) {
        Item* it = layout.items[index.indexedItems].get();
        if (it->page >= 1 && it->page <= layout.pageCount)
            index.byPage[size_t(it->page)].push_back({index.indexedItems, it});
    }
    std::vector<std::pair<size_t, Item*>> found;
    for (int p : *pages)
        if (p >= 1 && p <= layout.pageCount)
            found.insert(found.end(), index.byPage[size_t(p)].begin(),
                         index.byPage[size_t(p)].end());
    if (pages->size() > 1) std::sort(found.begin(), found.end());
    out.reserve(found.size());
    for (auto& f : found)
        out.push_back(f.second);
    return out;
}

bool deleteText(Document& doc, Item& box, size_t from, size_t to) {
    if (box.type != ItemType::Text || from > to || to > box.text.size()) return false;
    box.text.erase(from, to - from);
    doc.changed = true;
    return true;
}

bool insertText(Document& doc, Item& box, size_t at, const std::u16string& text) {
    if (box.type != ItemType::Text || at > box.text.size()) return false;
    box.text.insert(at, text);
    doc.changed = true;
    return true;
}

Workspace& workspace() {
    static Workspace ws;
    return ws;
}

Document* frontDocument() {
    auto& docs = workspace().documents;
    return docs.empty() ? nullptr : docs.back().get();
}

Layout* frontLayout() {
    Document* d = frontDocument();
    if (!d || d->layouts.empty()) return nullptr;
    int i = std::clamp(d->currentLayout, 0, static_cast<int>(d->layouts.size()) - 1);
    return d->layouts[i].get();
}

Document& adoptDocument(std::unique_ptr<Document> doc) {
    workspace().documents.push_back(std::move(doc));
    return *workspace().documents.back();
}

void bringToFront(Document& doc) {
    auto& docs = workspace().documents;
    auto it = std::find_if(docs.begin(), docs.end(), [&](auto& d) { return d.get() == &doc; });
    if (it == docs.end()) return;
    std::rotate(it, it + 1, docs.end());
}

void closeDocument(Document& doc) {
    auto& docs = workspace().documents;
    docs.erase(std::remove_if(docs.begin(), docs.end(), [&](auto& d) { return d.get() == &doc; }),
               docs.end());
}

} // namespace refhost
