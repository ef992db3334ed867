#include "gui/save_question.h"

#include <algorithm>
#include <cstring>

#include "gui/chart_messages.h"
#include "paths/path_parts.h"

namespace {

constexpr std::size_t kListedFindings = 8;
// An unwritten line is shown up to this many bytes, cut after a whole character.
constexpr int kShownLineLength = 40;

const char* whatIsLost(SourceFinding::Kind kind)
{
    switch (kind) {
    case SourceFinding::Kind::ControlFlow:
        return "#RANDOM/#IFなどの制御構文";
    case SourceFinding::Kind::UnkeptBase:
        return "36でも62でもない基数。36として読みます";
    case SourceFinding::Kind::ConflictingBase:
        return "前の#BASEと違う基数。最後の行が有効です";
    case SourceFinding::Kind::OffGridObjects:
        return "刻みに乗らないオブジェ";
    case SourceFinding::Kind::InexactLength:
        return "刻みの整数倍でない小節長";
    case SourceFinding::Kind::OddLength:
        return "行末の余分な1文字";
    }
    return "";
}

struct ListedLine {
    int line;
    std::string text;
};

std::string listedLine(int number, const std::string& spelled, const char* what)
{
    std::string line = "・";
    if (number > 0)
        line += std::to_string(number) + "行目: ";
    return line + spelled + "（" + what + "）\r\n";
}

std::string shownStart(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    const int shown = wholeCharacterLength(text.c_str(), length, kShownLineLength);
    return shown < length ? text.substr(0, static_cast<std::size_t>(shown)) + "…" : text;
}

// Findings and unwritten lines in one list, by line number.
std::vector<ListedLine> listedLines(
    const std::vector<SourceFinding>& findings, const std::vector<UnwrittenLine>& unwritten)
{
    std::vector<ListedLine> lines;
    for (const SourceFinding& finding : findings)
        lines.push_back({ finding.line, listedLine(finding.line, finding.spelled, whatIsLost(finding.kind)) });
    for (const UnwrittenLine& line : unwritten)
        lines.push_back({ line.line, listedLine(line.line, shownStart(line.text), "保存されない行") });
    std::stable_sort(
        lines.begin(), lines.end(), [](const ListedLine& a, const ListedLine& b) { return a.line < b.line; });
    return lines;
}

bool hasFindingOf(const std::vector<SourceFinding>& findings, SourceFinding::Kind kind)
{
    return std::any_of(findings.begin(), findings.end(), [kind](const SourceFinding& f) { return f.kind == kind; });
}

} // namespace

std::string saveQuestionText(
    const std::vector<SourceFinding>& findings, const std::vector<UnwrittenLine>& unwritten, bool mentionLayoutOption)
{
    std::string text = "この譜面を正規化して保存すると、次の内容が正しく保たれません。\r\n";
    const std::vector<ListedLine> lines = listedLines(findings, unwritten);
    for (std::size_t i = 0; i < lines.size() && i < kListedFindings; ++i)
        text += lines[i].text;
    if (lines.size() > kListedFindings)
        text += "・ほか" + std::to_string(lines.size() - kListedFindings) + "件\r\n";
    if (hasFindingOf(findings, SourceFinding::Kind::ControlFlow))
        text += "すべての分岐の定義と配置が1つにまとめられ、分岐ごとの違いは失われます。\r\n";
    if (hasFindingOf(findings, SourceFinding::Kind::OddLength))
        text += "文字数が奇数のデータ行は、最後の1文字を除いて保存されます。\r\n";
    if (mentionLayoutOption)
        text += "「ファイル」メニューの「レイアウトを保って保存」を選ぶと、譜面の記述を保ったまま保存できます。\r\n";
    return text + "保存しますか？";
}
