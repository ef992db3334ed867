#pragma once

// The tool's page: the rows named on the command line stand selected, with a caret
// row, over one table of a document. There is no list to redraw, so a refresh only
// drops the row's selection, as it does on a real list.

#include <bitset>

#include "editing/definition_page.h"

class SelectionPage : public DefinitionPage {
public:
    SelectionPage(BmsBms& document, DefinitionKind kind)
        : document_(document)
        , kind_(kind)
    {
    }

    void setCaretRow(int row) { caretRow_ = row; }

    BmsBms& document() override { return document_; }
    DefinitionKind kind() const override { return kind_; }
    bool isSelected(int row) override;
    void select(int row) override;
    int caretRow() override { return caretRow_; }
    void refreshRow(int row) override;
    void refreshAll() override { selected_.reset(); }

private:
    static constexpr int kMostRows = BmsWord::kValueCount;
    bool isRow(int row) { return row >= 0 && row < rowCount(); }

    BmsBms& document_;
    DefinitionKind kind_;
    std::bitset<kMostRows> selected_;
    int caretRow_ = 0;
};
