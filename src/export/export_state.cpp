#include "export/export_state.h"

#include "export/text_fields.h"

ExportState& exportState() {
    static ExportState state{};
    return state;
}

void resetExportState(ExportState& state) {
    state = ExportState{};
}

void applyFileNaming(ExportState& state, const FWiz& naming) {
    state.base = naming.base;
    state.numbers = naming.numbers;
    copyTextCut(state.separator, naming.separator);
    copyTextCut(state.suffix, naming.suffix);
    state.pageMargins = naming.pageMargins;
    state.numberBeforeName = naming.numberBeforeName;
    state.namingTooLong = naming.namingTooLong;
}
