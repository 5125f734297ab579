// Resource lookup: the installed module, the string-table override and the decoded icon cache.
#include "ui/res/module.h"
#include "ui/res/ico_decoder.h"

#include <map>
#include <memory>
#include <utility>

namespace ui::res {

namespace {

const Module* s_module = nullptr;

StringLookup& string_lookup() {
    static StringLookup lookup;
    return lookup;
}

// Decoded icons by module and id; kept for the process so that HICONs stay valid.
std::map<std::pair<const Module*, int>, std::unique_ptr<model::Icon>>& icon_cache() {
    static std::map<std::pair<const Module*, int>, std::unique_ptr<model::Icon>> cache;
    return cache;
}

} // namespace

const model::DialogTemplate* Module::find_dialog(int id) const {
    for (const auto& d : dialogs)
        if (d.id == id)
            return &d;
    return nullptr;
}

const std::string* Module::find_string(int id) const {
    for (const auto& s : strings)
        if (s.id == id)
            return &s.text;
    return nullptr;
}

const IconEntry* Module::find_icon(int id) const {
    for (const auto& i : icons)
        if (i.id == id)
            return &i;
    return nullptr;
}

const Module* current_module() {
    return s_module;
}

const Module* install_module(const Module* module) {
    return std::exchange(s_module, module);
}

std::optional<std::string> load_string(int id) {
    if (const auto& lookup = string_lookup())
        return lookup(id);
    if (s_module == nullptr)
        return std::nullopt;
    if (const std::string* text = s_module->find_string(id))
        return *text;
    return std::nullopt;
}

void install_string_lookup(StringLookup lookup) {
    string_lookup() = std::move(lookup);
}

const model::Icon* load_icon(int id) {
    if (s_module == nullptr)
        return nullptr;
    auto& cache = icon_cache();
    const auto key = std::make_pair(s_module, id);
    if (auto it = cache.find(key); it != cache.end())
        return it->second.get();
    const IconEntry* entry = s_module->find_icon(id);
    if (entry == nullptr)
        return nullptr;
    IcoResult decoded = decode_ico(entry->ico_file.data(), entry->ico_file.size());
    if (!decoded.icon)
        return nullptr;
    decoded.icon->resource_id = id;
    auto& slot = cache[key];
    slot = std::make_unique<model::Icon>(std::move(*decoded.icon));
    return slot.get();
}

} // namespace ui::res
