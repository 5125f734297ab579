// zelt-gui: hands the application object and its resources to the dialog layer's start-up.
#include "ProbeApp.h"
#include "ZeltGUI_rc.h"
#include "ui/app_main.h"

int main(int argc, char** argv) {
    return ui::run_application(theApp, ZeltGUIResources(), argc, argv);
}
