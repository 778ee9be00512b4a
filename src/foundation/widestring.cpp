#include "foundation/widestring.h"

#include <cstdlib>
#include <cstring>

#include "foundation/localize.h"

namespace {

const HostTextOps* gHostOps = nullptr;

WideChar* newWide(const WideChar* text, size_t units) {
    WideChar* out = static_cast<WideChar*>(calloc(units + 1, sizeof(WideChar)));
    if (out && units) memcpy(out, text, units * sizeof(WideChar));
    return out;
}

} // namespace

void setHostTextOps(const HostTextOps* ops) {
    gHostOps = ops;
}

CMyWideString::CMyWideString(const char* utf8, bool localise) {
    if (!utf8) return;
    WideText wide;
    size_t bytes = strlen(utf8);
    if (localise && bytes < 250) {
        char key[256];
        char label[kLocalizedSize];
        memcpy(key, utf8, bytes + 1);
        localizeLabel(key, label, sizeof label);
        if (!narrowToWide(label, -1, kCodePageUtf8, wide)) return;
    } else if (!narrowToWide(utf8, static_cast<int32_t>(bytes), kCodePageUtf8, wide)) {
        return;
    }
    adopt(wide.data(), static_cast<int32_t>(wide.size()));
}

CMyWideString::CMyWideString(const WideChar* text, int32_t length) {
    if (!text) return;
    adopt(text, length > 0 ? length : wideLength(text));
}

CMyWideString CMyWideString::fromHostText(HostText text, int32_t releaseFlag) {
    CMyWideString result;
    if (!text || !gHostOps) return result;
    int32_t units = gHostOps->length ? gHostOps->length(text) : 0;
    if (units >= 0 && gHostOps->copyChars) {
        result.text_ =
            static_cast<WideChar*>(calloc(static_cast<size_t>(units) + 1, sizeof(WideChar)));
        if (result.text_) gHostOps->copyChars(text, result.text_, units);
    }
    if (releaseFlag == 1 && gHostOps->release) gHostOps->release(text);
    return result;
}

CMyWideString::CMyWideString(CMyWideString&& other) noexcept
    : text_(other.text_), copy_(other.copy_), host_(other.host_) {
    other.text_ = nullptr;
    other.copy_ = nullptr;
    other.host_ = nullptr;
}

CMyWideString& CMyWideString::operator=(CMyWideString&& other) noexcept {
    if (this != &other) {
        clear();
        text_ = other.text_;
        copy_ = other.copy_;
        host_ = other.host_;
        other.text_ = nullptr;
        other.copy_ = nullptr;
        other.host_ = nullptr;
    }
    return *this;
}

CMyWideString::~CMyWideString() {
    clear();
}

void CMyWideString::clear() {
    free(copy_);
    free(text_);
    if (host_ && gHostOps && gHostOps->release) gHostOps->release(host_);
    copy_ = nullptr;
    text_ = nullptr;
    host_ = nullptr;
}

void CMyWideString::adopt(const WideChar* text, int32_t length) {
    text_ = newWide(text, static_cast<size_t>(length));
}

int32_t CMyWideString::length() const {
    return wideLength(text_);
}

void CMyWideString::toNarrow(char* buffer, int32_t size, int32_t selector) const {
    if (!text_) return;
    wideToNarrow(text_, -1, buffer, size, selector);
}

WideChar* CMyWideString::newWideCopy() const {
    return text_ ? newWide(text_, static_cast<size_t>(length())) : nullptr;
}

WideChar* CMyWideString::wideCopy(int32_t* length) {
    if (!copy_ && text_) copy_ = newWideCopy();
    if (length) *length = copy_ ? wideLength(copy_) : 0;
    return copy_;
}

HostText CMyWideString::hostText() {
    if (!host_ && text_ && gHostOps && gHostOps->create) host_ = gHostOps->create(text_, length());
    return host_;
}
