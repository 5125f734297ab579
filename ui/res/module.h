// The resources of a program as data: dialog templates, strings, icons and version information,
// as the resource compiler generates them, and where the dialog layer finds them at run time.
#pragma once

#include "ui/model/dialog_template.h"
#include "ui/model/icon.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui::res {

struct StringEntry {
    int id = 0;
    std::string text;
};

struct IconEntry {
    int id = 0;
    std::vector<std::uint8_t> ico_file; // the .ico file's bytes, decoded on first use
};

struct VersionString {
    std::string key;
    std::string value;
};

struct VersionInfo {
    int id = 1;
    std::uint16_t file_version[4] = {};
    std::uint16_t product_version[4] = {};
    std::uint32_t file_flags_mask = 0;
    std::uint32_t file_flags = 0;
    std::uint32_t file_os = 0;
    std::uint32_t file_type = 0;
    std::uint32_t file_subtype = 0;
    std::string string_block; // e.g. "040904B0"
    std::vector<VersionString> strings;
    std::vector<std::uint32_t> translation; // language, code page pairs
};

struct Module {
    int language = 0; // e.g. 1033
    std::vector<model::DialogTemplate> dialogs;
    std::vector<StringEntry> strings;
    std::vector<IconEntry> icons;
    std::optional<VersionInfo> version;

    const model::DialogTemplate* find_dialog(int id) const;
    const std::string* find_string(int id) const;
    const IconEntry* find_icon(int id) const;
};

// The module resources are loaded from; null until the program installs one.
const Module* current_module();
// Installs module (may be null) and returns the previous one.
const Module* install_module(const Module* module);

// Looks up string id: through the installed override when there is one, else the current
// module. Nothing when the string does not exist.
std::optional<std::string> load_string(int id);
using StringLookup = std::function<std::optional<std::string>(int id)>;
// Replaces the string table lookup (tests); an empty function restores the module's table.
void install_string_lookup(StringLookup lookup);

// The decoded icon id of the current module, cached for the life of the process; null when the
// module has no such icon or its file does not decode.
const model::Icon* load_icon(int id);

} // namespace ui::res
