#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/parse_result.h"
#include "gui/usage_guide.h"
#include "main_frame_fixture.h"
#include "quelmarn_version.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

const std::string kChart = "#TITLE Song\r\n"
                           "#ARTIST Someone\r\n"
                           "#WAV01 kick.wav\r\n"
                           "#WAV03 snare.wav\r\n"
                           "#BMP02 back.bmp\r\n"
                           "#00111:0103\r\n"
                           "#00104:02\r\n";

using MainFrameCreationTest = MainFrameTest;

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool hasStyle(HWND window, LONG style)
{
    return (GetWindowLongA(window, GWL_STYLE) & style) == style;
}

TEST_F(MainFrameCreationTest, BuildsPaneTabAndPagesWithWavShown)
{
    HWND window = frame->handle();
    EXPECT_EQ(WS_EX_STATICEDGE | WS_EX_ACCEPTFILES,
        GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_STATICEDGE | WS_EX_ACCEPTFILES));
    EXPECT_TRUE(hasStyle(window, WS_OVERLAPPEDWINDOW));
    EXPECT_NE(nullptr, GetMenu(window));

    // Children in creation order: background, group, five labels and edits, tab, pages.
    HWND background = GetWindow(window, GW_CHILD);
    HWND group = GetWindow(background, GW_HWNDNEXT);
    EXPECT_EQ("Static", className(background));
    EXPECT_EQ("Button", className(group));
    EXPECT_EQ("HEADERS", windowText(group));
    for (int id : { ID_TITLE_LABEL, ID_GENRE_LABEL, ID_ARTIST_LABEL, ID_BPM_LABEL, ID_TOTAL_LABEL })
        EXPECT_NE(nullptr, control(id)) << id;
    EXPECT_EQ("TITLE", windowText(control(ID_TITLE_LABEL)));

    HWND tab = control(ID_TAB);
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(2, SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    EXPECT_TRUE(hasStyle(control(ID_WAV_PAGE), WS_VISIBLE));
    EXPECT_FALSE(hasStyle(control(ID_BMP_PAGE), WS_VISIBLE));
    EXPECT_EQ(1296, SendMessageA(control(ID_BMP_PAGE), LB_GETCOUNT, 0, 0));

    // The pages and the BMP page's picture lie in front of the tab: the tab comes after
    // them in the Z order. The picture shows with the BMP page only.
    EXPECT_EQ(tab, GetWindow(control(ID_IMAGE_PREVIEW), GW_HWNDNEXT));
    EXPECT_EQ(control(ID_IMAGE_PREVIEW), GetWindow(control(ID_BMP_PAGE), GW_HWNDNEXT));
    EXPECT_EQ(control(ID_BMP_PAGE), GetWindow(control(ID_WAV_PAGE), GW_HWNDNEXT));
    EXPECT_FALSE(hasStyle(control(ID_IMAGE_PREVIEW), WS_VISIBLE));
}

TEST_F(MainFrameCreationTest, HeaderEditUpdatesAndOnlyThoseStoreStraightIntoDocument)
{
    // The edit itself sends EN_UPDATE for every change of its text.
    SetWindowTextA(control(ID_TITLE_EDIT), "Typed");
    EXPECT_STREQ("Typed", document().headerTable()->get("TITLE"));
    SetWindowTextA(control(ID_TOTAL_EDIT), "320");
    SetWindowTextA(control(ID_TOTAL_EDIT), "");
    ASSERT_NE(nullptr, document().headerTable()->find("TOTAL"));
    EXPECT_STREQ("", document().headerTable()->get("TOTAL"));

    SetWindowTextA(control(ID_GENRE_EDIT), "Pop");
    ShellState::instance().document->headerTable()->set("GENRE", "Old");
    EXPECT_EQ(NotHandled, frame->onCommand(ID_GENRE_EDIT, EN_CHANGE, control(ID_GENRE_EDIT)));
    EXPECT_STREQ("Old", document().headerTable()->get("GENRE"));
    EXPECT_EQ(0, frame->onCommand(ID_GENRE_EDIT, EN_UPDATE, control(ID_GENRE_EDIT)));
    EXPECT_STREQ("Pop", document().headerTable()->get("GENRE"));
}

class MainFrameChartTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        chartPath = writeChartFile("a.bms", kChart);
        ASSERT_TRUE(frame->openChart(chartPath.c_str()));
    }

    // Marks are MainFrameMarksTest's.
    std::string row(int pageId, int index) const { return listRowName(control(pageId), index); }
    std::string field(int editId) const { return windowText(control(editId)); }
    std::string scratchDirectory() const { return scratch.path().string() + "\\"; }

    std::string chartPath;
};

TEST_F(MainFrameChartTest, OpenShowsChartAndRemembersItsPath)
{
    EXPECT_EQ("Quelmarn  " + chartPath, caption());
    EXPECT_EQ("Song", field(ID_TITLE_EDIT));
    EXPECT_EQ("Someone", field(ID_ARTIST_EDIT));
    EXPECT_EQ("", field(ID_GENRE_EDIT));
    EXPECT_EQ("01:kick.wav", row(ID_WAV_PAGE, 1));
    EXPECT_EQ("02:", row(ID_WAV_PAGE, 2));
    EXPECT_EQ("02:back.bmp", row(ID_BMP_PAGE, 2));
    EXPECT_EQ(chartPath, ShellState::instance().fileName);
    EXPECT_EQ(scratchDirectory(), ShellState::instance().chartDirectory);
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(MainFrameChartTest, FailedOpenShowsLineAndMessageAndChangesNothing)
{
    const BmsBms* before = &document();
    const std::string bad = writeChartFile("bad.bms", "#TITLE Other\r\n#00111:0\r\n");
    EXPECT_FALSE(frame->openChart(bad.c_str()));
    expectOnlyDialog("BMSファイル解析失敗", ("line 2 : " + std::string(messageFor(kResultBadObjectData))).c_str());
    EXPECT_EQ(before, &document());
    EXPECT_EQ("Quelmarn  " + chartPath, caption());
    EXPECT_EQ("Song", field(ID_TITLE_EDIT));
    EXPECT_EQ("01:kick.wav", row(ID_WAV_PAGE, 1));
    EXPECT_EQ(chartPath, ShellState::instance().fileName);
    EXPECT_EQ(scratchDirectory(), ShellState::instance().chartDirectory);
}

TEST_F(MainFrameChartTest, OpeningMissingFileReportsCodeFourWithPreviousLine)
{
    lastParseResult().line = 7;
    EXPECT_FALSE(frame->openChart(scratch.file("missing.bms").c_str()));
    expectOnlyDialog("BMSファイル解析失敗", "line 7 : ファイルが開けませんでした。");
}

TEST_F(MainFrameChartTest, NewEmptiesDocumentAndNameButKeepsDirectory)
{
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_NEW));
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ("Quelmarn  ", caption());
    EXPECT_EQ("", field(ID_TITLE_EDIT));
    EXPECT_EQ("01:", row(ID_WAV_PAGE, 1));
    EXPECT_EQ("02:", row(ID_BMP_PAGE, 2));
    EXPECT_EQ(0, document().headerTable()->count());
    EXPECT_STREQ("", ShellState::instance().fileName);
    EXPECT_EQ(scratchDirectory(), ShellState::instance().chartDirectory);
}

TEST_F(MainFrameChartTest, OpenCommandOpensPathTypedIntoRealDialogAndCancelChangesNothing)
{
    const BmsBms* before = &document();
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_OPEN));
    expectOnlyDialog("BMSファイルを開く");
    EXPECT_EQ(before, &document());
    EXPECT_EQ("Quelmarn  " + chartPath, caption());

    const std::string other = writeChartFile("other.bms", "#TITLE Other\r\n#WAV0Z z.wav\r\n");
    dialogs.answerWith(typeFileName(other));
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_OPEN));
    EXPECT_EQ(2u, dialogs.seen().size());
    EXPECT_EQ("Quelmarn  " + other, caption());
    EXPECT_EQ("Other", field(ID_TITLE_EDIT));
    EXPECT_EQ("0Z:z.wav", row(ID_WAV_PAGE, 35));
}

TEST_F(MainFrameChartTest, SaveWithFileNameWritesThereWithoutDialog)
{
    chooseNormalisedSave();
    SetWindowTextA(control(ID_GENRE_EDIT), "Rock");
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));

    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(chartText(document()), readFileBytes(chartPath));
    EXPECT_NE(std::string::npos, readFileBytes(chartPath).find("#GENRE Rock\r\n"));
}

TEST_F(MainFrameChartTest, OpenAndSaveKeepHeadersAsRead)
{
    chooseNormalisedSave();
    const std::string longTitle(300, 't');
    const std::string text = "#TITLE " + longTitle + "\r\n#BPM 150\r\n";
    const std::string path = writeChartFile("long.bms", text);
    ASSERT_TRUE(frame->openChart(path.c_str()));
    ASSERT_TRUE(frame->saveChart(path.c_str()));

    std::unique_ptr<BmsBms> asRead;
    ASSERT_TRUE(BmsReader().readBytes(text, asRead));
    EXPECT_EQ(chartText(*asRead), readFileBytes(path));
    EXPECT_EQ(longTitle, document().headerTable()->get("TITLE"));
    EXPECT_EQ(nullptr, document().headerTable()->find("GENRE"));
}

TEST_F(MainFrameChartTest, SaveWithoutFileNameAsksForPath)
{
    sendCommand(*frame, ID_FILE_NEW);
    const std::string target = scratch.file("new.bms");
    dialogs.answerWith(typeFileName(target));
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    expectOnlyDialog("BMSファイルを保存する");
    EXPECT_EQ(chartText(document()), readFileBytes(target));
    EXPECT_EQ(target, ShellState::instance().fileName);
    EXPECT_EQ("Quelmarn  " + target, caption());
}

TEST_F(MainFrameChartTest, SaveAsWritesChosenPathAndRemembersIt)
{
    chooseNormalisedSave();
    std::filesystem::create_directory(scratch.path() / "copies");
    const std::string target = scratch.file("copies\\b.bms");
    dialogs.answerWith(typeFileName(target));
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE_AS));
    expectOnlyDialog("BMSファイルを保存する");
    EXPECT_EQ(chartText(document()), readFileBytes(target));
    EXPECT_EQ(kChart, readFileBytes(chartPath));
    EXPECT_EQ(target, ShellState::instance().fileName);
    EXPECT_EQ(scratchDirectory() + "copies\\", ShellState::instance().chartDirectory);
    EXPECT_EQ("Quelmarn  " + target, caption());
}

namespace {

std::string saveFailure(const std::string& path, const char* reason)
{
    return "BMSファイルの保存に失敗しました。\r\n\r\n" + path + "\r\n" + reason
        + "\r\nファイルは元のままです。\r\n\r\n別の名前で保存しますか？";
}

// Presses and releases the mouse button over a row of a list, as a click does.
void clickRow(HWND list, int row)
{
    RECT item {};
    SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(list, WM_LBUTTONUP, 0, point);
}

void dropOn(HWND window, const std::vector<std::string>& paths)
{
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(paths)), 0);
}

} // namespace

TEST_F(MainFrameChartTest, AfterOpeningADropStartsAtTheClickedRow)
{
    MoveWindow(frame->handle(), 0, 0, 600, 400, TRUE);
    const std::string other = writeChartFile("other.bms", "#WAV01 a.wav\r\n#WAV06 f.wav\r\n");
    ASSERT_TRUE(frame->openChart(other.c_str()));
    clickRow(control(ID_WAV_PAGE), 4);
    dropOn(control(ID_WAV_PAGE), { scratch.file("x.wav"), scratch.file("y.wav"), scratch.file("z.wav") });
    EXPECT_TRUE(dialogs.seen().empty());
    const BmsRegistArray& wav = *document().wavTable();
    EXPECT_EQ(std::string("x.wav") + "y.wav" + "f.wav" + "z.wav",
        std::string(wav.get(BmsWord("04"))) + wav.get(BmsWord("05")) + wav.get(BmsWord("06")) + wav.get(BmsWord("07")));
}

TEST_F(MainFrameChartTest, ADropPassesOverRowsUsedWithoutADefinitionAndSaysHowMany)
{
    const std::string silent = writeChartFile("silent.bms", "#WAV01 a.wav\r\n#00111:0102030004\r\n");
    ASSERT_TRUE(frame->openChart(silent.c_str()));
    SendMessageA(control(ID_WAV_PAGE), LB_SETCARETINDEX, 1, FALSE);
    dropOn(control(ID_WAV_PAGE), { scratch.file("x.wav"), scratch.file("y.wav") });
    expectOnlyDialog("Quelmarn", "3個の行は未登録で使用されているため、飛ばしました。");
    const BmsRegistArray& wav = *document().wavTable();
    EXPECT_FALSE(wav.has(BmsWord("02")) || wav.has(BmsWord("03")) || wav.has(BmsWord("04")));
    EXPECT_STREQ("x.wav", wav.get(BmsWord("05")));
    EXPECT_STREQ("y.wav", wav.get(BmsWord("06")));
}

TEST_F(MainFrameChartTest, DropsWhileABoxIsOpenAreRefused)
{
    const std::string next = writeChartFile("next.bms", "#TITLE Next\r\n");
    dialogs.answerWith([&](HWND box) {
        dropOn(control(ID_WAV_PAGE), { scratch.file("x.wav") });
        dropOn(frame->handle(), { next });
        pressButton(IDOK)(box);
    });
    sendCommand(*frame, ID_HELP_USAGE);
    EXPECT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("Quelmarn  " + chartPath, caption());
    EXPECT_FALSE(document().wavTable()->has(BmsWord("02")));
}

TEST_F(MainFrameChartTest, ADroppedPathTooLongToTakeIsNamedInABox)
{
    const std::string tooLong = "C:\\" + std::string(300, 'd') + ".bms";
    const std::string notice = "次のファイルはパスが長すぎるため、扱えませんでした:\r\n    " + tooLong;
    dropOn(frame->handle(), { tooLong });
    expectOnlyDialog("Quelmarn", notice.c_str());
    EXPECT_EQ("Quelmarn  " + chartPath, caption());

    SendMessageA(control(ID_WAV_PAGE), LB_SETCARETINDEX, 2, FALSE);
    dropOn(control(ID_WAV_PAGE), { tooLong, scratch.file("x.wav") });
    ASSERT_EQ(2u, dialogs.seen().size());
    EXPECT_EQ(notice, dialogs.seen()[1].text);
    EXPECT_STREQ("x.wav", document().wavTable()->get(BmsWord("02")));
}

TEST_F(MainFrameChartTest, FailedSaveNamesTheFileAndWhyAndNoKeepsNamesAndHistory)
{
    SetWindowTextA(control(ID_TITLE_EDIT), "Changed");
    const std::string gone = scratch.file("missing\\c.bms");
    EXPECT_FALSE(frame->saveChart(gone.c_str()));
    expectOnlyDialog("ERROR", saveFailure(gone, "保存先のフォルダが見つかりません。").c_str());
    EXPECT_EQ(chartPath, ShellState::instance().fileName);
    EXPECT_EQ(scratchDirectory(), ShellState::instance().chartDirectory);
    EXPECT_TRUE(frame->history().isModified());
}

TEST_F(MainFrameChartTest, AReadOnlyFileStaysAsItWasAndYesSavesAsAnotherFile)
{
    SetWindowTextA(control(ID_TITLE_EDIT), "Changed");
    ASSERT_TRUE(SetFileAttributesA(chartPath.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string copy = scratch.file("copy.bms");
    dialogs.answerWith(pressButton(IDYES));
    dialogs.answerWith(typeFileName(copy));
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    SetFileAttributesA(chartPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(2u, dialogs.seen().size());
    EXPECT_EQ("ERROR", dialogs.seen()[0].caption);
    EXPECT_EQ(saveFailure(chartPath, "ファイルが読み取り専用です。"), dialogs.seen()[0].text);
    EXPECT_EQ("BMSファイルを保存する", dialogs.seen()[1].caption);
    EXPECT_EQ(kChart, readFileBytes(chartPath));
    EXPECT_NE(std::string::npos, readFileBytes(copy).find("#TITLE Changed"));
    EXPECT_EQ(copy, ShellState::instance().fileName);
    EXPECT_FALSE(frame->history().isModified());
}

TEST_F(MainFrameChartTest, DropOpensOnlyItsFirstFileAndAFailingOneShowsOneBox)
{
    const std::string second = writeChartFile("second.bms", "#TITLE Second\r\n");
    auto drop = [&](const std::vector<std::string>& paths) {
        SendMessageA(frame->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(paths)), 0);
    };
    drop({ scratch.file("missing.bms"), second });
    expectOnlyDialog("BMSファイル解析失敗");
    EXPECT_EQ("Quelmarn  " + chartPath, caption());

    const std::string first = writeChartFile("first.bms", "#TITLE First\r\n");
    drop({ first, second, scratch.file("third.bms") });
    EXPECT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("Quelmarn  " + first, caption());
    EXPECT_EQ("First", field(ID_TITLE_EDIT));
}

TEST_F(MainFrameChartTest, AChartDroppedOnAListIsOpenedAndShownFromTheTop)
{
    SendMessageA(control(ID_WAV_PAGE), LB_SETTOPINDEX, 600, 0);
    SendMessageA(control(ID_WAV_PAGE), LB_SETCARETINDEX, 700, 0);
    const std::string next = writeChartFile("next.BMS", "#TITLE Next\r\n");
    SendMessageA(control(ID_WAV_PAGE), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({ "C:\\x.wav", next })), 0);
    EXPECT_EQ("Quelmarn  " + next, caption());
    EXPECT_FALSE(document().wavTable()->has(BmsWord(1)));
    EXPECT_EQ(0, SendMessageA(control(ID_WAV_PAGE), LB_GETTOPINDEX, 0, 0));
    EXPECT_EQ(0, SendMessageA(control(ID_WAV_PAGE), LB_GETCARETINDEX, 0, 0));
}

TEST_F(MainFrameChartTest, EditingCommandsActOnTheirPages)
{
    // WAV 02 is free and 03 follows: compacting moves 03 to 02 with its reference.
    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    EXPECT_EQ("02:snare.wav", row(ID_WAV_PAGE, 2));
    EXPECT_EQ("03:", row(ID_WAV_PAGE, 3));
    EXPECT_EQ("01:", row(ID_BMP_PAGE, 1));

    // BMP 02 is used by channel 04; 05 is not.
    ShellState::instance().document->bmpTable()->set(BmsWord(5), "unused.bmp");
    sendCommand(*frame, ID_EDIT_UNREGISTER_UNUSED_BMP);
    EXPECT_EQ("02:back.bmp", row(ID_BMP_PAGE, 2));
    EXPECT_FALSE(document().bmpTable()->has(BmsWord(5)));

    sendCommand(*frame, ID_EDIT_COMPACT_BMP);
    EXPECT_EQ("01:back.bmp", row(ID_BMP_PAGE, 1));

    ShellState::instance().document->wavTable()->set(BmsWord(9), "spare.wav");
    sendCommand(*frame, ID_EDIT_UNREGISTER_UNUSED_WAV);
    EXPECT_FALSE(document().wavTable()->has(BmsWord(9)));
    EXPECT_TRUE(document().wavTable()->has(BmsWord(1)));

    // Swapping acts on the page of the selected tab.
    SendMessageA(control(ID_WAV_PAGE), LB_SETSEL, FALSE, -1);
    SendMessageA(control(ID_WAV_PAGE), LB_SETSEL, TRUE, 1);
    SendMessageA(control(ID_WAV_PAGE), LB_SETSEL, TRUE, 2);
    sendCommand(*frame, ID_EDIT_SWAP_TOP_TWO);
    EXPECT_EQ("01:snare.wav", row(ID_WAV_PAGE, 1));
    EXPECT_EQ("02:kick.wav", row(ID_WAV_PAGE, 2));
}

TEST_F(MainFrameChartTest, CompactingCarriesTheLongNoteEnd)
{
    ASSERT_TRUE(frame->openChart(testDataPath("play/long_notes.bms").c_str()));
    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    EXPECT_STREQ("05", document().headerTable()->get("LNOBJ"));
    EXPECT_STREQ("end.wav", document().wavTable()->get(BmsWord("06")));
}

using MainFrameSaveQuestionTest = MainFrameTest;

const std::string kRandomChart = "#RANDOM 2\r\n"
                                 "#IF 1\r\n"
                                 "#WAV01 one.wav\r\n"
                                 "#ENDIF\r\n"
                                 "#00111:01\r\n";

TEST_F(MainFrameSaveQuestionTest, ChartWithControlFlowIsSavedOnlyAfterYesWhichIsNotTheDefault)
{
    chooseNormalisedSave();
    const std::string path = writeChartFile("random.bms", kRandomChart);
    ASSERT_TRUE(frame->openChart(path.c_str()));

    int defaultId = 0;
    dialogs.answerWith([&defaultId](HWND box) {
        defaultId = defaultButton(box);
        pressButton(IDNO)(box);
    });
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    expectOnlyDialog("確認",
        "この譜面を正規化して保存すると、次の内容が正しく保たれません。\r\n"
        "・1行目: #RANDOM（#RANDOM/#IFなどの制御構文）\r\n"
        "・4行目: #ENDIF（保存されない行）\r\n"
        "すべての分岐の定義と配置が1つにまとめられ、分岐ごとの違いは失われます。\r\n"
        "「ファイル」メニューの「レイアウトを保って保存」を選ぶと、譜面の記述を保ったまま保存できます。\r\n"
        "保存しますか？");
    EXPECT_EQ(IDNO, defaultId);
    EXPECT_EQ(kRandomChart, readFileBytes(path));

    // No also leaves the names alone when the path was new.
    dialogs.answerWith(pressButton(IDNO));
    EXPECT_FALSE(frame->saveChart(scratch.file("elsewhere.bms").c_str()));
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "elsewhere.bms"));
    EXPECT_EQ(path, ShellState::instance().fileName);

    dialogs.answerWith(pressButton(IDYES));
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    EXPECT_EQ(3u, dialogs.seen().size());
    EXPECT_EQ(chartText(document()), readFileBytes(path));
}

TEST_F(MainFrameSaveQuestionTest, ABase62ChartOpensWithItsRowsAndIsSavedWithItsCaseWithoutAQuestion)
{
    const std::string text = "#BASE 62\r\n#WAVAa a.wav\r\n#WAVAA b.wav\r\n#WAVaA c.wav\r\n#WAV01 d.wav\r\n";
    const std::string path = writeChartFile("base62.bms", text);
    ASSERT_TRUE(frame->openChart(path.c_str()));
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(3844, SendMessageA(control(ID_WAV_PAGE), LB_GETCOUNT, 0, 0));
    EXPECT_EQ("AA:b.wav", listRowName(control(ID_WAV_PAGE), 10 * 62 + 10));
    EXPECT_EQ("Aa:a.wav", listRowName(control(ID_WAV_PAGE), 10 * 62 + 36));
    EXPECT_EQ("aA:c.wav", listRowName(control(ID_WAV_PAGE), 36 * 62 + 10));
    EXPECT_EQ("zz:", listRowName(control(ID_WAV_PAGE), 3843));

    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    EXPECT_TRUE(dialogs.seen().empty());
    const std::string saved = readFileBytes(path);
    EXPECT_LT(saved.find("#BASE 62"), saved.find("#WAVaA c.wav"));

    // Another chart brings its own rows.
    ASSERT_TRUE(frame->openChart(writeChartFile("base36.bms", "#WAV01 d.wav\r\n").c_str()));
    EXPECT_EQ(1296, SendMessageA(control(ID_WAV_PAGE), LB_GETCOUNT, 0, 0));
}

TEST_F(MainFrameSaveQuestionTest, NamesEveryLineWhoseObjectsOrLengthASaveWouldMove)
{
    chooseNormalisedSave();
    const std::string chart = readFileBytes(testDataPath("play/short_measure.bms"));
    const std::string path = writeChartFile("short.bms", chart + "#00302:0.1\r\n");
    ASSERT_TRUE(frame->openChart(path.c_str()));
    dialogs.answerWith(pressButton(IDNO));
    EXPECT_FALSE(frame->saveChart(path.c_str()));
    expectOnlyDialog("確認",
        "この譜面を正規化して保存すると、次の内容が正しく保たれません。\r\n"
        "・7行目: #00111（刻みに乗らないオブジェ）\r\n"
        "・9行目: #00302:0.1（刻みの整数倍でない小節長）\r\n"
        "「ファイル」メニューの「レイアウトを保って保存」を選ぶと、譜面の記述を保ったまま保存できます。\r\n"
        "保存しますか？");
}

TEST_F(MainFrameSaveQuestionTest, ListsCommentsAndKeysWithoutValueWithTheOtherLinesByNumber)
{
    chooseNormalisedSave();
    const std::string chart = "*---- HEADER FIELD\r\n#TITLE t\r\n#RANDOM 2\r\n#ENDRANDOM\r\n"
                              "; "
        + std::string(60, 'n') + "\r\n#00111:01\r\n";
    const std::string path = writeChartFile("comments.bms", chart);
    ASSERT_TRUE(frame->openChart(path.c_str()));
    dialogs.answerWith(pressButton(IDNO));
    EXPECT_FALSE(frame->saveChart(path.c_str()));
    expectOnlyDialog("確認",
        ("この譜面を正規化して保存すると、次の内容が正しく保たれません。\r\n"
         "・1行目: *---- HEADER FIELD（保存されない行）\r\n"
         "・3行目: #RANDOM（#RANDOM/#IFなどの制御構文）\r\n"
         "・4行目: #ENDRANDOM（保存されない行）\r\n"
         "・5行目: ; "
            + std::string(38, 'n')
            + "…（保存されない行）\r\n"
              "すべての分岐の定義と配置が1つにまとめられ、分岐ごとの違いは失われます。\r\n"
              "「ファイル」メニューの「レイアウトを保って保存」を選ぶと、譜面の記述を保ったまま保存できます。\r\n"
              "保存しますか？")
            .c_str());
    EXPECT_EQ(chart, readFileBytes(path));
}

using MainFrameKeepLayoutTest = MainFrameTest;

TEST_F(MainFrameKeepLayoutTest, ByDefaultTheChartsTextAndItsControlFlowAreKeptWithoutAsking)
{
    const std::string path = writeChartFile("random.bms",
        "; a comment\r\n#TITLE Old\r\n#RANDOM 2\r\n#IF 1\r\n#WAV03 one.wav\r\n#ENDIF\r\n#WAV01 "
        "a.wav\r\n#00111:0301\r\n");
    ASSERT_TRUE(frame->openChart(path.c_str()));
    EXPECT_TRUE(frame->keepsLayout());
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED),
        GetMenuState(GetMenu(frame->handle()), ID_FILE_KEEP_LAYOUT, MF_BYCOMMAND) & MF_CHECKED);

    sendCommand(*frame, ID_EDIT_COMPACT_WAV);
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ("; a comment\r\n#TITLE Old\r\n#RANDOM 2\r\n#IF 1\r\n#WAV02 one.wav\r\n#ENDIF\r\n#WAV01 "
              "a.wav\r\n#00111:0201\r\n",
        readFileBytes(path));

    // The saved text is what the next save keeps: only the edited field changes.
    SetWindowTextA(control(ID_TITLE_EDIT), "New");
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_SAVE));
    EXPECT_EQ("; a comment\r\n#TITLE New\r\n#RANDOM 2\r\n#IF 1\r\n#WAV02 one.wav\r\n#ENDIF\r\n#WAV01 "
              "a.wav\r\n#00111:0201\r\n",
        readFileBytes(path));

    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_KEEP_LAYOUT));
    EXPECT_FALSE(frame->keepsLayout());
    EXPECT_EQ(0u, GetMenuState(GetMenu(frame->handle()), ID_FILE_KEEP_LAYOUT, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MainFrameKeepLayoutTest, ABase62ChartIsSavedAsWrittenWithoutAQuestion)
{
    const std::string text = "#WAV0a a.wav\r\n#WAV0A b.wav\r\n#BASE 62\r\n";
    const std::string path = writeChartFile("base62.bms", text);
    ASSERT_TRUE(frame->openChart(path.c_str()));
    EXPECT_TRUE(frame->saveChart(path.c_str()));
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(text, readFileBytes(path));
}

TEST_F(MainFrameKeepLayoutTest, ANewChartIsSavedNormalisedFirst)
{
    sendCommand(*frame, ID_FILE_NEW);
    SetWindowTextA(control(ID_TITLE_EDIT), "Fresh");
    const std::string path = scratch.file("new.bms");
    ASSERT_TRUE(frame->saveChart(path.c_str()));
    EXPECT_EQ(chartText(document()), readFileBytes(path));
}

using MainFrameLayoutTest = MainFrameTest;

TEST_F(MainFrameLayoutTest, TabSelectionShowsItsPage)
{
    HWND tab = control(ID_TAB);
    NMHDR change { tab, ID_TAB, static_cast<UINT>(TCN_SELCHANGE) };
    for (int page : { 1, 0 }) {
        SendMessageA(tab, TCM_SETCURSEL, page, 0);
        EXPECT_EQ(0, SendMessageA(frame->handle(), WM_NOTIFY, ID_TAB, reinterpret_cast<LPARAM>(&change))) << page;
        EXPECT_EQ(page, ShellState::instance().currentPage);
        EXPECT_EQ(page == 0, hasStyle(control(ID_WAV_PAGE), WS_VISIBLE)) << page;
        EXPECT_EQ(page == 1, hasStyle(control(ID_BMP_PAGE), WS_VISIBLE)) << page;
    }
}

TEST_F(MainFrameLayoutTest, SizeSplitsClientBetweenPaneAndTabAndANarrowOneLeavesTabWithoutWidth)
{
    EXPECT_EQ(0, SendMessageA(frame->handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400)));
    // The status bar keeps to the bottom of the window's client; pane and tab take the
    // height above it.
    const RECT status = rectInParent(control(ID_STATUS_BAR));
    RECT client {};
    GetClientRect(frame->handle(), &client);
    EXPECT_EQ(client.bottom, status.bottom);
    const int top = 400 - (status.bottom - status.top);
    EXPECT_EQ("0,0,200," + std::to_string(top), corners(rectInParent(GetWindow(frame->handle(), GW_CHILD))));
    EXPECT_EQ("200,0,600," + std::to_string(top), corners(rectInParent(control(ID_TAB))));

    RECT area {};
    GetClientRect(control(ID_TAB), &area);
    SendMessageA(control(ID_TAB), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const RECT expected { area.left + 200, area.top, area.right + 200, area.bottom };
    EXPECT_EQ(corners(expected), corners(rectInParent(control(ID_WAV_PAGE))));
    // The BMP page shares its area with the picture below it.
    const RECT bmp = rectInParent(control(ID_BMP_PAGE));
    const RECT preview = rectInParent(control(ID_IMAGE_PREVIEW));
    EXPECT_EQ(corners(expected), corners({ bmp.left, bmp.top, preview.right, preview.bottom }));
    EXPECT_EQ(bmp.bottom, preview.top);
    EXPECT_EQ(bmp.left, preview.left);
    EXPECT_GT(preview.bottom - preview.top, (expected.bottom - expected.top) / 3);

    // The header fields keep their places.
    EXPECT_EQ("5,30,190,50", corners(rectInParent(control(ID_TITLE_EDIT))));

    // A client narrower than the pane leaves the tab without width.
    EXPECT_EQ(0, SendMessageA(frame->handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 300)));
    EXPECT_EQ("0,0,200," + std::to_string(top - 100), corners(rectInParent(GetWindow(frame->handle(), GW_CHILD))));
    const RECT tab = rectInParent(control(ID_TAB));
    EXPECT_EQ(200, tab.left);
    EXPECT_LE(tab.right - tab.left, 0);
    EXPECT_TRUE(IsWindow(control(ID_WAV_PAGE)));
}

using MainFrameHelpTest = MainFrameTest;

// The tests' executable has no guide beside it, as an editor built from source has none:
// the box says so and where the guide is (opening a guide would start another program).
TEST_F(MainFrameHelpTest, UsageShowsInformationBox)
{
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    EXPECT_EQ(0, sendCommand(*frame, ID_HELP_USAGE));
    expectOnlyDialog("使い方は", usageGuideMessage(usageGuidePath(modulePath), false).c_str());
}

TEST_F(MainFrameHelpTest, VersionDialogClosesOnCloseEnterAndEsc)
{
    struct Observed {
        bool ownerDisabled = false;
        bool survivedCommands = false;
        bool hasIcon = false;
        std::vector<std::string> texts;
    } observed;
    HWND owner = frame->handle();
    dialogs.answerWith([&](HWND dialog) {
        observed.ownerDisabled = !IsWindowEnabled(owner);
        HWND icon = GetWindow(dialog, GW_CHILD);
        observed.hasIcon = SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        for (HWND text = GetWindow(icon, GW_HWNDNEXT); text; text = GetWindow(text, GW_HWNDNEXT))
            observed.texts.push_back(windowText(text));
        SendMessageA(dialog, WM_COMMAND, 1234, 0);
        observed.survivedCommands = IsWindow(dialog) && IsWindowVisible(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, sendCommand(*frame, ID_HELP_VERSION));
    expectOnlyDialog("Version Information");
    EXPECT_TRUE(observed.ownerDisabled);
    EXPECT_TRUE(observed.survivedCommands);
    EXPECT_TRUE(observed.hasIcon);
    EXPECT_EQ((std::vector<std::string> { "Quelmarn", QUELMARN_VERSION }), observed.texts);
    EXPECT_TRUE(IsWindowEnabled(owner));

    // The keys reach the dialog as the commands of the buttons it does not have.
    for (int id : { IDOK, IDCANCEL }) {
        dialogs.answerWith([id](HWND dialog) { PostMessageA(dialog, WM_COMMAND, id, 0); });
        EXPECT_EQ(0, sendCommand(*frame, ID_HELP_VERSION)) << id;
    }
    EXPECT_EQ(3u, dialogs.seen().size());
}

TEST_F(MainFrameHelpTest, ExitDestroysWindow)
{
    EXPECT_EQ(0, sendCommand(*frame, ID_FILE_EXIT));
    EXPECT_FALSE(IsWindow(frame->handle()));
}

} // namespace
