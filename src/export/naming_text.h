#pragma once

// Whether a separator or suffix typed for a style's file naming can be stored. It must fit the
// record's 32-byte field whole, and hold no character that Windows refuses in a file name:
// such a character would name another file, or a file in another folder.
enum NamingTextProblem {
    kNamingTextOk,
    kNamingTextTooLong,   // more than 31 bytes
    kNamingTextForbidden, // one of \ / : * ? " < > | or a control character
};
NamingTextProblem namingTextProblem(const char* text);

// True when text holds a character that Windows refuses in a file name: a control character or
// one of \ / : * ? " < > | (the bytes of other characters in UTF-8 are all 0x80 or above).
bool holdsForbiddenNameChar(const char* text);
