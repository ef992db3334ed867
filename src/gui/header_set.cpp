#include "gui/header_set.h"

#include "gui/shell_state.h"
#include "model/helpers.h"

namespace {

struct FieldTable {
    // In creation order, ended by the first empty entry.
    std::array<HeaderSet*, HeaderSet::kTableSize> fields = {};
    int count = 0;
    BmsHeaderHash* headerTable = nullptr;
    HFONT font = nullptr;
};

FieldTable& fieldTable()
{
    static FieldTable table;
    return table;
}

} // namespace

HeaderSet::HeaderSet(TtWindow* parent, const char* name, int labelId, int editId)
    : index_(fieldTable().count)
    , parent_(parent)
    , key_(duplicateText(name, true))
    , label_(std::make_unique<TtStatic>())
    , labelId_(labelId)
    , edit_(std::make_unique<HeaderEdit>())
    , editId_(editId)
{
    FieldTable& table = fieldTable();
    // A field beyond the table's room still shows, but findField cannot reach it.
    if (table.count < kMaxFields)
        table.fields[table.count++] = this;

    label_->create(parent, labelId, parent->instance());
    label_->setFont(table.font);
    label_->setText(name);
    edit_->create(parent, editId, parent->instance());
    edit_->setFont(table.font);
    layout();
    label_->show();
    edit_->show();
}

void HeaderSet::layout()
{
    constexpr int kFieldPitch = kLabelHeight + kEditHeight + kFieldGap;
    constexpr int kWidth = kPaneWidth - kLeftMargin - kRightMargin;
    const int top = kFieldTop + kFieldPitch * index_;
    label_->move(kLeftMargin, top, kWidth, kLabelHeight);
    edit_->move(kLeftMargin, top + kLabelHeight, kWidth, kEditHeight);
}

void HeaderSet::refresh()
{
    const BmsHeaderHash* headers = fieldTable().headerTable;
    edit_->setText(headers ? headers->get(key()) : "");
}

void HeaderSet::store()
{
    BmsHeaderHash* headers = fieldTable().headerTable;
    if (!headers)
        return;
    char* text = ShellState::instance().pathBuffer;
    edit_->getText(text, kPathBufferSize);
    headers->set(key(), text);
}

void HeaderSet::setHeaderTable(BmsHeaderHash* table)
{
    fieldTable().headerTable = table;
}

void HeaderSet::setFieldFont(HFONT font)
{
    fieldTable().font = font;
}

void HeaderSet::refreshFields()
{
    for (HeaderSet* field : fieldTable().fields) {
        if (!field)
            break;
        field->refresh();
    }
}

HeaderSet* HeaderSet::findField(int id)
{
    for (HeaderSet* field : fieldTable().fields) {
        if (!field)
            break;
        if (field->labelId_ == id || field->editId_ == id)
            return field;
    }
    return nullptr;
}

int HeaderSet::fieldCount()
{
    return fieldTable().count;
}

void HeaderSet::resetFields()
{
    fieldTable() = FieldTable();
}
