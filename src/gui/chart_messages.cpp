#include "gui/chart_messages.h"

#include <cerrno>

namespace {

void appendNames(std::string& text, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        text += "\r\n    " + name;
}

} // namespace

std::string base62Question()
{
    return "この譜面には空いているインデックスがありません。\r\n"
           "#BASE 62に切り替えると、インデックスの大文字と小文字を区別し、3843個まで定義できます。"
           "一部の古いプレイヤーはこの譜面を読めなくなります。\r\n"
           "#BASE 62に切り替えて、残りのファイルを登録しますか？";
}

std::string base62Refusal(const std::vector<std::string>& reasons)
{
    std::string text = "#BASE 62に切り替えられません。";
    appendNames(text, reasons);
    return text;
}

std::string tooLongPathsNotice(const std::vector<std::string>& paths)
{
    std::string text = "次のファイルはパスが長すぎるため、扱えませんでした:";
    appendNames(text, paths);
    return text;
}

std::string dropReport(const std::vector<std::string>& tooLong, const FileRegistration& registration,
    const std::vector<std::string>& outsideFolder)
{
    std::string text;
    const auto paragraph = [&text](const std::string& line) {
        if (!text.empty())
            text += "\r\n\r\n";
        text += line;
    };
    if (!tooLong.empty())
        paragraph(tooLongPathsNotice(tooLong));
    if (!registration.withoutSlot.empty())
        paragraph(
            std::to_string(registration.withoutSlot.size()) + "個のファイルは空きがないため登録されませんでした。");
    if (registration.passedOverUsed > 0)
        paragraph(std::to_string(registration.passedOverUsed) + "個の行は未登録で使用されているため、飛ばしました。");
    if (!registration.alreadyRegistered.empty()) {
        paragraph("次のファイルは登録済みのため、もう一度は登録しませんでした:");
        appendNames(text, registration.alreadyRegistered);
    }
    if (!outsideFolder.empty()) {
        paragraph("次のファイルは譜面のフォルダにないため、譜面からは見つかりません。譜面のフォルダに置いてください:");
        appendNames(text, outsideFolder);
    }
    return text;
}

namespace {

const char* saveFailureReason(int error, bool readOnly)
{
    if (readOnly)
        return "ファイルが読み取り専用です。";
    switch (error) {
    case EACCES:
    case EPERM:
        return "ファイルへのアクセスが拒否されました。";
    case ENOSPC:
        return "ディスクの空き容量が足りません。";
    case ENOENT:
    case ENOTDIR:
        return "保存先のフォルダが見つかりません。";
    default:
        return "ファイルに書き込めませんでした。";
    }
}

} // namespace

std::string saveFailureQuestion(const char* path, int error, bool readOnly)
{
    return std::string("BMSファイルの保存に失敗しました。\r\n\r\n") + path + "\r\n" + saveFailureReason(error, readOnly)
        + "\r\nファイルは元のままです。\r\n\r\n別の名前で保存しますか？";
}

std::string unsavedChangesQuestion(const char* fileName)
{
    const std::string name = fileName[0] != '\0' ? fileName : "新しい譜面";
    return name + " への変更を保存しますか？";
}

std::string definitionSummary(const DefinitionCounts& counts, std::optional<int> missingFiles)
{
    return "登録 " + std::to_string(counts.registered) + "  使用 " + std::to_string(counts.used) + "  未使用 "
        + std::to_string(counts.unused) + "  未登録で使用 " + std::to_string(counts.usedUnregistered)
        + "  ファイルなし " + (missingFiles ? std::to_string(*missingFiles) : std::string("-"));
}
