#pragma once

// A definition list page: one table of the document as a list box of one row per index
// of the chart's base ("00:" to "ZZ:", or to "zz:" in base 62) with their file names,
// and the page the editing operations work on. Keys and dropped files on the list
// become editing operations.
//
// A filter may narrow the list box to the rows of one state. The page's rows (what the
// editing operations and the window call a row) are always the table's rows, one per
// index; only the list box's items, its positions, skip the hidden ones, and positionOf
// and indexAt alone translate between the two.

#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editing/definition_page.h"
#include "editing/list_exchanger.h"
#include "editing/row_filter.h"
#include "editing/row_marks.h"
#include "gui/row_name_edit.h"
#include "gui/window/tt_controls.h"

class AuditionPlayer;
class ListSet;

// What a page asks of the window that holds it.
class PageHost {
public:
    virtual ~PageHost() = default;
    // Opens a chart dropped on the page, as a drop on the window does.
    virtual void openDroppedChart(const char* path) = 0;
    // Runs an editing operation of the page as one step that the user can take back.
    virtual void runEdit(ListSet& page, const std::function<void()>& operation) = 0;
    // Tells the user something about the page in passing, such as a sound not found.
    virtual void showStatus(const std::string& text) = 0;
    // Offers a base-36 chart whose list has no free row left the switch to base 62;
    // true when the chart was switched (as one step that the user can take back).
    virtual bool offerBase62() = 0;
};

class ListSet : public TtList, public DefinitionPage {
public:
    // Plays a sound file asynchronously; what cannot be played stays silent.
    using SoundPlayer = void (*)(const char* path);

    // The plan serves every renumbering of the page.
    ListSet(BmsBms& document, DefinitionKind kind, ListExchanger& plan);
    ~ListSet() override;

    DWORD exStyle() override;
    DWORD style() override;
    // Fills the rows, then subclasses the list box.
    bool onCreate() override;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints a row's text in the colour of its marks: problems (未登録, ファイルなし) red,
    // unused rows grey, selected rows in the system's selection colours.
    bool drawItem(const DRAWITEMSTRUCT& item) override;

    // Shows another document with its rows' marks: every row is replaced, none selected.
    void showDocument(BmsBms& document, const RowMarks& marks);
    void fillRows();

    BmsBms& document() override { return *document_; }
    DefinitionKind kind() const override { return kind_; }
    // While painting is held, selections are gathered and made as runs when it ends: a
    // list box that selects rows one by one moves its caret for each.
    bool isSelected(int row) override;
    void select(int row) override;
    void clearSelection();
    // Makes the gathered selections, then moves the caret and the anchor to the row.
    void placeCaret(int row);
    // The caret row, 0..1295; 0 when the filter shows no row.
    int caretRow() override;
    // Replaces the row's item, which leaves it unselected; a hidden row has none.
    void refreshRow(int row) override;
    // Replaces every shown row with redrawing suppressed; afterwards no row is selected.
    void refreshAll() override;
    // While a hold lasts the list paints nothing; when the last of nested holds ends it is
    // painted once, however many rows changed or were selected meanwhile, with the caret
    // on the row selected last.
    void holdRedraw();
    void releaseRedraw();

    // Plays the file that a player finds for the caret row's sound in the chart
    // directory (the name, else the same name as .wav, .ogg, .flac, .mp3), or tells the
    // host that it is not there or does not play. An empty row plays nothing.
    void previewSelected();
    // Stops the sound that plays (Esc).
    void stopPreview();
    // Opens the first dropped chart file, if there is one; otherwise registers the
    // dropped files' bare names into free slots from the caret row on and says, in one
    // box, what did not go as a user may think. Refused while a modal box is open.
    void registerDroppedFiles(HDROP drop);
    // Shows the first rows, with the caret on row 00.
    void showFromTop();
    // Selects the row alone and brings it into view with the caret on it; false, changing
    // nothing, when the filter hides it.
    bool jumpTo(int row);
    // Edits the shown row's file name in place; confirm gets the name typed.
    void editName(int row, RowNameEdit::Confirm confirm);
    // Shows the rows' marks after their names and the rows the filter shows with them;
    // only rows whose marks changed are replaced, and keep their selection.
    void showMarks(const RowMarks& marks);
    // Narrows the list to the filter's rows under the marks last shown.
    void setFilter(RowFilter filter);
    bool isShown(int row) const { return positionOf(row) >= 0; }
    // How often the row's index is referred to, as last shown.
    int references(int row) { return marks_.references[static_cast<std::size_t>(wordAt(row).value())]; }
    const RowMarks& marks() const { return marks_; }

    // Replaces the audition player, which decodes and plays on the system.
    void setSoundPlayer(SoundPlayer player) { player_ = player; }
    AuditionPlayer* auditionPlayer() { return audition_.get(); }
    // Without a host, a page runs its edits unrecorded and registers dropped charts as
    // any other file.
    void setHost(PageHost* host) { host_ = host; }

private:
    // The list box's position of a row; -1 when the filter hides it.
    int positionOf(int row) const { return positions_[static_cast<std::size_t>(row)]; }
    int indexAt(int position) const { return indices_[static_cast<std::size_t>(position)]; }
    // The number of rows the list box shows.
    int shownCount() const { return static_cast<int>(indices_.size()); }
    // The position of the row, else of the next shown row, else of the last one; -1 when
    // no row is shown.
    int positionNear(int row) const;
    // Lays the positions out for the marks and the filter held.
    void mapRows();
    // Brings the list box to the marks and the filter: deletes the items of rows the
    // filter now hides, inserts those it now shows, and replaces the shown rows whose
    // marks changed; the others keep their items, selection included.
    void showRows(const RowMarks& marks, RowFilter filter);
    // Selects the list box positions, given in ascending order.
    void selectPositions(const std::vector<int>& positions);
    void setItem(int position, int row, bool replace);

    // Rows are as high as the font's characters: an owner-drawn list keeps the height it
    // was created with.
    void fitRowHeight(HFONT font);

    LRESULT onKeyDown(WPARAM key);
    // Two index characters typed one after the other jump to that row.
    LRESULT onChar(WPARAM character);
    LRESULT onSysKeyDown(WPARAM key, LPARAM flags);
    void moveWithAlt(bool up, WPARAM key, LPARAM flags);
    void registerNames(const std::vector<std::string>& paths, const std::vector<std::string>& tooLong);
    // The row's index, name and marks, in a buffer that the next call reuses.
    const char* rowText(int row);
    void edit(const std::function<void()>& operation);

    BmsBms* document_;
    DefinitionKind kind_;
    ListExchanger& plan_;
    SoundPlayer player_ = nullptr;
    std::unique_ptr<AuditionPlayer> audition_;
    RowNameEdit nameEdit_;
    PageHost* host_ = nullptr;
    // Makes the gathered selections as runs of rows; true when there were any.
    bool selectGathered();

    // What most rows' texts take, to reserve the list box's storage for them at once.
    static constexpr int kShortRowBytes = 32;

    int redrawHolds_ = 0;
    std::bitset<BmsWord::kValueCount> gathered_;
    int lastSelected_ = -1;
    RowMarks marks_;
    RowFilter filter_ = RowFilter::All;
    // Row to position (-1 when hidden) and position to row.
    std::vector<int> positions_;
    std::vector<int> indices_;
    // The first character of an index being typed; 0 when none.
    char typedIndex_ = 0;
};

// Holds a page's painting for a scope.
class RedrawHold {
public:
    explicit RedrawHold(ListSet& page)
        : page_(page)
    {
        page_.holdRedraw();
    }
    ~RedrawHold() { page_.releaseRedraw(); }
    RedrawHold(const RedrawHold&) = delete;
    RedrawHold& operator=(const RedrawHold&) = delete;

private:
    ListSet& page_;
};
