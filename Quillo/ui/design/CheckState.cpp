#include "ui/design/CheckState.h"

CheckState checkState(std::size_t selected, std::size_t total)
{
    if (selected == 0 || total == 0)
        return CheckState::off;
    return selected >= total ? CheckState::on : CheckState::mixed;
}
