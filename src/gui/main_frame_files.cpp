#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include "bms/bms_reader.h"
#include "bms/chart_save.h"
#include "bms/layout_check.h"
#include "bms/parse_result.h"
#include "gui/chart_messages.h"
#include "gui/dropped_paths.h"
#include "gui/file_dialogs.h"
#include "gui/main_frame.h"
#include "gui/number_headers.h"
#include "gui/save_question.h"
#include "gui/window/wait_cursor.h"
#include "paths/path_parts.h"
#include "platform/file_replace.h"
#include "quelmarn_version.h"

// The file side of the main window: opening, creating and saving charts, the dialogs that
// choose them, and the question before unsaved changes would be lost.

namespace {

// The drive and directory of a path, with the trailing separator.
std::string directoryOf(const char* path)
{
    char directory[kPathBufferSize];
    std::snprintf(directory, sizeof directory, "%s", path);
    keepDirectory(directory);
    return directory;
}

} // namespace

void MainFrame::showCaption()
{
    std::snprintf(shell_.pathBuffer, sizeof shell_.pathBuffer, "%s  %s%s%s", QUELMARN_NAME, shell_.fileName,
        history_.isModified() ? " *" : "", filterMark());
    setText(shell_.pathBuffer);
}

bool MainFrame::confirmDiscard()
{
    if (!history_.isModified())
        return true;
    const std::string question = unsavedChangesQuestion(shell_.fileName);
    switch (MessageBoxA(handle(), question.c_str(), "確認", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return saveCurrentChart();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void MainFrame::openDroppedChart(const char* path)
{
    // The question's save may reuse the buffer that holds the path.
    const std::string chart = path;
    if (confirmDiscard())
        openChart(chart.c_str());
}

void MainFrame::newChart()
{
    shell_.document = std::make_unique<BmsBms>();
    shell_.fileName[0] = '\0';
    refreshFromDocument();
}

void MainFrame::openChosenChart()
{
    char* path = shell_.pathBuffer;
    if (!chooseOpenPath(handle(), path, kPathBufferSize, dialogFolder()))
        return;
    rememberDialogFolder(path);
    openChart(path);
}

bool MainFrame::openChart(const char* path)
{
    // The path may be the path buffer, which the caption reuses.
    const std::string chart = path;
    const WaitCursor wait;
    std::unique_ptr<BmsBms> document;
    BmsReader reader;
    reader.setNoticeSink([](const char*) {});
    if (!reader.read(chart.c_str(), document)) {
        showOpenError();
        return false;
    }
    shell_.document = std::move(document);
    rememberChartPath(chart.c_str());
    rememberRecent(chart.c_str());
    refreshFromDocument();
    return true;
}

void MainFrame::showOpenError()
{
    char* text = shell_.pathBuffer;
    std::snprintf(text, kPathBufferSize, "line %d : %s", errorLine(), errorMessage());
    MessageBoxA(handle(), text, "BMSファイル解析失敗", MB_ICONERROR);
}

bool MainFrame::saveChart(const char* path)
{
    BmsBms& document = *shell_.document;
    const SaveLayout layout = keepsLayout() ? SaveLayout::KeepText : SaveLayout::Normalised;
    // A chart with a text of its own keeps everything when its layout is kept.
    const bool optionWouldKeep = !keepsLayout() && document.editState().source();
    // The chart keeps what the user typed, but a player would not read it as a number.
    const std::vector<std::string> notNumbers = headersNotNumbers(*document.headerTable());
    if (!notNumbers.empty()
        && MessageBoxA(handle(), notNumbersQuestion(*document.headerTable(), notNumbers).c_str(), "確認",
               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2)
            != IDYES)
        return false;
    // No is the default: Enter alone must not destroy what the chart plays.
    const auto askAboutLosses = [&](const SaveLosses& losses) {
        return MessageBoxA(handle(), saveQuestionText(losses.findings, losses.unwritten, optionWouldKeep).c_str(),
                   "確認", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2)
            == IDYES;
    };
    SaveOutcome outcome;
    {
        const WaitCursor wait;
        outcome = saveChartFile(path, document, layout, askAboutLosses, replaceFileContent);
    }
    if (outcome == SaveOutcome::Declined)
        return false;
    if (outcome == SaveOutcome::Failed)
        return offerSaveAsAfterFailure(path, errno);
    rememberChartPath(path);
    rememberRecent(path);
    history_.markSaved();
    // The chart may have moved to another folder.
    forgetFolder();
    chartChanged();
    return true;
}

bool MainFrame::offerSaveAsAfterFailure(const char* path, int error)
{
    // Save as reuses the buffer that may hold the path.
    const std::string failed = path;
    const DWORD attributes = GetFileAttributesA(failed.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    const std::string question = saveFailureQuestion(failed.c_str(), error, readOnly);
    if (MessageBoxA(handle(), question.c_str(), "ERROR", MB_YESNO | MB_ICONERROR) != IDYES)
        return false;
    return saveChartAs();
}

bool MainFrame::saveCurrentChart()
{
    const char* fileName = shell_.fileName;
    return fileName[0] != '\0' ? saveChart(fileName) : saveChartAs();
}

bool MainFrame::saveChartAs()
{
    char* path = shell_.pathBuffer;
    std::snprintf(path, kPathBufferSize, "%s", shell_.fileName);
    keepFileName(path);
    if (!chooseSavePath(handle(), path, kPathBufferSize, dialogFolder(), path))
        return false;
    rememberDialogFolder(path);
    return saveChart(path);
}

const char* MainFrame::dialogFolder() const
{
    return shell_.fileName[0] != '\0' || shell_.dialogFolder[0] == '\0' ? shell_.chartDirectory : shell_.dialogFolder;
}

void MainFrame::rememberDialogFolder(const char* path)
{
    std::snprintf(shell_.dialogFolder, ShellState::kNameSize, "%s", directoryOf(path).c_str());
}

LRESULT MainFrame::dropFiles(HDROP drop)
{
    if (!acceptsDropsNow(handle())) {
        DragFinish(drop);
        MessageBeep(MB_ICONWARNING);
        return 0;
    }
    const std::vector<DroppedPath> paths = takeDroppedPaths(drop);
    bringToFront();
    // Only the first file counts; a drop without a file opens nothing.
    if (paths.empty())
        return 0;
    if (!paths.front().fits)
        MessageBoxA(handle(), tooLongPathsNotice({ paths.front().path }).c_str(), QUELMARN_NAME, MB_ICONWARNING);
    else
        openDroppedChart(paths.front().path.c_str());
    return 0;
}

void MainFrame::rememberChartPath(const char* path)
{
    // The path may be the path buffer or the current file name itself.
    const std::string chart = path;
    std::snprintf(shell_.fileName, sizeof shell_.fileName, "%s", chart.c_str());
    std::snprintf(shell_.chartDirectory, sizeof shell_.chartDirectory, "%s", directoryOf(chart.c_str()).c_str());
}
