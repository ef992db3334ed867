#include "gui/version_dialog.h"

#include "resource_ids.h"

INT_PTR CALLBACK versionDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_CLOSE)
        return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

void showVersionDialog(HINSTANCE instance, HWND owner)
{
    DialogBoxParamA(instance, VERSION_DIALOG_NAME, owner, versionDialogProc, 0);
}
