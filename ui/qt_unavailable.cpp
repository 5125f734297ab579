// Stands in for the desktop front end when the build does not include it.
#include "ui/frontend.h"

namespace ui {

std::unique_ptr<FrontEnd> make_desktop_front_end() {
    return nullptr;
}
bool desktop_front_end_built() {
    return false;
}

} // namespace ui
