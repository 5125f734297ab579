// Resource identifiers of Zelt GUI, shared by ZeltGUI.rc and the program.
#define IDM_ABOUTBOX                    0x0010
#define IDD_ABOUTBOX                    100
#define IDS_ABOUTBOX                    101
#define IDD_PROBE_DIALOG                102
#define IDR_MAINFRAME                   128
#define IDC_OPEN_PORT                   1000
#define IDC_PORT                        1001
#define IDC_STATUS                      1002
#define IDC_READ_BINARY                 1003
#define IDC_BINARY                      1004
#define IDC_READ_ASCII                  1005
#define IDC_ASCII                       1006
