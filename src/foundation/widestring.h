#pragma once
#include <cstdint>

#include "foundation/encoding.h"

// An opaque host text object; the host integration supplies the operations on it.
typedef void* HostText;

struct HostTextOps {
    int32_t (*length)(HostText text);                                // UTF-16 units
    void (*copyChars)(HostText text, WideChar* dest, int32_t units); // no NUL written
    HostText (*create)(const WideChar* text, int32_t units);         // null on failure
    void (*release)(HostText text);
};

// Installed by the host integration once it has the host's tables; null removes them.
void setHostTextOps(const HostTextOps* ops);

// An owned UTF-16 text with conversions to and from UTF-8, ANSI and host texts.
class CMyWideString {
  public:
    CMyWideString() = default;
    // UTF-8 text; with `localise`, texts shorter than 250 bytes go through localizeLabel first.
    // Invalid UTF-8 gives an object without text.
    CMyWideString(const char* utf8, bool localise);
    // A copy of `length` units; 0 means up to the NUL.
    CMyWideString(const WideChar* text, int32_t length);
    // Takes the host text's characters; with releaseFlag == 1 the host object is released.
    static CMyWideString fromHostText(HostText text, int32_t releaseFlag);

    CMyWideString(CMyWideString&& other) noexcept;
    CMyWideString& operator=(CMyWideString&& other) noexcept;
    CMyWideString(const CMyWideString&) = delete;
    CMyWideString& operator=(const CMyWideString&) = delete;
    ~CMyWideString();

    bool empty() const { return length() == 0; }
    int32_t length() const;                        // units before the NUL; 0 when absent
    const WideChar* text() const { return text_; } // may be null
    // Converts into the buffer (NUL-terminated); nothing happens when the object has no text.
    void toNarrow(char* buffer, int32_t size, int32_t selector) const;
    // A new copy that the caller frees with free(); null when absent.
    WideChar* newWideCopy() const;
    // The owned copy (made on first request) and its length; null when absent.
    WideChar* wideCopy(int32_t* length);
    // The owned host object (made on first request); null without host ops or text.
    HostText hostText();

  private:
    void clear();
    void adopt(const WideChar* text, int32_t length);

    WideChar* text_ = nullptr;
    WideChar* copy_ = nullptr;
    HostText host_ = nullptr;
};
