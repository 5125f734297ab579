// The resource compiler: a resource script (with the #defines of its headers) to resource data.
#pragma once

#include "ui/res/module.h"

#include <functional>
#include <optional>
#include <string>

namespace ui::rc {

// Reads a file by path; nothing when it cannot be read.
using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

struct CompileResult {
    std::optional<res::Module> module;
    std::string error; // "file:line: message" when module is empty
};

// Compiles the script text named file_name. #include and ICON file names are resolved relative
// to the including file's folder, then to each of include_dirs.
CompileResult compile(const std::string& text, const std::string& file_name,
                      const FileReader& read_file,
                      const std::vector<std::string>& include_dirs = {});

// The C++ source that rebuilds module, defining `const ui::res::Module& function_name()`.
std::string generate_source(const res::Module& module, const std::string& function_name,
                            const std::string& script_name);

// Reads a file from disk.
std::optional<std::string> read_disk_file(const std::string& path);

} // namespace ui::rc
