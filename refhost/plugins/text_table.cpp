// Text of text boxes and its layout.
#include "model/text_layout.h"
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <cstring>

namespace refhost {

namespace {

ItemPlace textBox(KxhItem handle) {
    ItemPlace place = findItemHandle(handle);
    if (place.item && place.item->type != ItemType::Text) return {};
    return place;
}

int32_t KXH_CALL textLength(KxhItem handle) {
    ItemPlace place = textBox(handle);
    return place.item ? static_cast<int32_t>(place.item->text.size()) : -1;
}

int32_t KXH_CALL getText(KxhItem handle, KxhUnit* dest, int32_t max) {
    ItemPlace place = textBox(handle);
    if (!place.item) return -1;
    const std::u16string& text = place.item->text;
    if (dest && max > 0) {
        const size_t n = std::min(text.size(), static_cast<size_t>(max - 1));
        std::memcpy(dest, text.data(), n * sizeof(KxhUnit));
        dest[n] = 0;
    }
    return static_cast<int32_t>(text.size());
}

int32_t KXH_CALL deleteTextRange(KxhItem handle, int32_t from, int32_t to) {
    ItemPlace place = textBox(handle);
    if (!place.item) return KXH_NONE;
    if (from < 0 || to < from || static_cast<size_t>(to) > place.item->text.size())
        return KXH_ERR_PARAM;
    return deleteText(*place.document, *place.item, static_cast<size_t>(from),
                      static_cast<size_t>(to))
               ? KXH_OK
               : KXH_ERR_PARAM;
}

int32_t KXH_CALL insertTextAt(KxhItem handle, int32_t position, const KxhUnit* text,
                              int32_t count) {
    ItemPlace place = textBox(handle);
    if (!place.item) return KXH_NONE;
    if (position < 0 || static_cast<size_t>(position) > place.item->text.size() || count < 0 ||
        (count > 0 && !text))
        return KXH_ERR_PARAM;
    const std::u16string inserted(reinterpret_cast<const char16_t*>(text),
                                  static_cast<size_t>(count));
    return insertText(*place.document, *place.item, static_cast<size_t>(position), inserted)
               ? KXH_OK
               : KXH_ERR_PARAM;
}

KxhBlock KXH_CALL lineRecords(KxhItem handle) {
    ItemPlace place = textBox(handle);
    if (!place.item || place.item->text.empty()) return nullptr;
    const Item& box = *place.item;
    const TextLayoutResult result = layoutText(box);
    const Rect bounds = itemSpreadBounds(*place.layout, box);
    std::vector<KxhLineRecord> records;
    for (const TextLine& line : result.lines) {
        KxhLineRecord r;
        std::memset(&r, 0, sizeof r);
        r.firstUnit = static_cast<int32_t>(line.start);
        r.unitCount = static_cast<int32_t>(line.length);
        const double ascent = box.fontSize * 0.718, descent = box.fontSize * 0.207;
        r.baseline = toFixed(bounds.top + line.baseline);
        r.top = toFixed(bounds.top + line.baseline - ascent);
        r.bottom = toFixed(bounds.top + line.baseline + descent);
        r.left = toFixed(bounds.left + kTextInset);
        r.right = toFixed(bounds.right - kTextInset);
        r.ascent = toFixed(ascent);
        r.descent = toFixed(descent);
        r.width = toFixed(line.width);
        records.push_back(r);
    }
    // Text that fits nowhere still gets a record to carry the overflow mark.
    if (records.empty()) {
        KxhLineRecord r;
        std::memset(&r, 0, sizeof r);
        records.push_back(r);
    }
    if (result.overflows) records.back().status = KXH_LINE_OVERFLOW;
    return newBlockFrom(records.data(), records.size() * sizeof(KxhLineRecord));
}

int32_t KXH_CALL overflows(KxhItem handle) {
    ItemPlace place = textBox(handle);
    return place.item ? (textOverflows(*place.item) ? 1 : 0) : -1;
}

} // namespace

void fillTextTable(KxhTextTable& table) {
    table.textLength = textLength;
    table.getText = getText;
    table.deleteText = deleteTextRange;
    table.insertText = insertTextAt;
    table.lineRecords = lineRecords;
    table.textOverflows = overflows;
}

} // namespace refhost
