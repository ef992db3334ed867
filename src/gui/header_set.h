#pragma once

// One header field of the header pane: a label with the key's name and an edit box
// that shows the key's value and writes every change straight into the header table.
// All fields share one header table and are kept in one class-wide table in creation
// order, which also fixes their position in the pane.

#include <array>
#include <memory>

#include "gui/header_edit.h"
#include "model/bms_header_hash.h"

class HeaderSet {
public:
    // The field table ends at its first empty entry, so it holds one field fewer.
    static constexpr int kTableSize = 256;
    static constexpr int kMaxFields = kTableSize - 1;

    // Pane geometry in pixels.
    static constexpr int kPaneWidth = 200;
    static constexpr int kFieldTop = 15;
    static constexpr int kEditHeight = 20;
    static constexpr int kLabelHeight = 15;
    static constexpr int kRightMargin = 10;
    static constexpr int kLeftMargin = 5;
    static constexpr int kFieldGap = 10;

    // Creates, places and shows the label and the (empty) edit as children of parent.
    HeaderSet(TtWindow* parent, const char* name, int labelId, int editId);
    HeaderSet(const HeaderSet&) = delete;
    HeaderSet& operator=(const HeaderSet&) = delete;

    // Places label and edit by the field's index; resizing the window never moves them.
    void layout();
    // Shows the table's value of the key ("" when absent).
    void refresh();
    // Writes the edit's text, at most kPathBufferSize - 1 bytes of it, under the key.
    void store();

    int index() const { return index_; }
    TtWindow* parent() const { return parent_; }
    const char* key() const { return key_.get(); }
    TtStatic& label() { return *label_; }
    int labelId() const { return labelId_; }
    HeaderEdit& edit() { return *edit_; }
    int editId() const { return editId_; }

    // The table every field reads and writes from now on; null for none.
    static void setHeaderTable(BmsHeaderHash* table);
    // The font of fields created from now on.
    static void setFieldFont(HFONT font);
    static void refreshFields();
    // The first field whose label id or edit id is id; null when none.
    static HeaderSet* findField(int id);
    static int fieldCount();
    // Forgets every field, the table and the font; fields are kept until the process
    // ends, so a field may only be destroyed after this.
    static void resetFields();

private:
    int index_;
    TtWindow* parent_;
    std::unique_ptr<char[]> key_;
    std::unique_ptr<TtStatic> label_;
    int labelId_;
    std::unique_ptr<HeaderEdit> edit_;
    int editId_;
};
