#include "ConfirmQuit.h"
#include "ConfirmDlg.h"

void ConfirmQuit() {
    CConfirmDlg confirm(nullptr);
    confirm.m_nMode = 0;
    if (confirm.DoModal() == IDOK)
        ::PostQuitMessage(kQuitExitCode);
}
