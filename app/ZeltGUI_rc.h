// The compiled resources of ZeltGUI.rc; zelt-rc generates the definition at build time.
#pragma once

#include "ui/res/module.h"

const ui::res::Module& ZeltGUIResources();
