#include "gui/file_dialogs.h"

#include <cstdio>

namespace {

// Pairs of a description and its patterns; the list ends with an empty text.
constexpr char kChartFilter[] = "BMSファイル (*.bms;*.bme;*.bml;*.pms)\0*.bms;*.bme;*.bml;*.pms\0"
                                "すべてのファイル (*.*)\0*.*\0";

} // namespace

OPENFILENAMEA chartFileDialogRecord(
    HWND owner, char* buffer, int size, const char* title, const char* folder, DWORD flags)
{
    OPENFILENAMEA record {};
    // 88 bytes on 32-bit Windows; 64-bit Windows refuses any size but its own.
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.lpstrFilter = kChartFilter;
    record.nFilterIndex = 1;
    record.lpstrFile = buffer;
    record.nMaxFile = size;
    record.lpstrInitialDir = folder && folder[0] != '\0' ? folder : nullptr;
    record.lpstrTitle = title;
    record.Flags = flags;
    record.FlagsEx = OFN_EX_NOPLACESBAR;
    return record;
}

bool chooseOpenPath(HWND owner, char* buffer, int size, const char* folder)
{
    buffer[0] = '\0';
    OPENFILENAMEA record = chartFileDialogRecord(
        owner, buffer, size, "BMSファイルを開く", folder, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
    return GetOpenFileNameA(&record) != 0;
}

bool chooseSavePath(HWND owner, char* buffer, int size, const char* folder, const char* fileName)
{
    if (buffer != fileName)
        std::snprintf(buffer, size, "%s", fileName);
    OPENFILENAMEA record = chartFileDialogRecord(
        owner, buffer, size, "BMSファイルを保存する", folder, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
    record.lpstrDefExt = "bms";
    return GetSaveFileNameA(&record) != 0;
}
