// The history block itself: appending entries, reading it back as text, removing it.
#include "host/tracking.h"

#include <cstdio>
#include <string>

#include "export/export_host.h"
#include "foundation/settings.h"
#include "foundation/temppool.h"

namespace {

constexpr WideChar kReplacement = 0xFFFD;

} // namespace

int32_t frontDocument() {
    int32_t layout = hostCurrentLayout();
    return layout == KXH_NO_LAYOUT ? -1 : hostDocumentOfLayout(layout);
}

bool addTrackingEntry(int32_t document, const char* word) {
    if (getTracking() == 0 || document < 0) return false;
    char tail[256];
    snprintf(tail, sizeof tail, "\t%s\r", word);
    std::string entry = wideToUtf8(dateTimeStamp(tail));
    if (entry.empty()) return false;

    std::string history;
    int32_t found = hostReadDocumentData(document, &history);
    if (found != KXH_OK && found != KXH_NONE) return false;
    history += entry;
    if (hostStoreDocumentData(document, history.data(), history.size()) != KXH_OK) return false;
    hostMarkDocumentChanged(document);
    return true;
}

WideText trackingText(int32_t document) {
    std::string history;
    if (document < 0 || hostReadDocumentData(document, &history) != KXH_OK) return WideText();
    WideText text;
    if (!history.empty() && history.size() <= INT32_MAX)
        text = utf8ToWide(history.data(), int32_t(history.size()));
    // A zero byte written by another tool would end the text for every Windows call.
    for (WideChar& c : text)
        if (c == 0) c = kReplacement;
    return text;
}

WideText trackingDisplayText(const WideText& text) {
    WideText shown;
    shown.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        if (text[i] == WideChar('\r') && (i + 1 == text.size() || text[i + 1] != WideChar('\n')))
            shown += WideChar('\n');
    }
    return shown;
}

void removeTrackingHistory(int32_t document) {
    if (document >= 0 && hostStoreDocumentData(document, nullptr, 0) == KXH_OK)
        hostMarkDocumentChanged(document);
}
