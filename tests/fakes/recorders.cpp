#include "recorders.h"

#include <algorithm>
#include <cstdio>

namespace vesperon {

namespace {
std::string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}
constexpr Handle kPseudoProcess = 7;
constexpr Handle kToken = 42;
}  // namespace

Handle RecordingPowerApi::GetCurrentProcess() {
  calls.push_back("GetCurrentProcess()");
  return kPseudoProcess;
}

bool RecordingPowerApi::OpenProcessToken(Handle process, std::uint32_t desiredAccess,
                                         Handle& token) {
  calls.push_back("OpenProcessToken(process=" + std::to_string(process) +
                  ", access=" + Hex(desiredAccess) + ")");
  if (succeed) token = kToken;
  return succeed;
}

bool RecordingPowerApi::LookupPrivilegeValueA(const std::string& systemName,
                                              const std::string& name, Luid& luid) {
  calls.push_back("LookupPrivilegeValueA(system=\"" + systemName + "\", name=\"" + name + "\")");
  if (succeed) luid = Luid{0x13, 0};
  return succeed;
}

bool RecordingPowerApi::AdjustTokenPrivileges(Handle token, bool disableAllPrivileges,
                                              const TokenPrivileges& newState,
                                              std::uint32_t bufferLength, TokenPrivileges&,
                                              std::uint32_t&) {
  lastPrivileges = newState;
  calls.push_back("AdjustTokenPrivileges(token=" + std::to_string(token) +
                  ", disableAll=" + (disableAllPrivileges ? "true" : "false") +
                  ", count=" + std::to_string(newState.privilegeCount) +
                  ", luid=" + Hex(newState.luid.lowPart) + ":" + Hex(newState.luid.highPart) +
                  ", attributes=" + std::to_string(newState.attributes) +
                  ", length=" + std::to_string(bufferLength) + ")");
  return succeed;
}

bool RecordingPowerApi::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  calls.push_back("ExitWindowsEx(flags=" + Hex(flags) + ", reserved=" + Hex(reserved) + ")");
  if (onExitWindows) onExitWindows();
  return succeed;
}

int RecordingPowerApi::ExitRequests() const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
    return c.rfind("ExitWindowsEx", 0) == 0;
  }));
}

void RecordingSpeaker::Play(const Melody& melody) {
  played.push_back(melody);
  if (onPlay) onPlay(melody);
}

bool RecordingTray::ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) {
  calls.push_back({message, data});
  return true;
}

void RecordingShell::MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) {
  boxes.push_back({text, title, icon});
  if (whileOpen) whileOpen(boxes.back());
}

const MenuEntry* RecordingShell::PopupMenu(const MenuEntry& menu) {
  menus.push_back(&menu);
  return choose ? choose(menu) : nullptr;
}

const MenuEntry* RecordingShell::PopupMenuAt(const MenuEntry& menu, int x, int y) {
  menusAtFace.emplace_back(x, y);
  return PopupMenu(menu);
}

void RecordingShell::ShowModal(Dialog dialog) {
  dialogs.push_back(dialog);
  if (whileDialogOpen) whileDialogOpen(dialog);
}

}  // namespace vesperon
