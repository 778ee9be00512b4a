// Output styles and their keyed data containers. The editor and its panes are the app's.
#include "output/output.h"
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <cstdio>
#include <new>
#include <set>

namespace refhost {

namespace {

std::set<KxhContainer>& liveContainers() {
    static std::set<KxhContainer> containers;
    return containers;
}

bool isLive(KxhContainer container) {
    return container && liveContainers().count(container) != 0;
}

// Dictionaries belong to a live container; a handle is trusted only while one is open.
DataDict* dictOf(KxhDict dict) {
    return liveContainers().empty() ? nullptr : reinterpret_cast<DataDict*>(dict);
}

void saveSettingsNow() {
    HostSettings& settings = hostSettings();
    settings.changed = true;
    std::string error;
    if (!saveSettingsIfChanged(settings, &error))
        std::fprintf(stderr, "settings: %s\n", error.c_str());
}

KxhStyle KXH_CALL getDefaultStyle(uint32_t type) {
    return styleHandle(defaultStyle(hostSettings(), type));
}

int32_t KXH_CALL styleCount(void) {
    return static_cast<int32_t>(hostSettings().styles.size());
}

KxhStyle KXH_CALL styleAt(int32_t index) {
    auto& styles = hostSettings().styles;
    if (index < 0 || static_cast<size_t>(index) >= styles.size()) return nullptr;
    return styleHandle(styles[static_cast<size_t>(index)].get());
}

KxhStyle KXH_CALL findStyleByName(const char* name) {
    return name ? styleHandle(findStyle(hostSettings(), name)) : nullptr;
}

uint32_t KXH_CALL styleType(KxhStyle handle) {
    OutputStyle* style = findStyleHandle(handle);
    if (!style || (style->type != kTypeEps && style->type != kTypePdf)) return KXH_TYPE_NONE;
    return style->type;
}

int32_t KXH_CALL styleName(KxhStyle handle, char* buf, uint32_t bufSize) {
    OutputStyle* style = findStyleHandle(handle);
    if (!style) {
        copyOut("", buf, bufSize);
        return KXH_NONE;
    }
    return copyOut(style->name, buf, bufSize);
}

int32_t KXH_CALL applyStyle(KxhOutput output, KxhStyle handle) {
    OutputJob* job = currentOutputJob();
    if (!job || reinterpret_cast<KxhOutput>(job) != output) return KXH_ERR_NOT_NOW;
    OutputStyle* style = findStyleHandle(handle);
    return style && applyOutputStyle(*job, style) ? KXH_OK : KXH_ERR_PARAM;
}

KxhContainer KXH_CALL getContainer(KxhStyle handle, uint32_t owner, int32_t create) {
    OutputStyle* style = findStyleHandle(handle);
    if (!style) return nullptr;
    DataDict* found = findContainer(*style, owner);
    if (!found && !create) return nullptr;
    KxhContainer container = new (std::nothrow) KxhContainerRec;
    if (!container) return nullptr;
    if (found) container->root = *found;
    liveContainers().insert(container);
    return container;
}

int32_t KXH_CALL putContainer(KxhStyle handle, uint32_t owner, KxhContainer container) {
    OutputStyle* style = findStyleHandle(handle);
    if (!style) return KXH_NONE;
    if (!isLive(container)) return KXH_ERR_PARAM;
    containerOf(*style, owner) = container->root;
    saveSettingsNow();
    return KXH_OK;
}

void KXH_CALL releaseContainer(KxhContainer container) {
    if (!isLive(container)) return;
    liveContainers().erase(container);
    delete container;
}

KxhDict KXH_CALL rootDict(KxhContainer container) {
    return isLive(container) ? reinterpret_cast<KxhDict>(&container->root) : nullptr;
}

KxhDict KXH_CALL subDict(KxhDict handle, const char* key, int32_t create) {
    DataDict* dict = dictOf(handle);
    if (!dict || !key) return nullptr;
    auto found = dict->dicts.find(key);
    if (found != dict->dicts.end()) return reinterpret_cast<KxhDict>(&found->second);
    if (!create) return nullptr;
    dict->values.erase(key);
    return reinterpret_cast<KxhDict>(&dict->dicts[key]);
}

int32_t KXH_CALL getValue(KxhDict handle, const char* key, char* buf, uint32_t bufSize) {
    DataDict* dict = dictOf(handle);
    auto found = dict && key ? dict->values.find(key) : decltype(dict->values.end())();
    if (!dict || !key || found == dict->values.end()) {
        copyOut("", buf, bufSize);
        return KXH_NONE;
    }
    return copyOut(found->second, buf, bufSize);
}

int32_t KXH_CALL setDictValue(KxhDict handle, const char* key, const char* value) {
    DataDict* dict = dictOf(handle);
    if (!dict || !key || !value) return KXH_ERR_PARAM;
    dict->dicts.erase(key);
    dict->values[key] = value;
    return KXH_OK;
}

} // namespace

void fillStyleTable(KxhStyleTable& table) {
    table.defaultStyle = getDefaultStyle;
    table.styleCount = styleCount;
    table.styleAt = styleAt;
    table.findStyle = findStyleByName;
    table.styleType = styleType;
    table.styleName = styleName;
    table.applyStyle = applyStyle;
    table.getContainer = getContainer;
    table.putContainer = putContainer;
    table.releaseContainer = releaseContainer;
    table.rootDict = rootDict;
    table.subDict = subDict;
    table.getValue = getValue;
    table.setValue = setDictValue;
    if (appTableFillers().styleEditor) appTableFillers().styleEditor(table);
}

} // namespace refhost
