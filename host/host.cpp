// host/host.cpp: a fresh host for every test.
#include "internal.h"

namespace xphost {

void reset()
{
    // Callbacks first, so nothing the old plug-in registered can run while the
    // rest is rebuilt; the plug-in's file is closed last.
    detail::reset_widgets();
    detail::reset_processing();
    detail::reset_commands();
    detail::reset_display();
    detail::reset_menus();
    detail::reset_utilities();
    detail::reset_datarefs();
    detail::reset_plugin();
    detail::reset_counters();
}

void unload_plugin()
{
    detail::drop_plugin_widgets();
    detail::drop_plugin_loops();
    detail::drop_plugin_handlers();
    detail::drop_plugin_display();
    detail::drop_plugin_menus();
    detail::drop_plugin_camera();
    detail::drop_plugin_features();
    detail::drop_plugin_accessors();
    detail::drop_plugin_file();
}

}  // namespace xphost
