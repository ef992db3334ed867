#include "gui/shell_state.h"

ShellState& ShellState::instance()
{
    static ShellState state;
    return state;
}

void ShellState::reset()
{
    *this = ShellState();
}
