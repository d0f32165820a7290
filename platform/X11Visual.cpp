#include "platform/X11Visual.h"

#include <xcb/xcb.h>

const xcb_visualtype_t *x11Visual(xcb_connection_t *connection, std::uint32_t id)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    for (auto s = xcb_setup_roots_iterator(setup); s.rem > 0; xcb_screen_next(&s)) {
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem > 0; xcb_depth_next(&d)) {
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
                if (v.data->visual_id == id)
                    return v.data;
            }
        }
    }
    return nullptr;
}
