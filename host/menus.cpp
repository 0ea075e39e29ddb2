// host/menus.cpp: the plug-ins menu, created menus and a user's selection.
#include "XPLMMenus.h"
#include "internal.h"

namespace xphost {
namespace {

struct Menus {
    std::vector<Menu> list;              // the plug-ins menu first, then created menus
};

Menus& menus_state()
{
    static Menus* m = new Menus;
    return *m;
}

Menu* menu_rec(XPLMMenuID id)
{
    if (!id)
        return nullptr;
    for (auto& m : menus_state().list)
        if (m.id == id)
            return &m;
    return nullptr;
}

MenuItem* item_rec(XPLMMenuID id, int index)
{
    Menu* m = menu_rec(id);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size()))
        return nullptr;
    return &m->items[index];
}

}  // namespace

namespace detail {

void reset_menus()
{
    Menus& m = menus_state();
    m.list.clear();
    Menu plugins;
    plugins.id = next_id();
    plugins.name = "Plugins";
    m.list.push_back(plugins);
}

// The simulator keeps the menus and items a stopped plug-in left; choosing
// one calls nobody.
void drop_plugin_menus()
{
    Menus& m = menus_state();
    for (size_t k = 0; k < m.list.size(); ++k) {
        Menu& menu = m.list[k];
        if (k == 0) {
            for (const MenuItem& item : menu.items)
                record_fault("the item " + (item.separator ? std::string("(separator)") : item.name) +
                             " was left in the plug-ins menu");
        } else {
            record_fault("the menu " + menu.name + " was left behind");
        }
        menu.handler = nullptr;
    }
}

}  // namespace detail

XPLMMenuID plugins_menu() { return menus_state().list.front().id; }

std::vector<Menu> menus() { return menus_state().list; }

const Menu* menu(XPLMMenuID id) { return menu_rec(id); }

const Menu* find_menu(const std::string& name)
{
    const auto& list = menus_state().list;
    for (size_t k = 1; k < list.size(); ++k)
        if (list[k].name == name)
            return &list[k];
    return nullptr;
}

bool select_menu_item(const std::string& menuName, const std::string& itemName)
{
    const Menu* m = find_menu(menuName);
    if (!m || !m->handler || !detail::plugin_receives())
        return false;
    for (const auto& item : m->items) {
        if (item.separator || item.name != itemName)
            continue;
        if (!item.enabled)
            return false;
        // Copy first: the handler may change the menus.
        const XPLMMenuHandler_f handler = m->handler;
        void* menuRef = m->menu_ref;
        void* itemRef = item.ref;
        detail::call_plugin(CallbackKind::Other, handler, menuRef, itemRef);
        return true;
    }
    return false;
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

XPLMMenuID XPLMFindPluginsMenu(void)
{
    XPHOST_API(XPLMFindPluginsMenu);
    return plugins_menu();
}

XPLMMenuID XPLMCreateMenu(const char* inName, XPLMMenuID inParentMenu, int inParentItem,
                          XPLMMenuHandler_f inHandler, void* inMenuRef)
{
    XPHOST_API(XPLMCreateMenu, text(inName), inParentMenu, inParentItem, inHandler, inMenuRef);
    if (!inName || !*inName)
        return nullptr;                  // the host wants a name even for submenus
    if (inParentMenu && !item_rec(inParentMenu, inParentItem))
        return nullptr;
    Menu m;
    m.id = detail::next_id();
    m.name = inName;
    m.parent = inParentMenu;
    m.parent_item = inParentMenu ? inParentItem : -1;
    m.handler = inHandler;
    m.menu_ref = inMenuRef;
    if (MenuItem* parent = item_rec(inParentMenu, inParentItem))
        parent->submenu = m.id;
    menus_state().list.push_back(m);
    return m.id;
}

void XPLMDestroyMenu(XPLMMenuID inMenuID)
{
    XPHOST_API(XPLMDestroyMenu, inMenuID);
    auto& list = menus_state().list;
    if (!inMenuID || inMenuID == plugins_menu())
        return;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->id != inMenuID)
            continue;
        if (MenuItem* parent = item_rec(it->parent, it->parent_item))
            if (parent->submenu == inMenuID)
                parent->submenu = nullptr;
        list.erase(it);
        return;
    }
}

// The items after it move up; a submenu under the removed item loses its place.
void XPLMRemoveMenuItem(XPLMMenuID inMenu, int inIndex)
{
    XPHOST_API(XPLMRemoveMenuItem, inMenu, inIndex);
    Menu* m = menu_rec(inMenu);
    if (!m || inIndex < 0 || inIndex >= static_cast<int>(m->items.size()))
        return;
    m->items.erase(m->items.begin() + inIndex);
    for (Menu& sub : menus_state().list) {
        if (sub.parent != inMenu)
            continue;
        if (sub.parent_item == inIndex) {
            sub.parent = nullptr;
            sub.parent_item = -1;
        } else if (sub.parent_item > inIndex) {
            --sub.parent_item;
        }
    }
}

int XPLMAppendMenuItem(XPLMMenuID inMenu, const char* inItemName, void* inItemRef, int inDeprecatedAndIgnored)
{
    XPHOST_API(XPLMAppendMenuItem, inMenu, text(inItemName), inItemRef, inDeprecatedAndIgnored);
    Menu* m = menu_rec(inMenu);
    if (!m)
        return -1;
    MenuItem item;
    item.name = inItemName ? inItemName : "";
    item.ref = inItemRef;
    m->items.push_back(item);
    return static_cast<int>(m->items.size()) - 1;
}

void XPLMAppendMenuSeparator(XPLMMenuID inMenu)
{
    XPHOST_API(XPLMAppendMenuSeparator, inMenu);
    if (Menu* m = menu_rec(inMenu)) {
        MenuItem item;
        item.separator = true;
        m->items.push_back(item);
    }
}

void XPLMCheckMenuItem(XPLMMenuID inMenu, int index, XPLMMenuCheck inCheck)
{
    XPHOST_API(XPLMCheckMenuItem, inMenu, index, inCheck);
    if (MenuItem* item = item_rec(inMenu, index))
        item->check = inCheck;
}

void XPLMEnableMenuItem(XPLMMenuID inMenu, int index, int enabled)
{
    XPHOST_API(XPLMEnableMenuItem, inMenu, index, enabled);
    if (MenuItem* item = item_rec(inMenu, index))
        item->enabled = enabled != 0;
}
