#include "export/style_choice.h"

#include <cstring>

#include "export/export_host.h"
#include "export/style_settings.h"
#include "export/text_fields.h"
#include "foundation/log.h"
#include "foundation/settings.h"

// The layout keeps the name in a block of this size, or of the name's length plus its NUL when
// the name is longer, so that a long name comes back whole.
constexpr int32_t kLayoutStyleBlock = 64;

static std::string layoutStyleName(int32_t layout) {
    char block[kStyleNameSize + 1] = {};
    int32_t size = hostReadLayoutData(layout, block, kStyleNameSize + 1);
    if (size <= 0) return {};
    size_t length = strnlen(block, static_cast<size_t>(size));
    // A name that fills the whole buffer did not fit: better none than a cut one.
    if (length >= kStyleNameSize) return {};
    return std::string(block, length);
}

void readOutputStyle(ExportRequest& state) {
    getOutputStyle(state.styleName, sizeof state.styleName);
    if (state.styleName[0]) return;
    copyText(state.styleName, layoutStyleName(state.layoutId).c_str());
}

static void addStylesOfType(std::vector<std::string>& names, uint32_t type, std::string* leftOut) {
    char name[kStyleNameSize + 1];
    StyleHandle fallback = hostDefaultStyle(type);
    auto add = [&](StyleHandle style) {
        hostStyleName(style, name, sizeof name);
        if (strlen(name) >= kStyleNameSize) {
            logLine("fillStyleList: name too long, left out: %.60s...", name);
            if (leftOut && leftOut->empty()) *leftOut = name;
            return;
        }
        names.emplace_back(name);
    };
    if (fallback) add(fallback);
    int32_t count = hostStyleCount();
    for (int32_t i = 0; i < count; i++) {
        StyleHandle style = hostStyleAt(i);
        if (style && style != fallback && styleTypeOf(style) == type) add(style);
    }
}

std::vector<std::string> fillStyleList(std::string* leftOut) {
    std::vector<std::string> names;
    addStylesOfType(names, kStyleTypeEps, leftOut);
    names.emplace_back(kStyleListSeparator);
    addStylesOfType(names, kStyleTypePdf, leftOut);
    return names;
}

void storeOutputStyle(const ExportRequest& state) {
    setOutputStyle(state.styleName);
    if (layoutStyleName(state.layoutId) == state.styleName) return;
    size_t length = strlen(state.styleName);
    int32_t size =
        length < kLayoutStyleBlock ? kLayoutStyleBlock : static_cast<int32_t>(length) + 1;
    std::vector<char> block(static_cast<size_t>(size), 0);
    memcpy(block.data(), state.styleName, length);
    int32_t result = hostStoreLayoutData(state.layoutId, block.data(), size);
    if (result == 0)
        hostMarkLayoutChanged(state.layoutId);
    else
        hostShowError(result);
}

void applyOutputStyle(const RunContext& state, KxhOutput output) {
    logLine("applyOutputStyle: %s\r\n", state.styleName);
    int32_t result = hostApplyStyleToOutput(output, state.styleHandle);
    if (result != 0) {
        logLine("applyStyle: err = %d\r\n", result);
        hostShowError(static_cast<int16_t>(result & 0xFFFF));
    }
}

bool chooseStyle(ExportRequest& state, const char* name) {
    if (!name || strlen(name) >= sizeof state.styleName) return false;
    copyText(state.styleName, name);
    state.styleHandle = findStyle(name);
    state.styleType = styleTypeOf(state.styleHandle);
    state.spreads = styleExportsSpreads(state.styleHandle, state.styleType) ? 1 : 0;
    state.naming = readFileNaming(state.styleHandle);
    return true;
}
