#include <gtest/gtest.h>

#include "gui/usage_guide.h"

TEST(UsageGuideTest, IsTheReadmeBesideTheExecutable)
{
    EXPECT_EQ(usageGuidePath("C:\\Tools\\Quelmarn\\quelmarn.exe"), "C:\\Tools\\Quelmarn\\readme.txt");
    // The second byte of "ソ" is "\\": the folder is "C:\\ソフト\\", whole.
    EXPECT_EQ(usageGuidePath("C:\\ソフト\\quelmarn.exe"), "C:\\ソフト\\readme.txt");
}

TEST(UsageGuideTest, BoxNamesTheGuideOrWhereTheSourceTreeKeepsIt)
{
    const std::string guide = "C:\\Tools\\readme.txt";
    EXPECT_EQ(
        usageGuideMessage(guide, true), "一緒にあるテキストファイルをみて\n\nC:\\Tools\\readme.txt\n\nOK で開きます。");
    const std::string missing = usageGuideMessage(guide, false);
    EXPECT_EQ(missing.rfind("一緒にあるテキストファイルをみて\n\nC:\\Tools\\readme.txt がありません。", 0), 0u);
    EXPECT_NE(missing.find("docs\\readme.txt"), std::string::npos);
}
