#pragma once

// What the editing operations need of a list page: its document and kind, the
// selection and caret over the rows of the chart's base (row r shows the index
// table().wordAt(r): 00 to ZZ, or to zz in base 62), and row refreshes.
// The GUI's list page implements it over a real list box; the command-line tool
// over a set of rows. Refreshing a row clears that row's selection.

#include "model/bms_bms.h"
#include "model/definition_kind.h"

class DefinitionPage {
public:
    virtual ~DefinitionPage() = default;

    virtual BmsBms& document() = 0;
    virtual DefinitionKind kind() const = 0;
    virtual bool isSelected(int row) = 0;
    // Adds the row to the selection.
    virtual void select(int row) = 0;
    virtual int caretRow() = 0;
    virtual void refreshRow(int row) = 0;
    // Refreshes every row; afterwards no row is selected.
    virtual void refreshAll() = 0;

    BmsRegistArray& table() { return *document().table(kind()); }
    // The one place the number of rows comes from: the base of the chart.
    int rowCount() { return table().rowCount(); }
    BmsWord wordAt(int row) { return table().wordAt(row); }
};
