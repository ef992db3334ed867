#include "gui/list_set.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "editing/definition_operations.h"
#include "editing/file_name_rules.h"
#include "editing/file_registration.h"
#include "gui/audition_player.h"
#include "gui/chart_messages.h"
#include "gui/dropped_paths.h"
#include "gui/shell_state.h"
#include "gui/window/message_decoding.h"
#include "paths/path_parts.h"
#include "platform/chart_folder.h"
#include "quelmarn_version.h"

namespace {

// "%c%c:%s" of the slot and its marks; a name too long for the buffer is cut after its
// last whole character that fits with the marks.
void formatRow(char* text, int size, BmsWord id, const char* name, const std::string& marks)
{
    constexpr int kPrefixLength = 3;
    const int room = size - 1 - kPrefixLength - static_cast<int>(marks.size());
    const int nameLength = wholeCharacterLength(name, static_cast<int>(std::strlen(name)), room);
    std::snprintf(text, size, "%c%c:%.*s%s", id.high(), id.low(), nameLength, name, marks.c_str());
}

} // namespace

ListSet::ListSet(BmsBms& document, DefinitionKind kind, ListExchanger& plan)
    : document_(&document)
    , kind_(kind)
    , plan_(plan)
{
    mapRows();
}

ListSet::~ListSet() = default;

DWORD ListSet::exStyle()
{
    return WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES;
}

DWORD ListSet::style()
{
    // The name editor stands over a row.
    return WS_CLIPCHILDREN | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY
        | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

bool ListSet::onCreate()
{
    fillRows();
    audition_ = std::make_unique<AuditionPlayer>(handle());
    return true;
}

LRESULT ListSet::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = NotHandled;
    switch (message) {
    case WM_KEYDOWN:
        result = onKeyDown(wParam);
        break;
    case WM_SYSKEYDOWN:
        result = onSysKeyDown(wParam, lParam);
        break;
    case WM_CHAR:
        result = onChar(wParam);
        break;
    case WM_SETFONT:
        result = TtList::windowProc(message, wParam, lParam);
        fitRowHeight(reinterpret_cast<HFONT>(wParam));
        break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        // The name editor would stay where its row was.
        nameEdit_.end(true);
        break;
    case WM_DROPFILES:
        registerDroppedFiles(droppedFiles(wParam));
        result = 0;
        break;
    case AuditionPlayer::kPreparedMessage:
        if (const std::string problem = audition_->takePrepared(lParam); !problem.empty() && host_)
            host_->showStatus(problem);
        result = 0;
        break;
    default:
        break;
    }
    if (result != NotHandled)
        return result;
    return TtList::windowProc(message, wParam, lParam);
}

LRESULT ListSet::onKeyDown(WPARAM key)
{
    switch (key) {
    case VK_RETURN:
        if (kind_ != kKindBmp)
            previewSelected();
        return 0;
    case VK_ESCAPE:
        stopPreview();
        return 0;
    case VK_DELETE:
        edit([this] { removeSelected(*this); });
        return 0;
    default:
        return NotHandled;
    }
}

LRESULT ListSet::onSysKeyDown(WPARAM key, LPARAM flags)
{
    if (!isAltHeld(flags))
        return NotHandled;
    switch (key) {
    case VK_UP:
        moveWithAlt(true, key, flags);
        return 0;
    case VK_DOWN:
        moveWithAlt(false, key, flags);
        return 0;
    default:
        return NotHandled;
    }
}

void ListSet::moveWithAlt(bool up, WPARAM key, LPARAM flags)
{
    edit([this, up] { moveSelection(*this, plan_, up); });
    // The list box never sees the key, but the system's default processing must: it
    // opens the menu bar when Alt is released with no key pressed in between, which
    // would take the next arrow key away from the list.
    DefWindowProcA(handle(), WM_SYSKEYDOWN, key, flags);
}

void ListSet::fillRows()
{
    refreshAll();
    subclass();
}

int ListSet::caretRow()
{
    if (indices_.empty())
        return 0;
    return indexAt(std::clamp(caretIndex(), 0, shownCount() - 1));
}

bool ListSet::isSelected(int row)
{
    const int position = positionOf(row);
    return gathered_.test(static_cast<std::size_t>(row)) || (position >= 0 && TtList::isSelected(position));
}

void ListSet::select(int row)
{
    if (redrawHolds_ == 0) {
        if (const int position = positionOf(row); position >= 0)
            TtList::select(position);
        return;
    }
    gathered_.set(static_cast<std::size_t>(row));
    lastSelected_ = row;
}

void ListSet::clearSelection()
{
    gathered_.reset();
    SendMessageA(handle(), LB_SETSEL, FALSE, -1);
}

void ListSet::placeCaret(int row)
{
    selectGathered();
    if (const int position = positionNear(row); position >= 0)
        setCaretAndAnchor(position);
}

bool ListSet::selectGathered()
{
    if (gathered_.none())
        return false;
    // Rows on both sides of hidden ones make one run of positions; hidden rows stay
    // unselected.
    std::vector<int> positions;
    for (int row = 0; row < rowCount(); ++row) {
        if (const int position = positionOf(row); position >= 0 && gathered_.test(static_cast<std::size_t>(row)))
            positions.push_back(position);
    }
    selectPositions(positions);
    gathered_.reset();
    return true;
}

const char* ListSet::rowText(int row)
{
    char* text = ShellState::instance().pathBuffer;
    const BmsWord id = wordAt(row);
    formatRow(
        text, kPathBufferSize, id, table().get(id), rowMarkText(marks_.marks[static_cast<std::size_t>(id.value())]));
    return text;
}

void ListSet::refreshRow(int row)
{
    gathered_.reset(static_cast<std::size_t>(row));
    if (const int position = positionOf(row); position >= 0)
        setItem(position, row, true);
}

void ListSet::setItem(int position, int row, bool replace)
{
    const char* text = rowText(row);
    if (replace)
        deleteString(position);
    insertString(position, text);
}

void ListSet::refreshAll()
{
    RedrawHold hold(*this);
    gathered_.reset();
    // Replacing a row moves every row after it in the list box's storage; emptied and
    // filled in order, the list is built in one pass. The view stays where it was.
    const auto top = SendMessageA(handle(), LB_GETTOPINDEX, 0, 0);
    const auto anchor = SendMessageA(handle(), LB_GETANCHORINDEX, 0, 0);
    const int caret = caretIndex();
    const bool filled = SendMessageA(handle(), LB_GETCOUNT, 0, 0) > 0;
    mapRows();
    SendMessageA(handle(), LB_RESETCONTENT, 0, 0);
    SendMessageA(handle(), LB_INITSTORAGE, shownCount(), shownCount() * kShortRowBytes);
    for (int position = 0; position < shownCount(); ++position)
        SendMessageA(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rowText(indexAt(position))));
    if (!filled)
        return;
    SendMessageA(handle(), LB_SETANCHORINDEX, anchor, 0);
    SendMessageA(handle(), LB_SETCARETINDEX, caret, FALSE);
    SendMessageA(handle(), LB_SETTOPINDEX, top, 0);
}

void ListSet::editName(int row, RowNameEdit::Confirm confirm)
{
    const int position = positionOf(row);
    if (position < 0)
        return;
    // Brings the row into view.
    SendMessageA(handle(), LB_SETCARETINDEX, position, FALSE);
    nameEdit_.begin(*this, position, table().get(wordAt(row)), std::move(confirm));
}

void ListSet::showDocument(BmsBms& document, const RowMarks& marks)
{
    nameEdit_.end(false);
    document_ = &document;
    marks_ = marks;
    refreshAll();
}

void ListSet::holdRedraw()
{
    // Replacing or selecting a row of a visible list box repaints it each time.
    if (redrawHolds_++ == 0)
        SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
}

void ListSet::releaseRedraw()
{
    if (--redrawHolds_ > 0)
        return;
    if (selectGathered()) {
        if (const int position = positionNear(lastSelected_); position >= 0)
            setCaretAndAnchor(position);
    }
    SendMessageA(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

void ListSet::previewSelected()
{
    ShellState& shell = ShellState::instance();
    const std::string name = table().get(wordAt(caretRow()));
    if (name.empty())
        return;
    // The folder's lookup takes the path of a file in it.
    ChartFolder folder(std::string(shell.chartDirectory) + "*");
    bool otherExtension = false;
    const std::optional<FoundFile> found = findDefinitionFile(folder, kind_, name, otherExtension);
    const std::string path = found ? shell.chartDirectory + found->name : std::string();
    // A cut path would name another file.
    if (!found || path.size() >= static_cast<size_t>(kPathBufferSize)) {
        if (host_)
            host_->showStatus(name + " が見つかりません");
        return;
    }
    if (player_)
        player_(path.c_str());
    else
        audition_->play(path);
}

void ListSet::stopPreview()
{
    if (audition_)
        audition_->stop();
}

void ListSet::registerDroppedFiles(HDROP drop)
{
    if (!acceptsDropsNow(handle())) {
        DragFinish(drop);
        MessageBeep(MB_ICONWARNING);
        return;
    }
    std::vector<std::string> paths;
    std::vector<std::string> tooLong;
    for (DroppedPath& dropped : takeDroppedPaths(drop))
        (dropped.fits ? paths : tooLong).push_back(std::move(dropped.path));
    bringToFront();
    const auto chart
        = std::find_if(paths.begin(), paths.end(), [](const std::string& p) { return isChartFileName(p); });
    if (chart != paths.end() && host_)
        host_->openDroppedChart(chart->c_str());
    else
        registerNames(paths, tooLong);
}

void ListSet::registerNames(const std::vector<std::string>& paths, const std::vector<std::string>& tooLong)
{
    const std::string chartFolder = foldAsciiCase(ShellState::instance().chartDirectory, true);
    std::vector<std::string> names;
    std::vector<std::string> outsideFolder;
    char name[kPathBufferSize];
    for (const std::string& path : paths) {
        std::snprintf(name, sizeof name, "%s", path.c_str());
        keepFileName(name);
        names.emplace_back(name);
        // Before any chart was opened or saved there is no folder that a name could miss.
        if (!chartFolder.empty() && foldAsciiCase(directoryPart(path, true), true) != chartFolder)
            outsideFolder.emplace_back(name);
    }
    FileRegistration registration;
    if (!names.empty())
        edit([&] { registration = registerFileNames(*this, names); });
    // The names that found no row go on in the first free rows of base 62 (from 0a), if the
    // user wants.
    if (!registration.withoutSlot.empty() && !table().base().isCaseSensitive() && host_ && host_->offerBase62()) {
        setCaretAndAnchor(0);
        FileRegistration rest;
        edit([&] { rest = registerFileNames(*this, registration.withoutSlot); });
        registration.withoutSlot = std::move(rest.withoutSlot);
        registration.passedOverUsed += rest.passedOverUsed;
        registration.lastRow = rest.lastRow;
    }
    const std::string report = dropReport(tooLong, registration, outsideFolder);
    if (!report.empty())
        MessageBoxA(parent() ? parent()->handle() : handle(), report.c_str(), QUELMARN_NAME, MB_ICONWARNING);
}

void ListSet::edit(const std::function<void()>& operation)
{
    if (host_)
        host_->runEdit(*this, operation);
    else
        operation();
}

void ListSet::showFromTop()
{
    SendMessageA(handle(), LB_SETTOPINDEX, 0, 0);
    setCaretAndAnchor(0);
}
