#pragma once
// Control containment: how dialogs host OLE controls. A template's controls
// whose class is a CLSID string are taken out before the dialog is created
// and created as OLE controls afterwards, each through a site the manager
// makes (a derived manager decides the site class).
#include <windows.h>
#include <memory>
#include <vector>

class CWnd;
class COleControlContainer;
class COleControlSite;

struct OleDialogItem {
    UINT id = 0;
    CLSID clsid{};
    DWORD style = 0, exStyle = 0;
    RECT dialogUnits{};   // the template rectangle
    int precedingId = -1; // the template control created before it, -1 if first
};

class COccManager {
public:
    COccManager() = default;
    COccManager(const COccManager&) = delete;
    COccManager& operator=(const COccManager&) = delete;
    virtual ~COccManager() = default;

    virtual COleControlContainer* CreateContainer(CWnd* wnd);
    // The site for a control described by `info`; ordinary controls get
    // the one-argument form's site.
    virtual COleControlSite* CreateSite(COleControlContainer* container, const OleDialogItem* info);
    virtual COleControlSite* CreateSite(COleControlContainer* container);

    // Copies `tmpl` (DIALOGEX) without its OLE controls into `stripped` and
    // lists those in `items`. False when it has none.
    virtual bool SplitDialogTemplate(const DLGTEMPLATE* tmpl, std::vector<BYTE>* stripped,
                                     std::vector<OleDialogItem>* items);
    // Creates the listed controls in `dialog`, with their persisted state
    // from the template's control-initialisation resource.
    virtual BOOL CreateDlgControls(CWnd* dialog, UINT templateId, const std::vector<OleDialogItem>& items);
};

// Enables OLE control hosting for the whole module, with `manager` (owned
// from here to the end of the process) or a plain one.
void AfxEnableControlContainer(COccManager* manager = nullptr);
COccManager* AfxGetOccManager();

