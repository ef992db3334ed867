#include "gui/file_dialogs.h"

namespace {

// One entry; the list ends with an empty text.
constexpr char kChartFilter[] = "BMSファイル(*.bms;*.bme)\0*.bms;*.bme\0";

} // namespace

OPENFILENAMEA chartFileDialogRecord(HWND owner, char* buffer, int size, const char* title, DWORD flags)
{
    buffer[0] = '\0';
    OPENFILENAMEA record {};
    // 88 bytes on 32-bit Windows; 64-bit Windows refuses any size but its own.
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.lpstrFilter = kChartFilter;
    record.nFilterIndex = 1;
    record.lpstrFile = buffer;
    record.nMaxFile = size;
    record.lpstrTitle = title;
    record.Flags = flags;
    record.FlagsEx = OFN_EX_NOPLACESBAR;
    return record;
}

bool chooseOpenPath(HWND owner, char* buffer, int size)
{
    OPENFILENAMEA record = chartFileDialogRecord(
        owner, buffer, size, "BMSファイルを開く", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
    return GetOpenFileNameA(&record) != 0;
}

bool chooseSavePath(HWND owner, char* buffer, int size)
{
    OPENFILENAMEA record = chartFileDialogRecord(
        owner, buffer, size, "BMSファイルを保存する", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
    return GetSaveFileNameA(&record) != 0;
}
