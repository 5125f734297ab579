// The class framework for the application: include this where an MFC program includes its
// framework headers. Each part lists how it differs from MFC at its top.
#pragma once

#include "ui/mfc/afx_types.h"
#include "ui/mfc/cdialog.h"
#include "ui/mfc/cstring.h"
#include "ui/mfc/cwinapp.h"
#include "ui/mfc/cwnd.h"
#include "ui/mfc/ddx.h"
#include "ui/mfc/message_map.h"
#include "ui/mfc/user32.h"
