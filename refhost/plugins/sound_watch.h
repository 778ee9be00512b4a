// The system sounds that plug-ins make, counted so that a script can tell that a command
// beeped: each plug-in's import of MessageBeep is pointed at the host's own function, which
// counts the call and then plays the sound.
#pragma once
#include <windows.h>

namespace refhost {

// Redirects the module's MessageBeep import; a module that does not import it is left alone.
void watchSystemSounds(HMODULE module);
// The sounds made since the previous call (or the start), and starts counting anew.
int takeSystemSoundCount();

} // namespace refhost
