#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "gui/header_set.h"
#include "model/bms_bms.h"
#include "test_windows.h"

namespace {

// Stores a field's edit on every EN_UPDATE, the way the main window does.
class HeaderParent : public TestParent {
public:
    LRESULT onCommand(int id, int code, HWND) override
    {
        if (code != EN_UPDATE)
            return NotHandled;
        ++updates;
        if (HeaderSet* field = HeaderSet::findField(id))
            field->store();
        return 0;
    }
    int updates = 0;
};

struct FieldDefinition {
    const char* name;
    int labelId;
    int editId;
};
constexpr FieldDefinition kFields[] = {
    { "TITLE", 1000, 1001 },
    { "GENRE", 1002, 1003 },
    { "ARTIST", 1004, 1005 },
    { "BPM", 1006, 1007 },
    { "TOTAL", 1008, 1009 },
};

class HeaderSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        HeaderSet::resetFields();
        HeaderSet::setHeaderTable(document.headerTable());
        for (const FieldDefinition& field : kFields)
            fields.push_back(std::make_unique<HeaderSet>(&parent, field.name, field.labelId, field.editId));
    }
    void TearDown() override
    {
        HeaderSet::resetFields();
        fields.clear();
    }
    HeaderSet& field(int index) { return *fields[index]; }

    BmsBms document;
    BmsHeaderHash& headers = *document.headerTable();
    HeaderParent parent;
    std::vector<std::unique_ptr<HeaderSet>> fields;
};

TEST_F(HeaderSetTest, FieldsAreLabelledEditsPlacedByTheirIndex)
{
    ASSERT_EQ(HeaderSet::fieldCount(), 5);
    for (int i = 0; i < 5; ++i) {
        HeaderSet& f = field(i);
        EXPECT_EQ(f.index(), i);
        EXPECT_EQ(f.parent(), &parent);
        EXPECT_EQ(windowText(f.label().handle()), kFields[i].name);
        EXPECT_EQ(GetDlgCtrlID(f.label().handle()), kFields[i].labelId);
        EXPECT_EQ(GetDlgCtrlID(f.edit().handle()), kFields[i].editId);
        EXPECT_EQ(windowText(f.edit().handle()), "");

        EXPECT_EQ(placeAndSize(rectInParent(f.label().handle())), "5," + std::to_string(15 + 45 * i) + " 185x15");
        EXPECT_EQ(placeAndSize(rectInParent(f.edit().handle())), "5," + std::to_string(30 + 45 * i) + " 185x20");

        EXPECT_NE(GetWindowLongPtrA(f.label().handle(), GWL_STYLE) & WS_VISIBLE, 0);
        EXPECT_NE(GetWindowLongPtrA(f.edit().handle(), GWL_STYLE) & WS_VISIBLE, 0);
    }
    const auto editStyle = GetWindowLongPtrA(field(0).edit().handle(), GWL_STYLE);
    EXPECT_EQ(editStyle & (WS_CHILD | ES_AUTOHSCROLL), WS_CHILD | ES_AUTOHSCROLL);
    EXPECT_NE(GetWindowLongPtrA(field(0).edit().handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(HeaderSetTest, KeyIsTheUpperCasedName)
{
    HeaderSet lower(&parent, "PlayLevel", 1010, 1011);
    EXPECT_STREQ(lower.key(), "PLAYLEVEL");
    EXPECT_EQ(windowText(lower.label().handle()), "PlayLevel");
    EXPECT_EQ(lower.index(), 5);
    HeaderSet::resetFields();
}

TEST_F(HeaderSetTest, EveryEditUpdateIsStoredStraightIntoTheTable)
{
    SetWindowTextA(field(0).edit().handle(), "Song");
    SetWindowTextA(field(3).edit().handle(), "150");
    EXPECT_STREQ(headers.get("TITLE"), "Song");
    EXPECT_STREQ(headers.get("BPM"), "150");
    EXPECT_EQ(headers.find("GENRE"), nullptr);
    EXPECT_GE(parent.updates, 2);

    SetWindowTextA(field(0).edit().handle(), "");
    ASSERT_NE(headers.find("TITLE"), nullptr);
    EXPECT_STREQ(headers.get("TITLE"), "");
}

TEST_F(HeaderSetTest, StoredValueIsCutToTheBuffer)
{
    SetWindowTextA(field(1).edit().handle(), std::string(300, 'g').c_str());
    EXPECT_EQ(std::string(headers.get("GENRE")), std::string(259, 'g'));
}

TEST_F(HeaderSetTest, RefreshFieldsShowsTheTablesValues)
{
    headers.set("ARTIST", "someone");
    headers.set("TOTAL", "300");
    HeaderSet::refreshFields();
    EXPECT_EQ(windowText(field(2).edit().handle()), "someone");
    EXPECT_EQ(windowText(field(4).edit().handle()), "300");
    EXPECT_EQ(windowText(field(0).edit().handle()), "");

    BmsBms next;
    next.headerTable()->set("ARTIST", "other");
    HeaderSet::setHeaderTable(next.headerTable());
    EXPECT_EQ(windowText(field(2).edit().handle()), "someone");
    HeaderSet::refreshFields();
    EXPECT_EQ(windowText(field(2).edit().handle()), "other");
    EXPECT_STREQ(headers.get("ARTIST"), "someone");
}

TEST_F(HeaderSetTest, JapaneseValuesAreStoredByteForByte)
{
    if (!ansiCodePageIs932())
        GTEST_SKIP() << "double-byte texts need the ANSI code page 932";
    SetWindowTextA(field(0).edit().handle(), "\x8B\xC8\x96\xBC");
    EXPECT_STREQ(headers.get("TITLE"), "\x8B\xC8\x96\xBC");
}

TEST_F(HeaderSetTest, FindFieldKnowsLabelAndEditIds)
{
    for (int id : { 1000, 1001, 1006, 1009 })
        EXPECT_EQ(HeaderSet::findField(id), &field((id - 1000) / 2)) << id;
    for (int id : { 1010, 0 })
        EXPECT_EQ(HeaderSet::findField(id), nullptr) << id;
}

TEST_F(HeaderSetTest, ResizingTheParentNeverMovesTheFields)
{
    parent.move(0, 0, 800, 600);
    SendMessageA(parent.handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 100));
    parent.move(0, 0, 150, 100);
    const RECT edit = rectInParent(field(4).edit().handle());
    EXPECT_EQ(edit.left, 5);
    EXPECT_EQ(edit.top, 210);
}

TEST_F(HeaderSetTest, WithoutAHeaderTableFieldsShowAndStoreNothing)
{
    HeaderSet::setHeaderTable(nullptr);
    SetWindowTextA(field(0).edit().handle(), "lost");
    HeaderSet::refreshFields();
    EXPECT_EQ(windowText(field(0).edit().handle()), "");
    EXPECT_EQ(headers.find("TITLE"), nullptr);
}

} // namespace
