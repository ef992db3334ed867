#pragma once

// A definition page for tests: the selection is a set of rows, and every refresh is
// recorded, so that a test sees which rows an operation refreshed and reselected.

#include <set>
#include <vector>

#include "editing/definition_page.h"

class RecordingPage : public DefinitionPage {
public:
    RecordingPage(BmsBms& document, DefinitionKind kind)
        : document_(document)
        , kind_(kind)
    {
    }

    BmsBms& document() override { return document_; }
    DefinitionKind kind() const override { return kind_; }
    bool isSelected(int row) override { return selection.count(row) != 0; }
    void select(int row) override { selection.insert(row); }
    int caretRow() override { return caret; }
    // Like a list box, a refreshed row loses its selection.
    void refreshRow(int row) override
    {
        selection.erase(row);
        refreshedRows.push_back(row);
    }
    void refreshAll() override
    {
        selection.clear();
        ++fullRefreshes;
    }

    std::set<int> selection;
    int caret = 0;
    std::vector<int> refreshedRows;
    int fullRefreshes = 0;

private:
    BmsBms& document_;
    DefinitionKind kind_;
};
