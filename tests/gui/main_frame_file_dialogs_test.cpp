#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "bms/bms_writer.h"
#include "gui/file_dialogs.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"

namespace {

// The 32-bit tests are only built, so the 32-bit size is checked as the build runs.
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEA) == 88, "the 32-bit record with FlagsEx is 88 bytes");

// The file-type list of a file dialog.
constexpr int kFileTypeCombo = 0x470;

TEST(FileDialogRecordTest, HasThisPlatformsFullSizeTheChartFiltersAndTheFolder)
{
    char buffer[kPathBufferSize] = "name.bms";
    const OPENFILENAMEA record
        = chartFileDialogRecord(nullptr, buffer, sizeof buffer, "title", "C:\\songs\\", OFN_HIDEREADONLY);

    EXPECT_EQ(sizeof(OPENFILENAMEA), record.lStructSize);
    // The 32-bit record with the FlagsEx field is 88 bytes; the 64-bit one is larger.
    EXPECT_EQ(sizeof(void*) == 4 ? 88u : 152u, record.lStructSize);
    EXPECT_STREQ("name.bms", buffer);
    EXPECT_EQ(buffer, record.lpstrFile);
    EXPECT_EQ(static_cast<DWORD>(kPathBufferSize), record.nMaxFile);
    EXPECT_EQ(1u, record.nFilterIndex);
    EXPECT_EQ(static_cast<DWORD>(OFN_EX_NOPLACESBAR), record.FlagsEx);
    EXPECT_STREQ("C:\\songs\\", record.lpstrInitialDir);
    EXPECT_EQ(nullptr, chartFileDialogRecord(nullptr, buffer, sizeof buffer, "title", "", 0).lpstrInitialDir);

    // Pairs of description and patterns, then the empty text that ends the list.
    std::vector<std::string> filter;
    for (const char* entry = record.lpstrFilter; *entry; entry += std::strlen(entry) + 1)
        filter.emplace_back(entry);
    EXPECT_EQ(filter,
        (std::vector<std::string> {
            "BMSファイル (*.bms;*.bme;*.bml;*.pms)", "*.bms;*.bme;*.bml;*.pms", "すべてのファイル (*.*)", "*.*" }));
}

using FileDialogTest = MainFrameTest;

TEST_F(FileDialogTest, OpenDialogOffersTheChartFiltersAndCancelsToFalse)
{
    std::vector<std::string> fileTypes;
    dialogs.answerWith([&](HWND dialog) {
        char text[128] = {};
        for (int i = 0;
             SendDlgItemMessageA(dialog, kFileTypeCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text)) > 0; ++i)
            fileTypes.emplace_back(text);
        pressButton(IDCANCEL)(dialog);
    });
    char path[kPathBufferSize] = "left over";
    EXPECT_FALSE(chooseOpenPath(frame->handle(), path, sizeof path, nullptr));
    EXPECT_EQ(
        fileTypes, (std::vector<std::string> { "BMSファイル (*.bms;*.bme;*.bml;*.pms)", "すべてのファイル (*.*)" }));
    EXPECT_STREQ("", path);
}

TEST_F(FileDialogTest, SaveAsStartsInTheChartFolderWithItsNameAndTheCaptionFollowsTheSave)
{
    chooseNormalisedSave();
    std::filesystem::create_directory(scratch.path() / "songs");
    const std::string chart = writeChartFile("songs\\song.bms", "#TITLE Song\r\n");
    ASSERT_TRUE(frame->openChart(chart.c_str()));

    std::string offeredName;
    dialogs.answerWith([&](HWND dialog) {
        offeredName = fileNameField(dialog);
        // A bare name without extension lands in the folder the dialog starts in, as .bms.
        typeFileName("copy")(dialog);
    });
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE_AS));
    EXPECT_EQ("song.bms", offeredName);
    const std::string copy = scratch.file("songs\\copy.bms");
    EXPECT_EQ(copy, ShellState::instance().fileName);
    EXPECT_EQ("Quelmarn  " + copy, caption());
    EXPECT_EQ(chartText(document()), readFileBytes(copy));

    // Without a chart file the open dialog starts where a dialog last chose a file.
    sendCommand(*frame, ID_FILE_NEW);
    dialogs.answerWith(typeFileName("song.bms"));
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_OPEN));
    EXPECT_EQ("Quelmarn  " + chart, caption());
}

} // namespace