#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "editing/index_base_switch.h"
#include "gui/list_set.h"
#include "gui/shell_state.h"
#include "gui/window/window_proc.h"
#include "main_frame_fixture.h"
#include "support/chart_building.h"
#include "test_windows.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

std::vector<std::string> playedPaths;
void recordPlay(const char* path)
{
    playedPaths.emplace_back(path);
}

int rowOf(const char* index)
{
    return IndexBase().rowOf(BmsWord(index));
}

// A host that runs the page's edits at once and notes what the page asks of it.
class RecordingHost : public PageHost {
public:
    void openDroppedChart(const char* path) override { opened.emplace_back(path); }
    void runEdit(ListSet&, const std::function<void()>& operation) override
    {
        ++edits;
        operation();
    }
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    bool offerBase62() override
    {
        ++base62Offers;
        return answerBase62 && answerBase62();
    }

    std::vector<std::string> opened;
    std::vector<std::string> statuses;
    int edits = 0;
    int base62Offers = 0;
    std::function<bool()> answerBase62;
};

class ListSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        ShellState::instance().reset();
        playedPaths.clear();
        ASSERT_TRUE(wav.create(&parent, 1051, testInstance()));
        ASSERT_TRUE(bmp.create(&parent, 1052, testInstance()));
        wav.setSoundPlayer(&recordPlay);
        bmp.setSoundPlayer(&recordPlay);
    }
    void TearDown() override { ShellState::instance().reset(); }

    static void selectRows(ListSet& page, std::initializer_list<int> rows)
    {
        for (int row : rows)
            SendMessageA(page.handle(), LB_SETSEL, TRUE, row);
    }
    static void setCaret(ListSet& page, int row) { SendMessageA(page.handle(), LB_SETCARETINDEX, row, FALSE); }
    static std::string rowText(ListSet& page, const char* index) { return listRowText(page.handle(), rowOf(index)); }

    BmsBms document;
    ListExchanger plan;
    TestParent parent;
    ListSet wav { document, kKindWav, plan };
    ListSet bmp { document, kKindBmp, plan };
    DialogWatcher dialogs;
};

TEST_F(ListSetTest, PageIsASubclassedExtendedSelectionListOf1296RowsThatAcceptsFiles)
{
    BmsBms filled;
    filled.wavTable()->set(BmsWord("01"), "a.wav");
    filled.bmpTable()->set(BmsWord("ZZ"), "z.bmp");
    ListSet page(filled, kKindWav, plan);
    ASSERT_TRUE(page.create(&parent, 1051, testInstance()));

    EXPECT_EQ(GetWindowLongPtrA(page.handle(), GWL_EXSTYLE) & 0x210, 0x210);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(page.handle(), GWL_STYLE)) & (0x201901 | WS_CHILD),
        static_cast<DWORD>(0x201901 | WS_CHILD));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(page.handle(), GWLP_WNDPROC)), &TtWndProc);
    ASSERT_EQ(SendMessageA(page.handle(), LB_GETCOUNT, 0, 0), 1296);
    for (const char* row : { "00:", "01:a.wav", "0A:", "ZZ:" })
        EXPECT_EQ(rowText(page, std::string(row, 2).c_str()), row);
    EXPECT_STREQ(page.table().name(), "WAV");
    EXPECT_STREQ(bmp.table().name(), "BMP");
}

TEST_F(ListSetTest, RowsFollowANewDocumentAndNoRowStaysSelected)
{
    selectRows(wav, { 3, 4 });
    selectRows(bmp, { 5 });
    BmsBms next;
    next.wavTable()->set(BmsWord("01"), "new.wav");
    next.bmpTable()->set(BmsWord("02"), "pic.bmp");
    RowMarks marks;
    marks.marks[2] = kMarkUnregistered;
    wav.showDocument(next, marks);
    bmp.showDocument(next, RowMarks {});

    EXPECT_EQ(&wav.document(), &next);
    EXPECT_EQ(SendMessageA(wav.handle(), LB_GETCOUNT, 0, 0), 1296);
    EXPECT_EQ(rowText(wav, "01") + rowText(wav, "02"), "01:new.wav02:  (未登録)");
    EXPECT_EQ(rowText(bmp, "01") + rowText(bmp, "02"), "01:02:pic.bmp");
    EXPECT_THAT(selectedRows(wav.handle()), IsEmpty());
    EXPECT_THAT(selectedRows(bmp.handle()), IsEmpty());
}

TEST_F(ListSetTest, ReplacingEveryRowKeepsTheViewTheCaretAndTheAnchor)
{
    selectRows(wav, { 645 });
    SendMessageA(wav.handle(), LB_SETTOPINDEX, 600, 0);
    wav.setCaretAndAnchor(640);
    const auto top = SendMessageA(wav.handle(), LB_GETTOPINDEX, 0, 0);
    document.wavTable()->set(BmsWord("HS"), "moved.wav");
    wav.refreshAll();

    EXPECT_EQ(rowText(wav, "HS"), "HS:moved.wav");
    EXPECT_EQ(SendMessageA(wav.handle(), LB_GETTOPINDEX, 0, 0), top);
    EXPECT_EQ(wav.caretIndex(), 640);
    EXPECT_EQ(SendMessageA(wav.handle(), LB_GETANCHORINDEX, 0, 0), 640);
    EXPECT_THAT(selectedRows(wav.handle()), IsEmpty());
}

TEST_F(ListSetTest, ADropThatFindsNoFreeRowIsOfferedBase62AndGoesOnInItsRows)
{
    RecordingHost host;
    wav.setHost(&host);
    for (int row = 1; row < IndexBase().rowCount(); ++row)
        document.wavTable()->set(IndexBase().wordAt(row), "full.wav");
    wav.refreshAll();
    setCaret(wav, 1);
    const auto dropOnWav = [&](const std::vector<std::string>& paths) {
        SendMessageA(wav.handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(paths)), 0);
    };
    // Declined: nothing changes, and the box says what found no row.
    dropOnWav({ "C:\\a.wav" });
    EXPECT_EQ(host.base62Offers, 1);
    EXPECT_EQ(SendMessageA(wav.handle(), LB_GETCOUNT, 0, 0), 1296);
    ASSERT_EQ(dialogs.seen().size(), 1u);

    host.answerBase62 = [&] {
        const bool switched = switchIndexBase(document, 62).switched;
        wav.refreshAll();
        return switched;
    };
    dropOnWav({ "C:\\a.wav", "C:\\b.wav" });
    EXPECT_EQ(host.base62Offers, 2);
    EXPECT_EQ(SendMessageA(wav.handle(), LB_GETCOUNT, 0, 0), 3844);
    EXPECT_STREQ(document.wavTable()->get(BmsWord::keepingCase('0', 'a')), "a.wav");
    EXPECT_STREQ(document.wavTable()->get(BmsWord::keepingCase('0', 'b')), "b.wav");
    EXPECT_EQ(listRowText(wav.handle(), 37), "0b:b.wav");
    EXPECT_EQ(dialogs.seen().size(), 1u);
}

TEST_F(ListSetTest, RowOfANameTooLongForTheBufferIsCutToFit)
{
    document.wavTable()->set(BmsWord("01"), std::string(300, 'n').c_str());
    wav.refreshRow(1);
    EXPECT_EQ(rowText(wav, "01"), "01:" + std::string(256, 'n'));

    if (!ansiCodePageIs932())
        GTEST_SKIP() << "double-byte texts need the ANSI code page 932";
    // 257 bytes: "x" and 128 characters of two bytes; the last one would not fit whole.
    std::string name = "x";
    for (int i = 0; i < 128; ++i)
        name += "\x95\x5C";
    document.wavTable()->set(BmsWord("02"), name.c_str());
    wav.refreshRow(2);
    EXPECT_EQ(rowText(wav, "02"), "02:" + name.substr(0, 255));
}

TEST_F(ListSetTest, EnterPlaysTheFileAPlayerFindsForTheWavCaretRowAndIsConsumedOnTheBmpPage)
{
    document.bmpTable()->set(BmsWord("00"), "back.bmp");
    setCaret(bmp, 0);
    EXPECT_EQ(pressKey(bmp.handle(), VK_RETURN), 0);
    EXPECT_THAT(playedPaths, IsEmpty());

    ScratchDirectory scratch;
    writeFileBytes(scratch.file("kick.ogg"), readFileBytes(testDataPath("media/tone.ogg")));
    writeFileBytes(scratch.file("Snare.WAV"), readFileBytes(testDataPath("media/tone.wav")));
    const std::string directory = scratch.path().string() + "\\";
    std::snprintf(ShellState::instance().chartDirectory, ShellState::kNameSize, "%s", directory.c_str());
    document.wavTable()->set(BmsWord("05"), "kick.wav");
    document.wavTable()->set(BmsWord("06"), "snare.wav");
    for (int row : { 5, 6, 7 }) {
        setCaret(wav, row);
        EXPECT_EQ(pressKey(wav.handle(), VK_RETURN), 0) << row;
    }
    // Under another extension and in another case, as players find them; an empty row
    // plays nothing.
    EXPECT_THAT(playedPaths, ElementsAre(directory + "kick.ogg", directory + "Snare.WAV"));
}

TEST_F(ListSetTest, EnterOnAWavWhoseFileIsNotThereTellsTheHostInsteadOfPlaying)
{
    RecordingHost host;
    wav.setHost(&host);
    ScratchDirectory scratch;
    writeFileBytes(scratch.file("here.wav"), "RIFF");
    std::snprintf(
        ShellState::instance().chartDirectory, ShellState::kNameSize, "%s\\", scratch.path().string().c_str());
    document.wavTable()->set(BmsWord("01"), "here.wav");
    document.wavTable()->set(BmsWord("02"), "gone.wav");
    for (int row : { 1, 2, 3 }) {
        setCaret(wav, row);
        pressKey(wav.handle(), VK_RETURN);
    }
    EXPECT_EQ(playedPaths.size(), 1u);
    EXPECT_THAT(host.statuses, ElementsAre("gone.wav が見つかりません"));
}

TEST_F(ListSetTest, APathThatDoesNotFitPlaysNothing)
{
    RecordingHost host;
    wav.setHost(&host);
    // 250 + 1 + 9 = 260 characters need 261 bytes.
    std::snprintf(ShellState::instance().chartDirectory, ShellState::kNameSize, "%s\\", std::string(250, 'd').c_str());
    document.wavTable()->set(BmsWord("01"), "123456789");
    setCaret(wav, 1);
    wav.previewSelected();
    EXPECT_THAT(playedPaths, IsEmpty());
    EXPECT_THAT(host.statuses, ElementsAre("123456789 が見つかりません"));
}

TEST_F(ListSetTest, UnhandledKeysReachTheListBox)
{
    setCaret(wav, 5);
    pressKey(wav.handle(), VK_DOWN);
    EXPECT_EQ(SendMessageA(wav.handle(), LB_GETCARETINDEX, 0, 0), 6);
    EXPECT_EQ(wav.caretRow(), 6);
}

// The keys and drops act alike on both pages, each on its own table and channels.
class ListSetPageTest : public ListSetTest, public testing::WithParamInterface<DefinitionKind> {
protected:
    ListSet& page() { return GetParam() == kKindBmp ? bmp : wav; }
    BmsRegistArray& table() { return page().table(); }
    // A channel whose objects refer to this page's table.
    const char* channel() const { return GetParam() == kKindBmp ? "04" : "11"; }
    std::string nameOf(const char* index) { return table().get(BmsWord(index)); }
    void drop(const std::vector<std::string>& paths)
    {
        SendMessageA(page().handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(paths)), 0);
    }
    void nameRows(std::initializer_list<const char*> indices)
    {
        for (const char* index : indices)
            table().set(BmsWord(index), (std::string("n") + index).c_str());
        page().refreshAll();
    }
};

TEST_P(ListSetPageTest, DeleteRemovesTheSelectedDefinitionsAndSelectsTheCaretRow)
{
    nameRows({ "01", "02", "03", "07" });
    placeObject(document, channel(), 0, "01");
    selectRows(page(), { 1, 3 });
    setCaret(page(), 2);
    EXPECT_EQ(pressKey(page().handle(), VK_DELETE), 0);
    EXPECT_FALSE(table().has(BmsWord("01")));
    EXPECT_EQ(nameOf("02"), "n02");
    EXPECT_FALSE(table().has(BmsWord("03")));
    EXPECT_EQ(rowText(page(), "01") + rowText(page(), "03"), "01:03:");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(2));
    EXPECT_EQ(objectAt(document, channel(), 0), "01");

    // With nothing selected, Delete only selects the caret row.
    SendMessageA(page().handle(), LB_SETSEL, FALSE, -1);
    setCaret(page(), 7);
    EXPECT_EQ(pressKey(page().handle(), VK_DELETE), 0);
    EXPECT_EQ(nameOf("07"), "n07");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(7));
}

TEST_P(ListSetPageTest, AltArrowsMoveTheSelectedRowsAndTheirReferences)
{
    nameRows({ "04", "05", "06", "07" });
    placeObject(document, channel(), 96, "05");
    selectRows(page(), { 5, 6, 7 });
    EXPECT_EQ(pressSystemKey(page().handle(), VK_UP, true), 0);
    EXPECT_EQ(nameOf("04") + nameOf("06") + nameOf("07"), "n05n07n04");
    EXPECT_EQ(rowText(page(), "07"), "07:n04");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(4, 5, 6));
    EXPECT_EQ(objectAt(document, channel(), 96), "04");

    SendMessageA(page().handle(), LB_SETSEL, FALSE, -1);
    nameRows({ "01", "02", "03" });
    placeObject(document, channel(), 0, "02");
    selectRows(page(), { 1, 2 });
    EXPECT_EQ(pressSystemKey(page().handle(), VK_DOWN, true), 0);
    EXPECT_EQ(nameOf("01") + nameOf("02") + nameOf("03"), "n03n01n02");
    EXPECT_EQ(rowText(page(), "01"), "01:n03");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(2, 3));
    EXPECT_EQ(objectAt(document, channel(), 0), "03");
}

TEST_P(ListSetPageTest, AltUpWithRow00SelectedAndArrowsWithoutAltMoveNothing)
{
    nameRows({ "00", "01", "02" });
    selectRows(page(), { 0, 1 });
    EXPECT_EQ(pressSystemKey(page().handle(), VK_UP, true), 0);
    EXPECT_EQ(nameOf("00") + nameOf("01"), "n00n01");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(0, 1));

    SendMessageA(page().handle(), LB_SETSEL, FALSE, -1);
    selectRows(page(), { 2 });
    pressSystemKey(page().handle(), VK_UP, false);
    pressSystemKey(page().handle(), VK_DOWN, false);
    EXPECT_EQ(nameOf("01") + nameOf("02"), "n01n02");
}

// Records the menu-bar activations that Alt releases ask the top-level window for.
class MenuKeyParent : public TestParent {
public:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
            ++menuActivations;
            return 0;
        }
        return TestParent::windowProc(message, wParam, lParam);
    }
    int menuActivations = 0;
};

TEST(ListSetAltKey, ReleasingAltAfterAMoveLeavesTheMenuBarAlone)
{
    prepareTestWindows();
    BmsBms document;
    ListExchanger plan;
    MenuKeyParent parent;
    ListSet page { document, kKindWav, plan };
    ASSERT_TRUE(page.create(&parent, 1051, testInstance()));
    const LPARAM altHeld = LPARAM(1) << 29;
    const LPARAM release = altHeld | (LPARAM(1) << 30) | (LPARAM(1) << 31) | 1;
    SendMessageA(page.handle(), LB_SETSEL, TRUE, 3);

    SendMessageA(page.handle(), WM_SYSKEYDOWN, VK_MENU, altHeld | 1);
    EXPECT_EQ(pressSystemKey(page.handle(), VK_DOWN, true), 0);
    EXPECT_EQ(SendMessageA(page.handle(), WM_SYSKEYUP, VK_MENU, release), 0);
    EXPECT_EQ(parent.menuActivations, 0);

    // Alt pressed and released alone still opens the menu bar.
    SendMessageA(page.handle(), WM_SYSKEYDOWN, VK_MENU, altHeld | 1);
    SendMessageA(page.handle(), WM_SYSKEYUP, VK_MENU, release);
    EXPECT_EQ(parent.menuActivations, 1);
}

TEST_P(ListSetPageTest, DroppedFilesFillFreeSlotsFromTheCaretRowByTheirBareNames)
{
    nameRows({ "06" });
    setCaret(page(), 5);
    const HDROP drop = makeDrop({ "C:\\snd\\a.wav", "D:/x/y/b.ogg", "c.bmp" });
    EXPECT_EQ(SendMessageA(page().handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0), 0);
    EXPECT_EQ(nameOf("05") + nameOf("06") + nameOf("07") + nameOf("08"), "a.wavn06b.oggc.bmp");
    EXPECT_EQ(rowText(page(), "07"), "07:b.ogg");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(8));
}

TEST_P(ListSetPageTest, DropThatRunsFullFillsUpToZzAndSaysHowManyFoundNoSlot)
{
    table().set(IndexBase().wordAt(1294), "taken");
    page().refreshAll();
    setCaret(page(), 1293);
    drop({ "1.wav", "2.wav", "3.wav", "4.wav" });
    EXPECT_EQ(nameOf("ZX") + nameOf("ZY") + nameOf("ZZ"), "1.wavtaken2.wav");
    EXPECT_THAT(selectedRows(page().handle()), ElementsAre(1295));
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Quelmarn");
    EXPECT_EQ(dialogs.seen()[0].text, "2個のファイルは空きがないため登録されませんでした。");
}

TEST_P(ListSetPageTest, DropWithTheCaretOn00StartsAt01OnlyOnTheWavPage)
{
    drop({ "C:\\a.wav", "C:\\b.wav" });
    const bool wavPage = GetParam() == kKindWav;
    EXPECT_EQ(nameOf("00") + "|" + nameOf("01") + "|" + nameOf("02"), wavPage ? "|a.wav|b.wav" : "a.wav|b.wav|");
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_P(ListSetPageTest, OneBoxNamesFilesOutsideTheChartFolderAndFilesAlreadyRegistered)
{
    std::snprintf(ShellState::instance().chartDirectory, ShellState::kNameSize, "C:\\Songs\\");
    nameRows({ "01" });
    setCaret(page(), 1);
    drop({ "c:\\songs\\here.wav", "D:\\other\\far.wav", "C:\\Songs\\N01" });
    EXPECT_EQ(nameOf("02") + "|" + nameOf("03"), "here.wav|far.wav");
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].text,
        "次のファイルは登録済みのため、もう一度は登録しませんでした:\r\n    N01\r\n\r\n"
        "次のファイルは譜面のフォルダにないため、譜面からは見つかりません。譜面のフォルダに置いてください:\r\n    "
        "far.wav");
}

TEST_P(ListSetPageTest, ADroppedChartGoesToTheOpenerAndNothingIsRegistered)
{
    RecordingHost host;
    page().setHost(&host);
    drop({ "C:\\a.wav", "C:\\songs\\Next.BME", "C:\\b.bms" });
    EXPECT_THAT(host.opened, ElementsAre("C:\\songs\\Next.BME"));
    EXPECT_FALSE(table().has(BmsWord("01")));

    // Other files are registered as one edit of the host.
    drop({ "C:\\a.wav", "C:\\b.wav" });
    EXPECT_EQ(host.edits, 1);
    const bool wavPage = GetParam() == kKindWav;
    EXPECT_EQ(nameOf(wavPage ? "01" : "00") + nameOf(wavPage ? "02" : "01"), "a.wavb.wav");
}

TEST_P(ListSetPageTest, KeyEditsRunThroughTheHost)
{
    RecordingHost host;
    page().setHost(&host);
    nameRows({ "01", "02" });
    selectRows(page(), { 1 });
    pressSystemKey(page().handle(), VK_DOWN, true);
    pressKey(page().handle(), VK_DELETE);
    EXPECT_EQ(host.edits, 2);
    EXPECT_EQ(nameOf("01") + "|" + nameOf("02"), "n02|");
}

TEST_P(ListSetPageTest, DroppedPathTooLongForTheBufferIsLeftOut)
{
    setCaret(page(), 1);
    drop({ "C:\\" + std::string(300, 'p') + "\\long.wav", "C:\\short.wav" });
    EXPECT_EQ(nameOf("01"), "short.wav");
    EXPECT_FALSE(table().has(BmsWord("02")));
}

INSTANTIATE_TEST_SUITE_P(BothPages, ListSetPageTest, testing::ValuesIn(kDefinitionKinds),
    [](const testing::TestParamInfo<DefinitionKind>& info) { return kindName(info.param); });

} // namespace
