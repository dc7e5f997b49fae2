#include "classrecord.h"

void ApplyBlockStartDefaults(ClassRecord &r)
{
    r.classname.assign("?");
    r.underwaterair = 11.0f;
    r.keys.clear();
    r.speed = 1.0f;
    r.resistance = 0.0f;
    r.jump = 1.0f;
    r.max_health = 100;
    r.health = 100;
    r.max_357cal = 12;
    r.max_shells = 20;
    r.max_rockets = 4;
    r.max_grenades = 20;
    r.max_cells = 200;
    r.max_45cal = r.max_9cal = r.max_556cal = r.max_308cal = r.max_762bb = 4;
    r.kevlar_trouser = 20;
    r.kevlar_vest = 50;
    r.combat_helmet = 30;
    r.classabilities = 0;
    r.starting_weapon.clear();
    r.inventory.fill(0);
}

void ApplyEmptyTableDefault(ClassRecord &r)
{
    ApplyBlockStartDefaults(r);
    r.starting_weapon.assign("weapon_mk23");
}
