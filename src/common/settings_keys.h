#pragma once

namespace vesperon::keys {

// The program's name in the settings store, and the section of its own
// start-up choice.
inline constexpr const char* kVesperon = "Vesperon";

inline constexpr const char* kApagado = "Apagado";
inline constexpr const char* kWindow = "Window";

inline constexpr const char* kHoras = "Horas";
inline constexpr const char* kMinutos = "Minutos";
inline constexpr const char* kSegundos = "Segundos";
inline constexpr const char* kFechaApagado = "FechaApagado";
inline constexpr const char* kRemain = "Remain";
inline constexpr const char* kWindowsVersion = "WindowsVersion";
inline constexpr const char* kUsaSpeaker = "UsaSpeaker";
inline constexpr const char* kSpeakerMelody = "SpeakerMelody";
inline constexpr const char* kOnTop = "OnTop";
inline constexpr const char* kSkin = "Skin";
inline constexpr const char* kXpos = "xpos";
inline constexpr const char* kYpos = "ypos";
inline constexpr const char* kAutoStart = "AutoStart";

}  // namespace vesperon::keys
