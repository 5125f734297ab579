// The program's start: front end, hooks, resources, InitInstance, ExitInstance.
#include "ui/app_main.h"
#include "ui/front_end_choice.h"
#include "ui/mfc.h"
#include "ui/user_hooks.h"

#include <cstdio>
#include <string>

namespace ui {

namespace {

std::string program_name(const res::Module& resources, int argc, char** argv) {
    if (resources.version) {
        for (const auto& entry : resources.version->strings) {
            if (entry.key != "OriginalFilename" || entry.value.empty())
                continue;
            std::string name = entry.value;
            const auto dot = name.rfind('.');
            if (dot != std::string::npos)
                name.erase(dot);
            return name;
        }
    }
    if (argc > 0 && argv != nullptr && argv[0] != nullptr) {
        std::string path = argv[0];
        const auto slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }
    return "application";
}

} // namespace

int run_application(CWinApp& app, const res::Module& resources, int argc, char** argv) {
    const std::string name = program_name(resources, argc, argv);
    std::string why_not;
    std::unique_ptr<FrontEnd> front_end =
        make_front_end(choose_front_end(read_start_environment()), why_not);
    if (!front_end) {
        std::fprintf(stderr, "%s: %s\n", argc > 0 && argv[0] != nullptr ? argv[0] : name.c_str(),
                     why_not.c_str());
        return 1;
    }
    const res::Module* previous_module = res::install_module(&resources);
    FrontEnd* previous_front_end = install_front_end(front_end.get());
    install_user_hooks();
    if (app.m_pszAppName == nullptr)
        AfxSetAppName(app, name);

    app.InitInstance();
    const int exit_code = app.ExitInstance();

    remove_user_hooks();
    install_front_end(previous_front_end);
    res::install_module(previous_module);
    return exit_code;
}

} // namespace ui
