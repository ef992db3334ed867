#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "gui/file_dialogs.h"
#include "main_frame_fixture.h"

namespace {

// The 32-bit tests are only built, so the 32-bit size is checked as the build runs.
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEA) == 88, "the 32-bit record with FlagsEx is 88 bytes");

// The file-type list of a file dialog.
constexpr int kFileTypeCombo = 0x470;

TEST(FileDialogRecordTest, HasThisPlatformsFullSizeAndTheChartFilter)
{
    char buffer[kPathBufferSize] = "left over";
    const OPENFILENAMEA record
        = chartFileDialogRecord(nullptr, buffer, sizeof buffer, "title", OFN_HIDEREADONLY | OFN_NOCHANGEDIR);

    EXPECT_EQ(sizeof(OPENFILENAMEA), record.lStructSize);
    // The 32-bit record with the FlagsEx field is 88 bytes; the 64-bit one is larger.
    EXPECT_EQ(sizeof(void*) == 4 ? 88u : 152u, record.lStructSize);
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(buffer, record.lpstrFile);
    EXPECT_EQ(static_cast<DWORD>(kPathBufferSize), record.nMaxFile);
    EXPECT_EQ(1u, record.nFilterIndex);
    EXPECT_EQ(static_cast<DWORD>(OFN_EX_NOPLACESBAR), record.FlagsEx);
    EXPECT_EQ(nullptr, record.lpstrInitialDir);
    EXPECT_EQ(nullptr, record.lpstrDefExt);

    // One entry, then the empty text that ends the list.
    const char* filter = record.lpstrFilter;
    EXPECT_STREQ("BMSファイル(*.bms;*.bme)", filter);
    filter += std::strlen(filter) + 1;
    EXPECT_STREQ("*.bms;*.bme", filter);
    filter += std::strlen(filter) + 1;
    EXPECT_STREQ("", filter);
}

using FileDialogTest = MainFrameTest;

TEST_F(FileDialogTest, OpenDialogOffersChartFilterAndCancelsToFalse)
{
    std::string fileTypes;
    dialogs.answerWith([&](HWND dialog) {
        char text[128] = {};
        SendDlgItemMessageA(dialog, kFileTypeCombo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        fileTypes = text;
        pressButton(IDCANCEL)(dialog);
    });
    char path[kPathBufferSize] = "left over";
    EXPECT_FALSE(chooseOpenPath(frame->handle(), path, sizeof path));
    EXPECT_EQ("BMSファイル(*.bms;*.bme)", fileTypes);
    EXPECT_STREQ("", path);
}

} // namespace
