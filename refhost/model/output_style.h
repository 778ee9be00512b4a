// Output styles and the host's settings file that keeps them.
#pragma once

#include "model/fourcc.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace refhost {

// A dictionary tree of text values: the keyed data one owner keeps in a style.
struct DataDict {
    std::map<std::string, std::string> values;
    std::map<std::string, DataDict> dicts;
};

struct OutputStyle {
    std::string name;
    uint32_t type = kTypeNone;         // kTypeEps, kTypePdf or kTypeNone ("Print")
    bool isDefault = false;            // the default of its type
    bool processColors = false;        // the host's "ProcessColors" setting
    std::map<uint32_t, DataDict> data; // containers by owner code
    std::string extraJson; // fields this host does not know, kept for saving ("{}" or empty)
};

struct HostSettings {
    std::string path; // UTF-8; empty: never saved
    std::vector<std::unique_ptr<OutputStyle>> styles;
    bool pdfOpenAfterExport = false; // the PDF service's export flag
    bool changed = false;
    std::string extraJson;
};

// The settings a host starts with when it has no file: "Default EPS" and "Default PDF".
void resetSettings(HostSettings& settings);

OutputStyle* findStyle(HostSettings& settings, const std::string& name);
OutputStyle* defaultStyle(HostSettings& settings, uint32_t type);
// Makes style the default of its type (clearing the others); marks the settings changed.
void setDefaultStyle(HostSettings& settings, OutputStyle& style);

// Container of an owner: find returns nullptr when absent, containerOf creates it.
DataDict* findContainer(OutputStyle& style, uint32_t owner);
DataDict& containerOf(OutputStyle& style, uint32_t owner);
// Follows a path of dictionary keys ending in a value key; nullptr when any step is missing.
const std::string* findValue(const OutputStyle& style, uint32_t owner,
                             const std::vector<std::string>& path);
void setValue(OutputStyle& style, uint32_t owner, const std::vector<std::string>& path,
              const std::string& value);

// The host's own settings of a style.
constexpr double kMaxBleed = 1000;           // points, the most the style editor takes
double styleBleed(const OutputStyle& style); // XABL BleedSettings/Symmetric, points
bool styleExportsSpreads(
    const OutputStyle& style); // XPXT EPS/General/Spread or XPDF PageOptions/Spreads

// Style type names in files: "EPS", "PDF", "Print".
const char* styleTypeName(uint32_t type);
bool styleTypeFromName(const std::string& name, uint32_t& type);

// ---- settings file (JSON "layouthost-settings/1") ----
// Loads path into settings. On failure settings is left as it was and error reads
// "FILE: what is wrong". A missing file is a failure too; callers decide to start fresh.
bool loadSettings(const std::string& path, HostSettings& settings, std::string* error);
bool parseSettings(const std::string& json, const std::string& fileName, HostSettings& settings,
                   std::string* error);
std::string settingsToJson(const HostSettings& settings);
// Writes settings to settings.path (atomically) and clears changed.
bool saveSettings(HostSettings& settings, std::string* error);
// Saves only when changed and a path is set; true when nothing had to be done.
bool saveSettingsIfChanged(HostSettings& settings, std::string* error);

// The process's settings (the one the app loads with --settings).
HostSettings& hostSettings();

} // namespace refhost
