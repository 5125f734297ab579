// What the platform's start-up code does for an MFC program: choose the front end, hook the
// message box, run the application object's InitInstance and return its exit code.
#pragma once

#include "ui/res/module.h"

class CWinApp;

namespace ui {

// Runs app with resources; returns the process exit code (1 when no front end can run, with
// one line on standard error).
int run_application(CWinApp& app, const res::Module& resources, int argc, char** argv);

} // namespace ui
