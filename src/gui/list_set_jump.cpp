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
    jumpTo(rowOfIndex(std::string { typedIndex_, typed }, table()));
    typedIndex_ = 0;
    return 0;
}

void ListSet::jumpTo(int row)
{
    clearSelection();
    TtList::select(row);
    setCaretAndAnchor(row);
}
