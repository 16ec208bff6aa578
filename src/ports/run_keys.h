#pragma once

namespace vesperon {

// The keys under HKEY_LOCAL_MACHINE that start programs with the session.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunServicesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";

// The argument the entry passes, which starts the program hidden in the tray.
inline constexpr const char* kAutoStartArgument = "/autostart";

}  // namespace vesperon
