#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "gui/window/win32.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

struct Item {
    UINT id; // 0 for a separator
    std::string text;
};

std::string menuText(HMENU menu, UINT position)
{
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::vector<Item> popupItems(HMENU popup)
{
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        MENUITEMINFOA info {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoA(popup, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            items.push_back({ 0, "" });
        else
            items.push_back({ info.wID, menuText(popup, i) });
    }
    return items;
}

bool operator==(const Item& a, const Item& b)
{
    return a.id == b.id && a.text == b.text;
}

void PrintTo(const Item& item, std::ostream* out)
{
    *out << item.id << " \"" << item.text << "\"";
}

// The resource's bytes in the program's language.
std::vector<unsigned char> resourceBytes(const char* name, LPCSTR type)
{
    HRSRC found = FindResourceExA(testInstance(), type, name, kJapanese);
    if (!found)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(testInstance(), found)));
    return { bytes, bytes + SizeofResource(testInstance(), found) };
}

TEST(ResourcesTest, MenuHasFourPopupsWithTheirItemsInJapanese)
{
    ASSERT_TRUE(ansiCodePageIs932());
    HMENU menu = LoadMenuA(testInstance(), MAIN_MENU_NAME);
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(4, GetMenuItemCount(menu));

    // "ファイル(&F)" in code page 932, byte for byte.
    EXPECT_EQ("\x83\x74\x83\x40\x83\x43\x83\x8B(&F)", menuText(menu, 0));
    EXPECT_EQ("操作(&O)", menuText(menu, 1));
    EXPECT_EQ("表示(&V)", menuText(menu, 2));
    EXPECT_EQ("ヘルプ(&H)", menuText(menu, 3));

    EXPECT_EQ((std::vector<Item> {
                  { ID_FILE_NEW, "新規作成(&N)\tCtrl+N" },
                  { ID_FILE_OPEN, "開く(&O)\tCtrl+O" },
                  { ID_FILE_SAVE_AS, "名前を付けて保存(&A)\tCtrl+Shift+S" },
                  { ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S" },
                  { ID_FILE_KEEP_LAYOUT, "レイアウトを保って保存" },
                  { 0, "" },
                  { ID_FILE_EXIT, "終了(&X)\tAlt+F4" },
              }),
        popupItems(GetSubMenu(menu, 0)));
    EXPECT_EQ((std::vector<Item> {
                  { ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z" },
                  { ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y" },
                  { 0, "" },
                  { ID_EDIT_RENAME, "ファイル名の変更(&M)\tF2" },
                  { ID_EDIT_HEADERS, "ヘッダー(&H)...\tCtrl+E" },
                  { ID_EDIT_SWAP_TOP_TWO, "選択中の上2つを交換" },
                  { 0, "" },
                  { ID_EDIT_UNREGISTER_UNUSED_WAV, "未使用WAVの登録解除" },
                  { ID_EDIT_UNREGISTER_UNUSED_BMP, "未使用BMPの登録解除" },
                  { ID_EDIT_COMPACT_WAV, "WAV登録インデックスNo.を詰める" },
                  { ID_EDIT_COMPACT_BMP, "BMP登録インデックスNo.を詰める" },
                  { 0, "" },
                  { ID_EDIT_SELECT_ALL, "すべて選択(&L)\tCtrl+A" },
                  { ID_EDIT_FIND, "ファイル名を検索(&F)...\tCtrl+F" },
                  { ID_EDIT_FIND_NEXT, "次を検索\tF3" },
                  { ID_EDIT_GO_TO, "インデックスへ移動(&G)...\tCtrl+G" },
              }),
        popupItems(GetSubMenu(menu, 1)));
    EXPECT_EQ((std::vector<Item> {
                  { ID_VIEW_ALL_ROWS, "すべての行(&A)\tCtrl+1" },
                  { ID_VIEW_USED_ROWS, "使用中のみ(&U)\tCtrl+2" },
                  { ID_VIEW_UNUSED_ROWS, "未使用のみ(&N)\tCtrl+3" },
                  { ID_VIEW_NO_FILE_ROWS, "ファイルなしのみ(&M)\tCtrl+4" },
                  { 0, "" },
                  { ID_VIEW_NEXT_PAGE, "次のページ\tCtrl+Tab" },
                  { ID_VIEW_PREVIOUS_PAGE, "前のページ\tCtrl+Shift+Tab" },
              }),
        popupItems(GetSubMenu(menu, 2)));
    EXPECT_EQ((std::vector<Item> {
                  { ID_HELP_USAGE, "使い方(&U)\tF1" },
                  { ID_HELP_VERSION, "バージョン情報(&A)" },
              }),
        popupItems(GetSubMenu(menu, 3)));
    DestroyMenu(menu);
}

TEST(ResourcesTest, AcceleratorsGiveTheFileAndHistoryCommandsTheirControlKeysAndTheGuideF1)
{
    HACCEL table = LoadAcceleratorsA(testInstance(), MAIN_ACCEL_NAME);
    ASSERT_NE(nullptr, table);
    ACCEL entries[32] = {};
    const int count = CopyAcceleratorTableA(table, entries, 32);
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(entries[i].fVirt & FVIRTKEY);
        const std::string key = entries[i].key == VK_F1 ? std::string("F1")
            : entries[i].key == VK_F3                   ? std::string("F3")
            : entries[i].key == VK_F2                   ? std::string("F2")
            : entries[i].key == VK_TAB                  ? std::string("Tab")
                                                        : std::string(1, static_cast<char>(entries[i].key));
        keys.push_back(std::to_string(entries[i].cmd) + ((entries[i].fVirt & FCONTROL) ? " Ctrl+" : " ")
            + ((entries[i].fVirt & FSHIFT) ? "Shift+" : "") + key);
    }
    EXPECT_EQ(keys,
        (std::vector<std::string> { "1101 Ctrl+N", "1102 Ctrl+O", "1104 Ctrl+S", "1103 Ctrl+Shift+S", "1120 Ctrl+Z",
            "1121 Ctrl+Y", "1121 Ctrl+Shift+Z", "1110 F1", "1122 Ctrl+A", "1123 Ctrl+Tab", "1124 Ctrl+Shift+Tab",
            "1125 Ctrl+F", "1126 F3", "1127 Ctrl+G", "1128 F2", "1129 Ctrl+E", "1140 Ctrl+1", "1141 Ctrl+2",
            "1142 Ctrl+3", "1143 Ctrl+4" }));
    DestroyAcceleratorTable(table);
}

TEST(ResourcesTest, IconIsOne32PixelImageWith256Colours)
{
    // The group directory: reserved, type 1 (icon), one entry.
    const std::vector<unsigned char> group = resourceBytes(MAIN_ICON_NAME, RT_GROUP_ICON);
    ASSERT_EQ(6u + 14u, group.size());
    EXPECT_EQ(1, group[4] | group[5] << 8);
    EXPECT_EQ(32, group[6]); // width
    EXPECT_EQ(32, group[7]); // height
    EXPECT_EQ(0, group[8]); // 0 colours in the directory means 256
    EXPECT_EQ(8, group[12] | group[13] << 8); // bits per pixel

    HICON icon = static_cast<HICON>(LoadImageA(testInstance(), MAIN_ICON_NAME, IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(nullptr, icon);
    DestroyIcon(icon);
}

TEST(ResourcesTest, VersionDialogTemplate)
{
    const std::vector<unsigned char> bytes = resourceBytes(VERSION_DIALOG_NAME, RT_DIALOG);
    ASSERT_GE(bytes.size(), 26u);
    auto word = [&](size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    auto dword = [&](size_t at) { return word(at) | word(at + 2) << 16; };
    // An extended template: version 1, signature 0xFFFF, help id, extended style, style,
    // item count, x, y, cx, cy.
    ASSERT_EQ(1u, word(0));
    ASSERT_EQ(0xFFFFu, word(2));
    EXPECT_EQ(0x80u, dword(8));
    EXPECT_EQ(0x00C80040u, dword(12));
    const std::pair<size_t, unsigned> words[] = { { 16, 3 }, { 18, 60 }, { 20, 50 }, { 22, 100 }, { 24, 30 } };
    for (const auto& [at, value] : words)
        EXPECT_EQ(value, word(at)) << "at " << at;
}

} // namespace
