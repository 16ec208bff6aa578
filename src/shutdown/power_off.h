#pragma once

#include "ports/power_api.h"
#include "ports/settings_store.h"

namespace vesperon {

// Asks the system to power off by the path the WindowsVersion setting names:
// exactly "1" (plain request) or exactly "2" (shutdown privilege first).
// Any other text requests nothing, and the result is false.
bool EjecutarApagado(SettingsStore& settings, PowerApi& power);
void ApagarWin9x(PowerApi& power);
void ApagarWinNT(PowerApi& power);

}  // namespace vesperon
