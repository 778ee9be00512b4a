// The host's document model: projects holding layouts, layouts holding pages, sections,
// spreads and items. Objects are heap-held so that pointers handed to plug-ins stay valid
// until the object is deleted.
#pragma once

#include "model/geometry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace refhost {

enum class ItemType { Box, Text, Group };
enum class PageNumberStyle { Arabic, RomanLower, RomanUpper, AlphaLower, AlphaUpper };

// Plug-in byte blocks by owner code.
using DataBlocks = std::map<uint32_t, std::vector<uint8_t>>;

// Data entries of a project file that the host could not read (no base64 text, an owner name
// of other than four characters): written back as they stand, never handed to a plug-in, and
// a plug-in's write to such an owner is refused, so that nothing of them is lost.
struct KeptData {
    std::map<std::string, std::string> entries; // owner name as written -> its JSON value
    std::vector<uint32_t> owners;               // the codes among those names
};

struct Item {
    int32_t id = 0; // unique within the document, never reused
    std::string name;
    ItemType type = ItemType::Box;
    int page = 1;         // absolute page (1-based) the bounds refer to
    Rect bounds;          // relative to that page's top-left corner
    std::u16string text;  // text boxes only
    double fontSize = 12; // points
    bool suppressOutput = false;
    std::vector<std::unique_ptr<Item>> members; // groups only
    Item* parent = nullptr;                     // the group holding this item, if any
};

// Pages from firstPage on are numbered start, start+1, ... in style, behind prefix.
struct Section {
    int firstPage = 1;
    int start = 1;
    std::string prefix;
    PageNumberStyle style = PageNumberStyle::Arabic;
};

struct Layout {
    int32_t id = 0; // unique in the process, never reused
    std::string name;
    double pageWidth = 612, pageHeight = 792;
    int pageCount = 1;
    std::vector<Section> sections;            // ascending firstPage; the first starts at page 1
    std::vector<std::vector<int>> spreads;    // consecutive absolute pages, covering all pages
    std::vector<std::unique_ptr<Item>> items; // top-level items in stacking order
    DataBlocks data;
    KeptData keptData;
    // Top-level items by page (index 0 unused), with their stacking positions: an output of
    // one page must not cost a walk over every item of a long layout. Items keep their page
    // and order once added and are never removed, so the index follows the item count.
    struct PageItems {
        size_t indexedItems = 0;
        std::vector<std::vector<std::pair<size_t, Item*>>> byPage;
    };
    PageItems pageItems;
    // View state of the layout's window.
    int currentPage = 1;
    Item* selected = nullptr;
};

struct Document {
    int32_t id = 0;   // unique in the process, never reused
    std::string path; // UTF-8; empty for a project never saved
    std::string name; // file name with extension ("Catalog.lyt"), or "Project1" when untitled
    bool changed = false;
    std::vector<std::unique_ptr<Layout>> layouts;
    DataBlocks data;
    KeptData keptData;
    // What the reader kept without reading it, one line each ("FILE: what"), to be reported.
    std::vector<std::string> keptNotes;
    int currentLayout = 0; // index into layouts
    int32_t nextItemId = 1;
};

// ---- construction ----
std::unique_ptr<Document> newDocument();
Layout& addLayout(Document& doc, const std::string& name); // gets a fresh layout id
// Adds an item at top level (group == nullptr) or into a group; assigns its id.
Item& addItem(Document& doc, Layout& layout, std::unique_ptr<Item> item, Item* group = nullptr);
// Completes sections and spreads the file left out (arabic from 1; one page a spread).
void applyLayoutDefaults(Layout& layout);

// ---- lookups (nullptr / -1 when nothing matches) ----
Layout* findLayout(Document& doc, int32_t layoutId);
Item* findItem(Layout& layout, int32_t itemId); // searches group members too
Item* findItemByName(Layout& layout, const std::string& name);
Document* documentOfLayout(int32_t layoutId); // among the open documents
Layout* findOpenLayout(int32_t layoutId);
Document* findOpenDocument(int32_t documentId);

// ---- pages, names and spreads ----
// The displayed name of an absolute page ("iii", "A-3"); empty when out of range.
std::string pageName(const Layout& layout, int page);
// The absolute page of a displayed name, or -1.
int pageFromName(const Layout& layout, const std::string& name);
std::string formatPageNumber(int number, PageNumberStyle style);
int spreadCount(const Layout& layout);
int spreadOfPage(const Layout& layout, int page);                        // 1-based spread, or -1
const std::vector<int>* pagesOfSpread(const Layout& layout, int spread); // 1-based spread
// A page's rectangle in the coordinates of its spread (pages side by side, left to right).
Rect pageRectInSpread(const Layout& layout, int page);
// The whole spread (1-based) in its own coordinates.
Rect spreadRect(const Layout& layout, int spread);
// An item's bounds in the coordinates of its spread.
Rect itemSpreadBounds(const Layout& layout, const Item& item);
// Top-level items of a spread, in stacking order.
std::vector<Item*> itemsOfSpread(Layout& layout, int spread);

// ---- text ----
// Text positions are UTF-16 code units. Both mark the document changed.
bool deleteText(Document& doc, Item& box, size_t from, size_t to);
bool insertText(Document& doc, Item& box, size_t at, const std::u16string& text);

std::u16string utf8ToUtf16(const std::string& s);
std::string utf16ToUtf8(const std::u16string& s);

// ---- the open documents, front to back ----
struct Workspace {
    std::vector<std::unique_ptr<Document>> documents; // documents.back() is frontmost
};
Workspace& workspace();
Document* frontDocument();
Layout* frontLayout();
Document& adoptDocument(std::unique_ptr<Document> doc); // becomes frontmost
void bringToFront(Document& doc);
void closeDocument(Document& doc);

} // namespace refhost
