// CProbeApp: the application object. Its InitInstance runs the main dialog and ends the program.
#pragma once

#include "stdafx.h"
#include "resource.h"

class CProbeApp : public CWinApp {
public:
    CProbeApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

// The one application object, constructed during static initialisation.
extern CProbeApp theApp;
