// The serial objects the dialog's conversation with the probe shares, and their teardown.
#pragma once

class ComPort;
class LineSettings;
class PortLink;

// Created and replaced only by OnOpenPort; destroyed in the order settings, link, port.
extern ComPort* g_pPort;
extern PortLink* g_pLink;
extern LineSettings* g_pSettings;

// Deletes the settings, the link and the port, in that order, and clears the pointers.
// The program calls it only from Open Port; tests call it to end a conversation.
void DeleteSerialObjects();
