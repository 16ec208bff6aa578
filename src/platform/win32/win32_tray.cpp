#include "platform/win32/win32_tray.h"

#include <algorithm>
#include <cstring>

#include "win32/wide_text.h"
#include "win32/win32_picture_loader.h"

namespace vesperon {

namespace {

constexpr std::size_t kTipBytes = 64;

std::string ToAnsi(const std::string& utf8) {
  const auto wide = Widen(utf8);
  if (!wide || wide->empty()) return {};
  const int size = static_cast<int>(wide->size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide->data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide->data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

// Copies a text into a fixed wide field, cut to fit with its NUL.
template <std::size_t N>
void CopyWide(wchar_t (&field)[N], const std::string& utf8) {
  const std::wstring text = Widen(utf8).value_or(std::wstring());
  const std::size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.data(), length, field);
  field[length] = L'\0';
}

}  // namespace

ShellTrayCalls SystemShellTrayCalls() {
  return {::Shell_NotifyIconA, ::Shell_NotifyIconW,
          [] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }};
}

NOTIFYICONDATAA ShellRecord(const NotifyIconData& data) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = reinterpret_cast<HWND>(data.hWnd);
  record.uID = data.uID;
  record.uFlags = data.uFlags;
  record.uCallbackMessage = data.uCallbackMessage;
  record.hIcon = IconOf(data.hIcon);
  // The core keeps the field in UTF-8: its text up to the NUL is the tip.
  const std::string tip = ToAnsi(data.szTip.substr(0, data.szTip.find('\0')));
  std::memset(record.szTip, ' ', kTipBytes);
  if (tip.size() >= kTipBytes) {
    std::memcpy(record.szTip, tip.data(), kTipBytes);
  } else {
    std::memcpy(record.szTip, tip.data(), tip.size());
    record.szTip[tip.size()] = '\0';
  }
  return record;
}

Win32Tray::Win32Tray(ShellTrayCalls calls)
    : calls_(std::move(calls)),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      listener_([this](UINT message, WPARAM, LPARAM) { return OnMessage(message); },
                MessageWindow::Reach::Broadcasts) {
  // A program running with more rights than Explorer would not hear it.
  if (listener_.Handle() != nullptr && taskbarCreated_ != 0)
    ChangeWindowMessageFilterEx(listener_.Handle(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
}

bool Win32Tray::ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) {
  NOTIFYICONDATAA record = ShellRecord(data);
  const bool done = calls_.notifyIconA(static_cast<DWORD>(message), &record) != FALSE;
  if (message == NotifyMessage::Delete)
    record_.reset();
  else
    record_ = data;
  return done;
}

bool Win32Tray::OnMessage(UINT message) {
  if (message != taskbarCreated_ || taskbarCreated_ == 0) return false;
  if (record_) {
    NOTIFYICONDATAA record = ShellRecord(*record_);
    calls_.notifyIconA(NIM_ADD, &record);
  }
  if (onTrayChange_) onTrayChange_();
  return true;
}

bool Win32Tray::ShowBalloon(const std::string& title, const std::string& text, DWORD infoIcon) {
  if (!record_) return false;
  NOTIFYICONDATAW balloon{};
  balloon.cbSize = sizeof balloon;
  balloon.hWnd = reinterpret_cast<HWND>(record_->hWnd);
  balloon.uID = record_->uID;
  balloon.uFlags = NIF_INFO;
  balloon.dwInfoFlags = infoIcon;
  CopyWide(balloon.szInfoTitle, title);
  CopyWide(balloon.szInfo, text);
  return calls_.notifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

// The shell takes a balloon away when it is given one with no text.
bool Win32Tray::HideBalloon() { return ShowBalloon("", ""); }

}  // namespace vesperon
