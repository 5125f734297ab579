// The installed front end.
#include "ui/frontend.h"

namespace ui {

namespace {
FrontEnd* s_front_end = nullptr;
}

FrontEnd* current_front_end() {
    return s_front_end;
}

FrontEnd* install_front_end(FrontEnd* front_end) {
    FrontEnd* previous = s_front_end;
    s_front_end = front_end;
    return previous;
}

} // namespace ui
