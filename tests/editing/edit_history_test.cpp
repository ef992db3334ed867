#include <functional>
#include <gtest/gtest.h>

#include "bms/bms_writer.h"
#include "editing/definition_operations.h"
#include "editing/edit_history.h"
#include "editing/file_registration.h"
#include "editing/recording_page.h"
#include "support/chart_building.h"

namespace {

class EditHistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* index : { "01", "02", "04", "07" })
            document.wavTable()->set(BmsWord(index), (std::string("w") + index + ".wav").c_str());
        document.bmpTable()->set(BmsWord("03"), "b.bmp");
        placeObject(document, "11", 0, "02");
        placeObject(document, "11", 96, "07");
        placeObject(document, "04", 0, "03");
        placeObject(document, "12", 192, "05");
        // Headers that name indices follow the renumbering and its undo.
        document.headerTable()->set("LNOBJ", "07");
        document.headerTable()->set("BGA05", "03 0 0 8 8 0 0");
        history.clear();
    }

    // Runs the operation on the page as one recorded step.
    bool recorded(RecordingPage& page, const std::function<void()>& operation)
    {
        history.beginTableChange(document, page.kind(), plan);
        operation();
        return history.endTableChange(document, plan);
    }

    BmsBms document;
    ListExchanger plan;
    EditHistory history;
    RecordingPage wav { document, kKindWav };
    RecordingPage bmp { document, kKindBmp };
};

TEST_F(EditHistoryTest, EveryTableOperationIsUndoneAndRedoneWithItsReferences)
{
    const struct {
        const char* name;
        RecordingPage& page;
        std::function<void()> operation;
    } cases[] = {
        { "swap", wav,
            [&] {
                wav.selection = { 2, 7 };
                swapTopTwoSelected(wav, plan);
            } },
        { "move down", wav,
            [&] {
                wav.selection = { 1, 2 };
                moveSelection(wav, plan, false);
            } },
        { "remove", wav,
            [&] {
                wav.selection = { 4, 7 };
                removeSelected(wav);
            } },
        { "unregister", wav, [&] { unregisterUnreferenced(wav); } },
        { "compact", wav, [&] { compactIndices(wav, plan); } },
        { "compact images", bmp, [&] { compactIndices(bmp, plan); } },
        { "register", wav,
            [&] {
                wav.caret = 0;
                registerFileNames(wav, { "new.wav", "more.wav" });
            } },
    };
    for (const auto& c : cases) {
        const std::string before = chartText(document);
        const ChartEditState stateBefore = document.editState();
        ASSERT_TRUE(recorded(c.page, c.operation)) << c.name;
        const std::string after = chartText(document);
        ASSERT_NE(before, after) << c.name;

        ASSERT_NE(history.undo(document, plan), nullptr) << c.name;
        EXPECT_EQ(chartText(document), before) << c.name;
        EXPECT_TRUE(document.editState().indices(kKindWav) == stateBefore.indices(kKindWav)) << c.name;
        EXPECT_TRUE(document.editState().indices(kKindBmp) == stateBefore.indices(kKindBmp)) << c.name;
        // Modified while any step stays applied: the chart was saved before the first.
        EXPECT_EQ(history.isModified(), history.canUndo()) << c.name;
        ASSERT_NE(history.redo(document, plan), nullptr) << c.name;
        EXPECT_EQ(chartText(document), after) << c.name;
        EXPECT_TRUE(history.isModified()) << c.name;
    }
    // Back through all of them to the chart as it was.
    while (history.undo(document, plan)) { }
    EXPECT_FALSE(history.isModified());
    EXPECT_EQ(objectAt(document, "11", 0) + objectAt(document, "11", 96) + objectAt(document, "04", 0), "020703");
}

TEST_F(EditHistoryTest, AStepKeepsOnlyWhatItChangedAndNamesTheRowsItTouched)
{
    wav.selection = { 2, 7 };
    ASSERT_TRUE(recorded(wav, [&] { swapTopTwoSelected(wav, plan); }));
    const EditStep* step = history.undo(document, plan);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->moves.size(), 2u);
    EXPECT_EQ(step->slots.size(), 2u);
    EXPECT_EQ(step->touchedRows(*document.wavTable()), (std::vector<int> { 2, 7 }));

    // An operation that changes nothing leaves no step.
    EXPECT_FALSE(recorded(bmp, [&] { unregisterUnreferenced(bmp); }));
    EXPECT_EQ(history.stepCount(), 1u);
}

TEST_F(EditHistoryTest, TypingInOneFieldIsOneStepUntilAnotherStepOrASaveComesBetween)
{
    BmsHeaderHash& headers = *document.headerTable();
    const auto type = [&](const char* key, const char* value) {
        const std::optional<std::string> before
            = headers.find(key) ? std::optional<std::string>(headers.get(key)) : std::nullopt;
        headers.set(key, value);
        history.recordHeaderChange(key, before, std::string(value));
    };
    headers.set("BPM", "120");
    type("BPM", "1200");
    type("BPM", "120");
    // Typed back to where it was: no step, and nothing unsaved.
    EXPECT_EQ(history.stepCount(), 0u);
    EXPECT_FALSE(history.isModified());

    type("TITLE", "S");
    type("TITLE", "So");
    type("TITLE", "Song");
    type("ARTIST", "Me");
    EXPECT_EQ(history.stepCount(), 2u);
    history.markSaved();
    type("ARTIST", "Me2");
    EXPECT_EQ(history.stepCount(), 3u);

    history.undo(document, plan);
    EXPECT_FALSE(history.isModified());
    history.undo(document, plan);
    history.undo(document, plan);
    EXPECT_EQ(headers.find("TITLE"), nullptr);
    EXPECT_EQ(headers.find("ARTIST"), nullptr);
    EXPECT_TRUE(history.isModified());
    history.redo(document, plan);
    EXPECT_STREQ(headers.get("TITLE"), "Song");
}

TEST_F(EditHistoryTest, HeadersSetTogetherAreOneStepOfWhatChanged)
{
    BmsHeaderHash& headers = *document.headerTable();
    headers.set("RANK", "2");
    EXPECT_FALSE(history.recordHeaderChanges({ { "RANK", "2", "2" } }));
    EXPECT_EQ(history.stepCount(), 0u);

    headers.set("RANK", "3");
    headers.set("PLAYLEVEL", "7");
    ASSERT_TRUE(history.recordHeaderChanges({ { "RANK", "2", "3" }, { "PLAYLEVEL", std::nullopt, "7" } }));
    EXPECT_EQ(history.stepCount(), 1u);
    history.undo(document, plan);
    EXPECT_STREQ(headers.get("RANK"), "2");
    EXPECT_EQ(headers.find("PLAYLEVEL"), nullptr);
    history.redo(document, plan);
    EXPECT_STREQ(headers.get("RANK"), "3");
    EXPECT_STREQ(headers.get("PLAYLEVEL"), "7");
}

TEST_F(EditHistoryTest, ANewStepDropsTheUndoneOnesAndASavedStateAmongThem)
{
    ASSERT_TRUE(recorded(wav, [&] { compactIndices(wav, plan); }));
    history.markSaved();
    history.undo(document, plan);
    EXPECT_TRUE(history.isModified());
    wav.selection = { 1 };
    ASSERT_TRUE(recorded(wav, [&] { removeSelected(wav); }));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.stepCount(), 1u);
    history.undo(document, plan);
    // The saved chart cannot be reached again.
    EXPECT_TRUE(history.isModified());

    history.clear();
    EXPECT_FALSE(history.isModified());
    EXPECT_FALSE(history.canUndo());
}

} // namespace
