// Output: exporting a layout and what the hooks may set on the output in progress.
#include "output/output.h"
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <cstdio>
#include <cstring>

namespace refhost {

namespace {

OutputJob* runningJob(KxhOutput output) {
    OutputJob* job = currentOutputJob();
    return job && reinterpret_cast<KxhOutput>(job) == output ? job : nullptr;
}

int32_t interfaceResult(int result) {
    switch (result) {
    case kOutputOk:
        return KXH_OK;
    case kOutputAborted:
        return KXH_OUTPUT_ABORTED;
    case kOutputBadRequest:
        return KXH_OUTPUT_NO_PAGES;
    case kOutputNoFile:
        return KXH_OUTPUT_NO_FILE;
    case kOutputWriteFailed:
        return KXH_OUTPUT_WRITE_FAILED;
    case kOutputDistillerMissing:
    case kOutputDistillerFailed:
        return KXH_OUTPUT_DISTILLER;
    case kOutputBusy:
        return KXH_OUTPUT_BUSY;
    case kOutputStyleMismatch:
        return KXH_OUTPUT_BAD_TYPE;
    case kOutputDiskFull:
        return KXH_OUTPUT_DISK_FULL;
    case kOutputPageSize:
        return KXH_OUTPUT_PAGE_SIZE;
    case kOutputCancelled:
        return KXH_OUTPUT_CANCELLED;
    }
    return KXH_OUTPUT_WRITE_FAILED;
}

int32_t KXH_CALL exportLayout(int32_t layout, uint32_t styleType, uint32_t options) {
    Layout* found = findOpenLayout(layout);
    if (!found) return KXH_OUTPUT_NO_LAYOUT;
    if (styleType != kTypeEps && styleType != kTypePdf && styleType != kTypeNone)
        return KXH_OUTPUT_BAD_TYPE;
    OutputRequest request;
    request.layout = found;
    request.type = styleType;
    request.userInitiated = false;
    request.callerArgument = static_cast<int32_t>(options);
    std::string error;
    const int result = runOutput(request, &error);
    if (result != kOutputOk && result != kOutputCancelled && !error.empty())
        std::fprintf(stderr, "output: %s\n", error.c_str());
    return interfaceResult(result);
}

KxhOutput KXH_CALL currentOutput(void) {
    return reinterpret_cast<KxhOutput>(currentOutputJob());
}

int32_t KXH_CALL setPageRange(KxhOutput output, int32_t first, int32_t last) {
    OutputJob* job = runningJob(output);
    if (!job) return KXH_ERR_NOT_NOW;
    return setOutputPageRange(*job, first, last) ? KXH_OK : KXH_ERR_PARAM;
}

int32_t KXH_CALL setFile(KxhOutput output, const char* path) {
    OutputJob* job = runningJob(output);
    if (!job) return KXH_ERR_NOT_NOW;
    if (!path || !*path) return KXH_ERR_PARAM;
    setOutputFile(*job, path);
    return KXH_OK;
}

int32_t KXH_CALL getSettings(KxhOutput output, void* record, uint32_t size) {
    OutputJob* job = runningJob(output);
    if (!job) return KXH_ERR_NOT_NOW;
    if (!record) return KXH_ERR_PARAM;
    uint8_t full[KXH_OUTPUT_SETTINGS_SIZE] = {};
    outputSettingsRecord(*job, full);
    std::memcpy(record, full, size < KXH_OUTPUT_SETTINGS_SIZE ? size : KXH_OUTPUT_SETTINGS_SIZE);
    return KXH_OK;
}

int32_t KXH_CALL writePostScript(KxhOutput output, const char* text, uint32_t length) {
    OutputJob* job = runningJob(output);
    if (!job) return KXH_ERR_NOT_NOW;
    if (!text && length) return KXH_ERR_PARAM;
    return appendOutputPostScript(*job, text, length) ? KXH_OK : KXH_ERR_NOT_NOW;
}

int32_t KXH_CALL setClipRegion(KxhOutput output, KxhRegion region) {
    OutputJob* job = runningJob(output);
    if (!job) return KXH_ERR_NOT_NOW;
    if (!region) {
        setOutputClip(*job, nullptr);
        return KXH_OK;
    }
    if (!isLiveRegion(region)) return KXH_ERR_PARAM;
    const Rect clip = fromFixedRect(region->rect);
    setOutputClip(*job, &clip);
    return KXH_OK;
}

int32_t KXH_CALL outputLayout(KxhOutput output) {
    OutputJob* job = runningJob(output);
    return job && job->layout ? job->layout->id : -1;
}

} // namespace

void fillOutputTable(KxhOutputTable& table) {
    table.exportLayout = exportLayout;
    table.currentOutput = currentOutput;
    table.setPageRange = setPageRange;
    table.setOutputFile = setFile;
    table.getOutputSettings = getSettings;
    table.writePostScript = writePostScript;
    table.setClipRegion = setClipRegion;
    table.outputLayout = outputLayout;
}

} // namespace refhost
