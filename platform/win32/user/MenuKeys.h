// Keys the menu code takes care of: the accelerator decision and the modifier keys held when
// each key press happened (kept as the window code hands the raw key events over, so an
// accelerator is matched against the state at its own message, not the state of later input).
#pragma once

#include <vector>

#include "../../backend/DesktopBackend.h"
#include "WinUser.h"

namespace zorva::platform {

// The entry of `table` that a key press of `virtual_key` with exactly the modifiers
// `modifiers` (Mod* bits) selects, or null. Only virtual-key entries (FVIRTKEY) exist here.
const ACCEL* matchAccelerator(const std::vector<ACCEL>& table, UINT virtual_key,
                              unsigned modifiers);

// Takes note of a raw key press and the modifiers held with it.
void noteKeyEvent(const InputEvent& event);
// The modifiers held when the key message `msg` was made; the Alt bit of its lParam when the
// press was not seen.
unsigned modifiersAtMessage(const MSG& msg);

}  // namespace zorva::platform
