#include "classrecord.h"

namespace tolvane {

// ApplyBlockStartDefaults is defined beside the field table it reads.

void ApplyEmptyTableDefault(ClassRecord &r)
{
    ApplyBlockStartDefaults(r);
    r.starting_weapon.assign("weapon_mk23");
}

} // namespace tolvane
