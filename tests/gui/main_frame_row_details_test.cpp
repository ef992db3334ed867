#include <gtest/gtest.h>
#include <string>

#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

// A chart beside a sound saved as Ogg under its WAV name, a picture saved as PNG, a
// movie and a picture that does not decode.
class MainFrameRowDetailsTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        copyMedia("tone.ogg", "kick.ogg");
        copyMedia("picture.png", "back.png");
        writeFileBytes(scratch.file("intro.mpg"), "movie");
        writeFileBytes(scratch.file("broken.bmp"), "BM");
        const std::string chart = writeChartFile("a.bms",
            "#WAV01 kick.wav\n#WAV02 gone.wav\n#BMP01 back.bmp\n#BMP02 intro.mpg\n#BMP03 broken.bmp\n#BMP04 "
            "gone.bmp\n");
        ASSERT_TRUE(frame->openChart(chart.c_str()));
    }

    void copyMedia(const std::string& from, const std::string& to)
    {
        writeFileBytes(scratch.file(to), readFileBytes(testDataPath("media/" + from)));
    }

    void showBmpPage()
    {
        HWND tab = control(ID_TAB);
        NMHDR change { tab, ID_TAB, static_cast<UINT>(TCN_SELCHANGE) };
        SendMessageA(tab, TCM_SETCURSEL, 1, 0);
        SendMessageA(frame->handle(), WM_NOTIFY, ID_TAB, reinterpret_cast<LPARAM>(&change));
    }

    // Moves the caret as a click does, and sends the list's notification.
    void selectRow(int pageId, int row)
    {
        SendMessageA(control(pageId), LB_SETCARETINDEX, row, FALSE);
        SendMessageA(
            frame->handle(), WM_COMMAND, MAKEWPARAM(pageId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control(pageId)));
    }

    // The status bar's text after the counts.
    std::string statusMessage() const
    {
        const std::string text = windowText(control(ID_STATUS_BAR));
        const size_t message = text.find("   ");
        return message == std::string::npos ? std::string() : text.substr(message + 3);
    }
};

} // namespace

TEST_F(MainFrameRowDetailsTest, TheStatusBarNamesTheFileFoundForASoundWithItsFormatLengthAndSize)
{
    selectRow(ID_WAV_PAGE, 1);
    const std::string bytes = std::to_string(readFileBytes(scratch.file("kick.ogg")).size());
    EXPECT_EQ(statusMessage(), "kick.ogg: ogg-vorbis, 1 ch, 22050 Hz, 0.25 s, " + bytes + " bytes");
    selectRow(ID_WAV_PAGE, 2);
    EXPECT_EQ(statusMessage(), "gone.wav が見つかりません");
}

TEST_F(MainFrameRowDetailsTest, TheBmpPageShowsThePictureOfTheSelectedRowOrNamesWhatItCannotShow)
{
    showBmpPage();
    EXPECT_TRUE(GetWindowLongA(control(ID_IMAGE_PREVIEW), GWL_STYLE) & WS_VISIBLE);
    ImagePreview& preview = frame->imagePreview();

    selectRow(ID_BMP_PAGE, 1);
    EXPECT_EQ(statusMessage(), "back.png: png, 24 x 10, 337 bytes");
    EXPECT_EQ(preview.image().width, 24);
    EXPECT_EQ(preview.image().height, 10);
    EXPECT_EQ(preview.text(), "");

    struct Case {
        int row;
        const char* shown;
    };
    for (const Case& c : { Case { 2, "intro.mpg (動画)" }, Case { 3, "broken.bmp: no picture header that reads" },
             Case { 4, "gone.bmp が見つかりません" } }) {
        selectRow(ID_BMP_PAGE, c.row);
        // The decoder's own reason may follow.
        EXPECT_EQ(preview.text().substr(0, std::string(c.shown).size()), c.shown) << c.row;
        EXPECT_TRUE(preview.image().bgrx.empty()) << c.row;
    }
    // Painting a picture and a text both go through without fault.
    selectRow(ID_BMP_PAGE, 1);
    UpdateWindow(control(ID_IMAGE_PREVIEW));
}
