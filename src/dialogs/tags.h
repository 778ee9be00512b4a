#pragma once
#include <cstdint>

// Four-character codes: control types and window-property tags, first character most
// significant ("ccmd" is 0x63636D64).
typedef uint32_t DialogTag;

constexpr DialogTag makeTag(const char (&code)[5]) {
    return (DialogTag(uint8_t(code[0])) << 24) | (DialogTag(uint8_t(code[1])) << 16) |
           (DialogTag(uint8_t(code[2])) << 8) | DialogTag(uint8_t(code[3]));
}

// The first four bytes of a text as a tag; shorter texts leave the low bytes zero.
DialogTag tagFromText(const char* text);

// Control types.
constexpr DialogTag kTypeStaticText = makeTag("stxt");
constexpr DialogTag kTypeEditText = makeTag("eutx");
constexpr DialogTag kTypePushButton = makeTag("push");
constexpr DialogTag kTypeCheckBox = makeTag("cbox");
constexpr DialogTag kTypeCombo = makeTag("comb");
constexpr DialogTag kTypePopup = makeTag("popb");
constexpr DialogTag kTypeListBox = makeTag("lbox");
constexpr DialogTag kTypeGroupBox = makeTag("grpb");
constexpr DialogTag kTypeTabs = makeTag("tabs");
constexpr DialogTag kTypeSeparator = makeTag("sepa");
constexpr DialogTag kTypeUserPane = makeTag("upan");
constexpr DialogTag kTypeRadioGroup = makeTag("radg");
constexpr DialogTag kTypeProgressBar = makeTag("prgb");
constexpr DialogTag kTypeRadioButton = makeTag("rdio");

// Property tags the toolkit itself uses.
constexpr DialogTag kTagCommand = makeTag("ccmd");
constexpr DialogTag kTagCommandProc = makeTag("cprc");
constexpr DialogTag kTagOwnerData = makeTag("user");
constexpr DialogTag kTagWindowProc = makeTag("wprc");
constexpr DialogTag kTagTimerProc = makeTag("timp");
constexpr DialogTag kTagItemPainter = makeTag("draw");
constexpr DialogTag kTagComboMemory = makeTag("comb");

// Description elements kept as string properties, in the order they are stored.
constexpr DialogTag kDescriptionStringTags[] = {
    makeTag("sap "), makeTag("empt"), makeTag("amnt"), makeTag("date"),
    makeTag("data"), makeTag("pref"), makeTag("dval"), makeTag("comb"),
};
