// Stands in for the terminal front end when the build does not include it.
#include "ui/frontend.h"

namespace ui {

std::unique_ptr<FrontEnd> make_terminal_front_end() {
    return nullptr;
}
bool terminal_front_end_built() {
    return false;
}

} // namespace ui
