#include "classrecord.h"

namespace tolvane {

// applyBlockStartDefaults is defined beside the field table it reads.

void applyEmptyTableDefault(ClassRecord &r)
{
    applyBlockStartDefaults(r);
    r.starting_weapon.assign("weapon_mk23");
}

} // namespace tolvane
