#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "bms/bms_writer.h"
#include "gui/window/window_proc.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "support/chart_building.h"
#include "test_windows.h"

namespace {

const std::string kChart = "#TITLE Song\r\n"
                           "#WAV01 kick.wav\r\n"
                           "#WAV03 snare.wav\r\n"
                           "#WAV05 spare.wav\r\n"
                           "#BMP02 back.bmp\r\n"
                           "#BMP04 spare.bmp\r\n"
                           "#00111:0103\r\n"
                           "#00104:02\r\n";

class MainFrameHistoryTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        chartPath = writeChartFile("a.bms", kChart);
        writeFileBytes(scratch.file("kick.wav"), "RIFF");
        ASSERT_TRUE(frame->openChart(chartPath.c_str()));
    }

    HWND wavList() const { return control(ID_WAV_PAGE); }
    void selectOnly(HWND list, std::initializer_list<int> rows) const
    {
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int row : rows)
            SendMessageA(list, LB_SETSEL, TRUE, row);
    }
    bool menuItemEnabled(int id) const
    {
        return (GetMenuState(GetMenu(frame->handle()), id, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }
    std::string statusText() const { return windowText(control(ID_STATUS_BAR)); }
    std::string chart() const { return chartText(document()); }

    std::string chartPath;
};

TEST_F(MainFrameHistoryTest, EveryChangeIsUndoneAndRedoneWithTheListsAndFieldsShowingIt)
{
    const struct {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        { "swap",
            [&] {
                selectOnly(wavList(), { 1, 3 });
                sendCommand(*frame, ID_EDIT_SWAP_TOP_TWO);
            } },
        { "move",
            [&] {
                selectOnly(wavList(), { 1 });
                pressSystemKey(wavList(), VK_DOWN, true);
            } },
        { "delete",
            [&] {
                selectOnly(wavList(), { 3 });
                pressKey(wavList(), VK_DELETE);
            } },
        { "unregister", [&] { sendCommand(*frame, ID_EDIT_UNREGISTER_UNUSED_BMP); } },
        { "compact", [&] { sendCommand(*frame, ID_EDIT_COMPACT_WAV); } },
        { "drop",
            [&] {
                SendMessageA(wavList(), LB_SETCARETINDEX, 0, FALSE);
                SendMessageA(wavList(), WM_DROPFILES,
                    reinterpret_cast<WPARAM>(makeDrop({ scratch.file("hat.wav"), scratch.file("tom.wav") })), 0);
            } },
        { "typing",
            [&] {
                SetWindowTextA(control(ID_TITLE_EDIT), "So");
                SetWindowTextA(control(ID_TITLE_EDIT), "Son");
            } },
    };
    for (const auto& c : cases) {
        const std::string before = chart();
        c.change();
        const std::string after = chart();
        ASSERT_NE(before, after) << c.name;
        EXPECT_TRUE(menuItemEnabled(ID_EDIT_UNDO)) << c.name;
        EXPECT_FALSE(menuItemEnabled(ID_EDIT_REDO)) << c.name;

        EXPECT_EQ(0, sendCommand(*frame, ID_EDIT_UNDO)) << c.name;
        EXPECT_EQ(before, chart()) << c.name;
        EXPECT_TRUE(menuItemEnabled(ID_EDIT_REDO)) << c.name;
        sendCommand(*frame, ID_EDIT_REDO);
        EXPECT_EQ(after, chart()) << c.name;
    }
    // The typing was one step: undoing it shows the title as it was read.
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ("Song", windowText(control(ID_TITLE_EDIT)));
    EXPECT_STREQ("Song", document().headerTable()->get("TITLE"));
}

TEST_F(MainFrameHistoryTest, UndoShowsThePageOfTheStepWithTheRowsItTouchedSelected)
{
    HWND bmpList = control(ID_BMP_PAGE);
    sendCommand(*frame, ID_EDIT_COMPACT_BMP);
    EXPECT_EQ("01:back.bmp", listRowName(bmpList, 1));
    EXPECT_EQ(0, ShellState::instance().currentPage);

    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(1, ShellState::instance().currentPage);
    EXPECT_EQ(1, SendMessageA(control(ID_TAB), TCM_GETCURSEL, 0, 0));
    EXPECT_EQ("01:", listRowName(bmpList, 1));
    EXPECT_EQ("02:back.bmp", listRowName(bmpList, 2));
    EXPECT_EQ((std::vector<int> { 1, 2, 4 }), selectedRows(bmpList));
    EXPECT_EQ("02", objectAt(document(), "04", 384));
}

TEST_F(MainFrameHistoryTest, CaptionMarksUnsavedChangesUntilSavedOrUndone)
{
    const std::string clean = "Quelmarn  " + chartPath;
    EXPECT_EQ(clean, caption());
    EXPECT_FALSE(menuItemEnabled(ID_EDIT_UNDO));
    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    EXPECT_EQ(clean + " *", caption());
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(clean, caption());
    sendCommand(*frame, ID_EDIT_REDO);
    sendCommand(*frame, ID_FILE_SAVE);
    EXPECT_EQ(clean, caption());
    // The saved chart is the new clean state: undoing moves away from it.
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(clean + " *", caption());

    // A new chart starts a new history.
    dialogs.answerWith(pressButton(IDNO));
    sendCommand(*frame, ID_FILE_NEW);
    EXPECT_EQ("Quelmarn  ", caption());
    EXPECT_FALSE(menuItemEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(menuItemEnabled(ID_EDIT_REDO));
}

TEST_F(MainFrameHistoryTest, EveryWayOfDiscardingAsksAndCancelStays)
{
    const std::string other = writeChartFile("other.bms", "#TITLE Other\r\n");
    const struct {
        const char* name;
        std::function<void()> discard;
    } ways[] = {
        { "exit", [&] { sendCommand(*frame, ID_FILE_EXIT); } },
        { "close box", [&] { SendMessageA(frame->handle(), WM_SYSCOMMAND, SC_CLOSE, 0); } },
        { "new", [&] { sendCommand(*frame, ID_FILE_NEW); } },
        { "open", [&] { sendCommand(*frame, ID_FILE_OPEN); } },
        { "drop on the window",
            [&] { SendMessageA(frame->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({ other })), 0); } },
        { "chart dropped on a list",
            [&] { SendMessageA(wavList(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({ other })), 0); } },
    };
    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    const std::string edited = chart();
    for (const auto& way : ways) {
        const size_t seen = dialogs.seen().size();
        dialogs.answerWith(pressButton(IDCANCEL));
        way.discard();
        ASSERT_EQ(seen + 1, dialogs.seen().size()) << way.name;
        EXPECT_EQ("確認", dialogs.seen().back().caption) << way.name;
        EXPECT_EQ(chartPath + " への変更を保存しますか？", dialogs.seen().back().text) << way.name;
        ASSERT_TRUE(IsWindow(frame->handle())) << way.name;
        EXPECT_EQ(edited, chart()) << way.name;
    }
    EXPECT_EQ(kChart, readFileBytes(chartPath));
}

TEST_F(MainFrameHistoryTest, NoDiscardsYesSavesFirstAndAFailedSaveStays)
{
    const std::string other = writeChartFile("other.bms", "#TITLE Other\r\n");
    auto dropOther
        = [&] { SendMessageA(frame->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({ other })), 0); };
    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    dialogs.answerWith(pressButton(IDNO));
    dropOther();
    EXPECT_EQ("Quelmarn  " + other, caption());
    EXPECT_EQ(kChart, readFileBytes(chartPath));

    // Yes with a save that fails: the error box, and the edited chart stays.
    SetWindowTextA(control(ID_TITLE_EDIT), "Edited");
    std::filesystem::remove(other);
    std::filesystem::create_directory(other);
    dialogs.answerWith(pressButton(IDYES));
    sendCommand(*frame, ID_FILE_NEW);
    ASSERT_EQ(3u, dialogs.seen().size());
    EXPECT_EQ("ERROR", dialogs.seen()[2].caption);
    EXPECT_EQ("Edited", windowText(control(ID_TITLE_EDIT)));

    // Yes with a chart that has no file: the save dialog; cancelling it stays too.
    std::filesystem::remove(other);
    dialogs.answerWith(pressButton(IDYES));
    sendCommand(*frame, ID_FILE_NEW);
    SetWindowTextA(control(ID_TITLE_EDIT), "Fresh");
    dialogs.answerWith(pressButton(IDYES));
    dialogs.answerWith(pressButton(IDCANCEL));
    sendCommand(*frame, ID_FILE_EXIT);
    ASSERT_TRUE(IsWindow(frame->handle()));
    EXPECT_EQ("BMSファイルを保存する", dialogs.seen().back().caption);

    // Yes, and a name: saved, then the window goes and its settings are written.
    const std::string saved = scratch.file("fresh.bms");
    dialogs.answerWith(pressButton(IDYES));
    dialogs.answerWith(typeFileName(saved));
    sendCommand(*frame, ID_FILE_EXIT);
    EXPECT_FALSE(IsWindow(frame->handle()));
    EXPECT_NE(std::string::npos, readFileBytes(saved).find("#TITLE Fresh"));
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "quelmarn.ini"));
}

TEST_F(MainFrameHistoryTest, ControlKeysOfTheAcceleratorTableReachTheWindowFromAnyChild)
{
    chooseNormalisedSave();
    HACCEL accelerators = LoadAcceleratorsA(testInstance(), MAIN_ACCEL_NAME);
    auto typeInto
        = [&](HWND target, BYTE key, bool shift) { typeControlKey(*frame, accelerators, target, key, shift); };
    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    const std::string compacted = chart();
    typeInto(wavList(), 'Z', false);
    EXPECT_NE(compacted, chart());
    typeInto(control(ID_TITLE_EDIT), 'Z', true);
    EXPECT_EQ(compacted, chart());
    typeInto(wavList(), 'Z', false);
    typeInto(wavList(), 'Y', false);
    EXPECT_EQ(compacted, chart());

    typeInto(control(ID_GENRE_EDIT), 'S', false);
    EXPECT_EQ(compacted, readFileBytes(chartPath));
    typeInto(wavList(), 'N', false);
    EXPECT_EQ("Quelmarn  ", caption());
    // The keys that open dialogs are in the table too; a dialog cannot run in this loop,
    // whose quit message would end it at once.
    DestroyAcceleratorTable(accelerators);
}

TEST_F(MainFrameHistoryTest, StatusBarCountsThePageOnTopAndItsFilesAfterEveryChange)
{
    // WAV: 01, 03, 05 registered; 01 and 03 used; only kick.wav is in the folder.
    EXPECT_EQ("登録 3  使用 2  未使用 1  未登録で使用 0  ファイルなし 2", statusText());
    sendCommand(*frame, ID_EDIT_UNREGISTER_UNUSED_WAV);
    EXPECT_EQ("登録 2  使用 2  未使用 0  未登録で使用 0  ファイルなし 1", statusText());

    HWND tab = control(ID_TAB);
    NMHDR change { tab, ID_TAB, static_cast<UINT>(TCN_SELCHANGE) };
    SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    SendMessageA(frame->handle(), WM_NOTIFY, ID_TAB, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ("登録 2  使用 1  未使用 1  未登録で使用 0  ファイルなし 2", statusText());

    // A file that comes while the user is elsewhere counts once the window is back.
    writeFileBytes(scratch.file("back.png"), "PNG");
    SendMessageA(frame->handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ("登録 2  使用 1  未使用 1  未登録で使用 0  ファイルなし 1", statusText());

    // Enter on a sound whose file is missing says so beside the counts.
    SendMessageA(wavList(), LB_SETCARETINDEX, 3, FALSE);
    pressKey(wavList(), VK_RETURN);
    EXPECT_EQ("登録 2  使用 1  未使用 1  未登録で使用 0  ファイルなし 1   snare.wav が見つかりません", statusText());

    dialogs.answerWith(pressButton(IDNO));
    sendCommand(*frame, ID_FILE_NEW);
    EXPECT_EQ("登録 0  使用 0  未使用 0  未登録で使用 0  ファイルなし -", statusText());
}

} // namespace

namespace {

// A base-36 chart whose every sound row holds a name.
std::string fullBase36Chart()
{
    std::string text;
    const IndexBase base;
    for (int row = 1; row < base.rowCount(); ++row) {
        char index[3];
        text += std::string("#WAV") + base.wordAt(row).toText(index) + " s" + std::to_string(row) + ".wav\r\n";
    }
    return text;
}

} // namespace

TEST_F(MainFrameTest, ADropOnAFullListOffersBase62WithNoAsTheDefaultAndTheSwitchIsUndone)
{
    ASSERT_TRUE(frame->openChart(writeChartFile("full.bms", fullBase36Chart()).c_str()));
    HWND wav = control(ID_WAV_PAGE);
    const auto dropNew
        = [&] { SendMessageA(wav, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({ scratch.file("new.wav") })), 0); };
    int defaultId = 0;
    dialogs.answerWith([&defaultId](HWND box) {
        defaultId = defaultButton(box);
        pressButton(IDNO)(box);
    });
    dropNew();
    EXPECT_EQ(IDNO, defaultId);
    ASSERT_EQ(2u, dialogs.seen().size()); // the question, then what found no row
    EXPECT_EQ("この譜面には空いているインデックスがありません。\r\n"
              "#BASE 62に切り替えると、インデックスの大文字と小文字を区別し、3843個まで定義できます。"
              "一部の古いプレイヤーはこの譜面を読めなくなります。\r\n"
              "#BASE 62に切り替えて、残りのファイルを登録しますか？",
        dialogs.seen()[0].text);
    EXPECT_EQ(1296, SendMessageA(wav, LB_GETCOUNT, 0, 0));

    dialogs.answerWith(pressButton(IDYES));
    dropNew();
    EXPECT_EQ(3844, SendMessageA(wav, LB_GETCOUNT, 0, 0));
    EXPECT_STREQ("new.wav", document().wavTable()->get(BmsWord::keepingCase('0', 'a')));
    EXPECT_EQ("0a:new.wav", listRowName(wav, 36));

    // The registration, then the switch.
    sendCommand(*frame, ID_EDIT_UNDO);
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_FALSE(document().indexBase().isCaseSensitive());
    EXPECT_EQ(1296, SendMessageA(wav, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("", std::string(document().headerTable()->get("BASE")));
    sendCommand(*frame, ID_EDIT_REDO);
    EXPECT_EQ(3844, SendMessageA(wav, LB_GETCOUNT, 0, 0));
}
