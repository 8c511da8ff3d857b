// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

// Waits for one key press before a fatal exit, so a player who started the game
// from a terminal can read the message. Does not wait when stdin is no terminal.
void pauseConsole();

// Prints nothing more: pauses, then ends the process with the given status.
[[noreturn]] void exitAfterPause(int status);

} // namespace Pellwin
