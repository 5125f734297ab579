// Framework headers shared by the application's sources.
#pragma once

#include "ui/mfc.h"
