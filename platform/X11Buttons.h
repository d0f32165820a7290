#pragma once

#include <cstdint>

struct xcb_connection_t;

// Whether any pointer button is down, buttons beyond the fifth included: the core pointer query
// reports buttons 1 to 5 only, so side buttons (8, 9) are asked for through XInput 2. Falls back
// to the core answer where the server has no XInput 2.
bool x11AnyButtonHeld(xcb_connection_t *connection, std::uint32_t root);

// Whether a core key-and-button mask, as a pointer query answers it, has one of buttons 1 to 5.
bool x11CoreButtonHeld(std::uint16_t mask);
