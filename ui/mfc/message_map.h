// Message maps: each class's table of (message, notification, id range) rows and handler thunks,
// searched from the most derived class to its bases.
// Differs from MFC:
// - A row's handler is a plain function that casts the target and calls the member, so the
//   member names in ON_ macros are checked by the compiler in the class's own scope.
// - GetMessageMap and GetThisMessageMap are public, so tests can read the rows.
// - Only the macros the program uses exist.
#pragma once

#include "ui/mfc/afx_types.h"

class CCmdTarget;

enum AfxSig {
    AfxSig_end = 0,
    AfxSig_vv,  // void ()
    AfxSig_vwl, // void (UINT, LPARAM)
    AfxSig_hv,  // HCURSOR ()
};

using AFX_PMSG = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // WM_ message
    UINT nCode;    // notification code for WM_COMMAND (BN_CLICKED ...)
    UINT nID;      // first control or command id (low 16 bits)
    UINT nLastID;  // last id of the range
    AfxSig nSig;
    AFX_PMSG pfn; // null only in the closing row
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;    // ends with a row whose nSig is AfxSig_end
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The row that handles message in this class or a base, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, WPARAM wParam) const;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
public:                                                                                            \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;                                              \
                                                                                                   \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass [[maybe_unused]] = baseClass;                                           \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, nullptr }                                                            \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// A WM_COMMAND row for one id and notification code, calling a void () member.
#define ZELT_COMMAND_ENTRY(code, id, memberFxn)                                                    \
    {WM_COMMAND,                                                                                   \
     code,                                                                                         \
     static_cast<UINT>(static_cast<WORD>(id)),                                                     \
     static_cast<UINT>(static_cast<WORD>(id)),                                                     \
     AfxSig_vv,                                                                                    \
     [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                                           \
         static_cast<ThisClass*>(target)->memberFxn();                                             \
         return 0;                                                                                 \
     }},

#define ON_COMMAND(id, memberFxn) ZELT_COMMAND_ENTRY(CN_COMMAND, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ZELT_COMMAND_ENTRY(BN_CLICKED, id, memberFxn)

#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_vwl,                                                                                   \
     [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {                             \
         static_cast<ThisClass*>(target)->OnSysCommand(static_cast<UINT>(wParam), lParam);         \
         return 0;                                                                                 \
     }},

#define ON_WM_PAINT()                                                                              \
    {WM_PAINT, 0, 0, 0, AfxSig_vv, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {             \
         static_cast<ThisClass*>(target)->OnPaint();                                               \
         return 0;                                                                                 \
     }},

#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, 0, AfxSig_hv, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {     \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(target)->OnQueryDragIcon());     \
     }},
