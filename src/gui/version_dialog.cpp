#include "gui/version_dialog.h"

#include "resource_ids.h"

INT_PTR CALLBACK versionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    // The dialog has no button, but Enter and Esc reach it as IDOK and IDCANCEL.
    const bool closes
        = message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL));
    if (!closes)
        return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

void showVersionDialog(HINSTANCE instance, HWND owner)
{
    DialogBoxParamA(instance, VERSION_DIALOG_NAME, owner, versionDialogProc, 0);
}
