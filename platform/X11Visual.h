#pragma once

#include <cstdint>

struct xcb_connection_t;
struct xcb_visualtype_t;

// A visual of the server by id, on whichever screen it is (ids are unique server-wide); null
// where the server has none of that id.
const xcb_visualtype_t *x11Visual(xcb_connection_t *connection, std::uint32_t id);
