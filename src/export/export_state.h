#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/encoding.h"
#include "foundation/version.h" // kPluginId, the owner of Kestrix's data
#include "kxh_base.h"

// The one record of an export run. Zeroed at the start of every run (resetExportState) and read
// by the output hooks while the host writes.

typedef KxhFixed Fixed; // 16.16, points x 65536

enum : uint32_t {
    kStyleTypeEps = KXH_TYPE_EPS,
    kStyleTypePdf = KXH_TYPE_PDF,
    kStyleTypeNone = KXH_TYPE_NONE,
};

// Texts hold UTF-8. Paths get room for a 510-unit UTF-16 dialog path in UTF-8; every write into
// them is checked, so a name that does not fit is refused instead of cut.
constexpr size_t kStyleNameSize = 256; // the preference keeps 255 bytes of a style name
constexpr size_t kNameSize = 256;
constexpr size_t kPathSize = 2048;
constexpr size_t kShortTextSize = 32;
constexpr size_t kBoxTextSize = 64;
constexpr size_t kDialogPathUnits = 510;

// The largest layout a run handles; the progress dialog counts items in 16 bits.
constexpr int32_t kMaxPageCount = 32767;

struct FWiz {
    int32_t base;    // 0 project name, 1 layout name
    int32_t numbers; // 0 "%d", 1 "%02d", 2 "%03d", 3 "%04d", 4 no number
    char separator[kShortTextSize];
    char suffix[kShortTextSize];
    uint8_t pageMargins;
    uint8_t numberBeforeName;
    uint8_t namingTooLong; // a stored separator or suffix did not fit: the naming is unusable
};

typedef KxhRect FixedRect; // top, left, bottom, right

typedef KxhStyle StyleHandle; // the host's output style object
typedef KxhItem ItemHandle;   // a box or group of a layout

struct ExportState {
    char styleName[kStyleNameSize];
    StyleHandle styleHandle;
    int16_t exporting;
    std::vector<uint8_t> pageFlags; // pageCount + 1 entries; [p] selects absolute page p
    int16_t pageCount;
    int16_t currentPage;
    int16_t absolute;
    int16_t offset;
    ItemHandle currentBox;
    int16_t areaMode;
    int32_t layoutId;
    int16_t spreads;
    int32_t base;
    int32_t numbers;
    char separator[kShortTextSize];
    char suffix[kShortTextSize];
    uint8_t pageMargins;
    uint8_t numberBeforeName;
    FixedRect outputRect;
    FixedRect bleedRect;
    Fixed bleed;
    char projectName[kNameSize];
    char layoutName[kNameSize];
    char projectPath[kPathSize];
    char exportPath[kPathSize];
    char outputFile[kPathSize];
    uint32_t styleType;
    uint8_t hostFlagSaved;
    char trimBoxText[kBoxTextSize];
    char bleedBoxText[kBoxTextSize];
    void* dialogWindow;
    WideChar dialogPath[kDialogPathUnits];
    uint8_t namingTooLong; // as in FWiz: no file may be named with this style
    // The job slug stamped at an output's start may not fit its box, which the run's own check
    // could not see: the user let such text go out (Yes), or the output was stopped for it.
    uint8_t slugOverflowAccepted;
    uint8_t stoppedForOverflow;
};

// The single state of the plug-in, read by the output hooks.
ExportState& exportState();

// All fields zero, no pages selected.
void resetExportState(ExportState& state);

// Copies the naming fields of a style's record into the state.
void applyFileNaming(ExportState& state, const FWiz& naming);
