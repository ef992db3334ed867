// The headers edited in the header dialog.

#include <optional>
#include <string>
#include <vector>

#include "gui/header_dialog.h"
#include "gui/main_frame.h"

void MainFrame::editDialogHeaders()
{
    BmsHeaderHash& headers = *shell_.document->headerTable();
    DialogHeaderValues shown;
    for (std::size_t key = 0; key < kDialogHeaderKeys.size(); ++key)
        shown[key] = headers.get(kDialogHeaderKeys[key]);
    const std::optional<DialogHeaderValues> edited = askHeaders(instance(), handle(), shown);
    if (!edited)
        return;
    // An edit left as shown changes nothing, so an absent key stays absent.
    std::vector<EditStep::HeaderChange> changes;
    for (std::size_t key = 0; key < kDialogHeaderKeys.size(); ++key) {
        if ((*edited)[key] == shown[key])
            continue;
        const BmsHeaderOne* entry = headers.find(kDialogHeaderKeys[key]);
        changes.push_back({ kDialogHeaderKeys[key], entry ? std::optional<std::string>(entry->value()) : std::nullopt,
            (*edited)[key] });
        headers.set(kDialogHeaderKeys[key], (*edited)[key].c_str());
    }
    if (history_.recordHeaderChanges(std::move(changes)))
        showHistoryState();
}
