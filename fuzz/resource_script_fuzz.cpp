// Fuzzes the resource compiler: any script either compiles or reports file:line, and a module
// that compiles also generates source.
#include "ui/rc/rc_compiler.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    // One include file is available, so #include paths are reached too.
    const auto read = [](const std::string& path) -> std::optional<std::string> {
        if (path == "h.h")
            return std::string("#define IDC_A 1000\n#define IDD_X (100 | 2)\n");
        return std::nullopt;
    };
    const auto result = ui::rc::compile(script, "fuzz.rc", read);
    if (result.module)
        (void)ui::rc::generate_source(*result.module, "FuzzResources", "fuzz.rc");
    else if (result.error.rfind("fuzz.rc:", 0) != 0 && result.error.rfind("h.h:", 0) != 0)
        __builtin_trap(); // every error names its file and line
    return 0;
}
