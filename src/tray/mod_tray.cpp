#include "tray/mod_tray.h"

namespace vesperon {

namespace {
constexpr std::size_t kTipBytes = 64;
}

std::string TipField(const std::string& text) {
  if (text.size() >= kTipBytes) return text.substr(0, kTipBytes);
  std::string field = text;
  field.push_back('\0');
  field.resize(kTipBytes, ' ');
  return field;
}

void ModTray::AgregarIconoBandeja(const Form& window) {
  record_ = NotifyIconData{};
  record_.hWnd = window.hWnd;
  record_.hIcon = window.icon;
  record_.szTip = TipField("Vesperon");
  port_.ShellNotifyIcon(NotifyMessage::Add, record_);
}

void ModTray::CambiarTipBandeja(const std::string& text) {
  record_.szTip = TipField(text);
  port_.ShellNotifyIcon(NotifyMessage::Modify, record_);
}

void ModTray::CambiarIconoBandeja(const Picture& icon) {
  record_.hIcon = icon;
  port_.ShellNotifyIcon(NotifyMessage::Modify, record_);
}

void ModTray::QuitarIconoBandeja() { port_.ShellNotifyIcon(NotifyMessage::Delete, record_); }

}  // namespace vesperon
