#include "inventorycommands.h"

#include "classdata/format/itemcatalogue.h"
#include "classdata/text/textnumbers.h"

namespace tolvane {

void InventoryCommands::pickItem()
{
    FormValues form = session.formView().form();
    if (const std::optional<int> slot = itemSlot(form.item)) {
        form.amount = std::to_string(session.document().state().current().inventory[std::size_t(*slot)]);
        session.formView().showForm(form);
    }
}

// ADD! changes the class at once, without storing the rest of the form, and
// says what it set: "Grenades: 4 -> 2".
void InventoryCommands::addItem()
{
    const FormValues form = session.formView().form();
    if (const std::optional<int> slot = itemSlot(form.item)) {
        const std::int32_t &amount = session.document().state().current().inventory[std::size_t(*slot)];
        const std::string before = formatInt(amount);
        session.history().add(setItemAmount(session.document().classes(), *slot, parseInt(form.amount)));
        session.formView().setStatus(std::string(itemCatalogue[std::size_t(*slot)].displayName) + ": " + before + " -> "
                                     + formatInt(amount));
    }
    session.refreshIndicators(form);
}

void InventoryCommands::pickStartingWeapon()
{
    const FormValues form = session.formView().form();
    const std::optional<int> slot = startingWeaponSlot(form.startingWeapon);
    if (slot && itemCatalogue[std::size_t(*slot)].inStartList)
        session.history().add(setStartingWeapon(session.document().classes(), *slot));
    const ClassRecord &current = session.document().state().current();
    session.formView().setStatus("Forced [" + utf8Of(current.starting_weapon.view()) + "] as Initial Weapon for ["
                                 + utf8Of(current.classname.view()) + "]");
    session.refreshIndicators(form);
}

// Each change in the inventory view is a step of its own, and the item list
// of the form shows the new amount.
void InventoryCommands::showInventory()
{
    const FormValues form = session.formView().form();
    view.showInventory({utf8Of(session.document().state().current().classname.view()), itemSlot(form.item).value_or(0),
                        [this] { return session.document().state().current().inventory; },
                        [this](int itemSlot, std::int32_t amount) {
                            session.history().add(setItemAmount(session.document().classes(), itemSlot, amount));
                            pickItem();
                            session.refreshIndicators(session.formView().form());
                        }});
}

void InventoryCommands::calculate()
{
    FormValues form = session.formView().form();
    form.calculated = std::to_string(session.document().state().current().classabilities & definedAbilityMask);
    session.formView().showForm(form);
}

} // namespace tolvane
