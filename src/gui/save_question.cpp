#include "gui/save_question.h"

#include <algorithm>

#include "gui/chart_messages.h"

namespace {

constexpr std::size_t kListedFindings = 8;

const char* whatIsLost(SourceFinding::Kind kind)
{
    switch (kind) {
    case SourceFinding::Kind::ControlFlow:
        return "#RANDOM/#IFなどの制御構文";
    case SourceFinding::Kind::UnkeptBase:
        return "大文字と小文字を区別するインデックス";
    case SourceFinding::Kind::OffGridObjects:
        return "刻みに乗らないオブジェ";
    case SourceFinding::Kind::InexactLength:
        return "刻みの整数倍でない小節長";
    case SourceFinding::Kind::OddLength:
        return "行末の余分な1文字";
    }
    return "";
}

std::string findingLine(const SourceFinding& finding)
{
    std::string line = "・";
    if (finding.line > 0)
        line += std::to_string(finding.line) + "行目: ";
    return line + finding.spelled + "（" + whatIsLost(finding.kind) + "）\r\n";
}

bool hasFindingOf(const std::vector<SourceFinding>& findings, SourceFinding::Kind kind)
{
    return std::any_of(findings.begin(), findings.end(), [kind](const SourceFinding& f) { return f.kind == kind; });
}

} // namespace

std::string saveQuestionText(const std::vector<SourceFinding>& findings, int caseShared, bool mentionLayoutOption)
{
    std::string text = "この譜面を正規化して保存すると、次の内容が正しく保たれません。\r\n";
    for (std::size_t i = 0; i < findings.size() && i < kListedFindings; ++i)
        text += findingLine(findings[i]);
    if (findings.size() > kListedFindings)
        text += "・ほか" + std::to_string(findings.size() - kListedFindings) + "件\r\n";
    if (hasFindingOf(findings, SourceFinding::Kind::ControlFlow))
        text += "すべての分岐の定義と配置が1つにまとめられ、分岐ごとの違いは失われます。\r\n";
    if (hasFindingOf(findings, SourceFinding::Kind::UnkeptBase))
        text += "インデックスは大文字にまとめられます。" + caseSharedSentence(caseShared) + "\r\n";
    if (hasFindingOf(findings, SourceFinding::Kind::OddLength))
        text += "文字数が奇数のデータ行は、最後の1文字を除いて保存されます。\r\n";
    if (mentionLayoutOption)
        text += "「ファイル」メニューの「レイアウトを保って保存」を選ぶと、譜面の記述を保ったまま保存できます。\r\n";
    return text + "保存しますか？";
}
