// The host's settings to and from their file; the reading and writing of the text is
// settings_file.cpp's.
#include "model/file_io.h"
#include "model/output_style.h"

namespace refhost {

bool loadSettings(const std::string& path, HostSettings& settings, std::string* error) {
    std::string text;
    if (!readWholeFile(path, text)) {
        if (error) *error = path + ": cannot be read";
        return false;
    }
    if (!parseSettings(text, path, settings, error)) return false;
    settings.path = path;
    settings.changed = false;
    return true;
}

bool saveSettings(HostSettings& settings, std::string* error) {
    if (settings.path.empty()) {
        if (error) *error = "the settings have no file to be saved in";
        return false;
    }
    if (!writeFileAtomic(settings.path, settingsToJson(settings), error)) return false;
    settings.changed = false;
    return true;
}

bool saveSettingsIfChanged(HostSettings& settings, std::string* error) {
    if (!settings.changed || settings.path.empty()) return true;
    return saveSettings(settings, error);
}

} // namespace refhost
