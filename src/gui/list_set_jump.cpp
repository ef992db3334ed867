// Jumping to a row of a list page by typing its index.

#include <cctype>
#include <string>

#include "gui/list_set.h"
#include "gui/row_search.h"

LRESULT ListSet::onChar(WPARAM character)
{
    const char typed = static_cast<char>(character);
    // Anything but an index character starts the index afresh; the list box's own
    // search by first letter would only jump about.
    if (!std::isalnum(static_cast<unsigned char>(typed))) {
        typedIndex_ = 0;
        return 0;
    }
    if (typedIndex_ == 0) {
        typedIndex_ = typed;
        return 0;
    }
    const int row = rowOfIndex(std::string { typedIndex_, typed }, table());
    typedIndex_ = 0;
    if (!jumpTo(row) && host_)
        host_->showStatus(hiddenRowMessage(wordAt(row)));
    return 0;
}

bool ListSet::jumpTo(int row)
{
    const int position = positionOf(row);
    if (position < 0)
        return false;
    clearSelection();
    TtList::select(position);
    setCaretAndAnchor(position);
    return true;
}
