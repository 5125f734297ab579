// zelt-rc: compiles a resource script into a C++ source file.
//   zelt-rc SCRIPT.rc -o OUT.cpp --function NAME [-I DIR]...
#include "ui/rc/rc_compiler.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::string input, output, function_name;
    std::vector<std::string> include_dirs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-o" || arg == "--function" || arg == "-I") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "-o")
                output = value;
            else if (arg == "--function")
                function_name = value;
            else
                include_dirs.push_back(value);
        } else if (!arg.empty() && arg[0] != '-' && input.empty()) {
            input = arg;
        } else {
            std::fprintf(stderr, "zelt-rc: unexpected argument '%s'\n", arg.c_str());
            return 2;
        }
    }
    if (input.empty() || output.empty() || function_name.empty()) {
        std::fprintf(stderr, "usage: zelt-rc SCRIPT.rc -o OUT.cpp --function NAME [-I DIR]...\n");
        return 2;
    }
    const auto text = ui::rc::read_disk_file(input);
    if (!text) {
        std::fprintf(stderr, "%s: cannot read: %s\n", input.c_str(), std::strerror(errno));
        return 1;
    }
    const auto result = ui::rc::compile(*text, input, ui::rc::read_disk_file, include_dirs);
    if (!result.module) {
        std::fprintf(stderr, "%s\n", result.error.c_str());
        return 1;
    }
    const auto slash = input.find_last_of('/');
    const std::string script_name = slash == std::string::npos ? input : input.substr(slash + 1);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << ui::rc::generate_source(*result.module, function_name, script_name);
    if (!out) {
        std::fprintf(stderr, "%s: cannot write\n", output.c_str());
        return 1;
    }
    return 0;
}
