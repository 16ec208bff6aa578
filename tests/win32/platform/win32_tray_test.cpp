#include "platform/win32/win32_tray.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/tray_balloon_notifier.h"
#include "win32/win32_picture_loader.h"
#include "tray/mod_tray.h"

namespace vesperon {
namespace {

// The shell's calls as the tray makes them, records and all.
struct ShellRecorder {
  struct Call {
    DWORD message;
    NOTIFYICONDATAA record;
  };
  std::vector<Call> calls;
  std::vector<NOTIFYICONDATAW> balloons;
  bool taskbar = true;

  ShellTrayCalls Calls() {
    return {[this](DWORD message, PNOTIFYICONDATAA data) {
              calls.push_back({message, *data});
              return TRUE;
            },
            [this](DWORD message, PNOTIFYICONDATAW data) {
              EXPECT_EQ(message, static_cast<DWORD>(NIM_MODIFY));
              balloons.push_back(*data);
              return TRUE;
            },
            [this] { return taskbar; }};
  }
};

TEST(Win32Tray, TheRecordIsTheShellsFirstLayoutWithTheDesignedFields) {
  // The first layout ends with the 64-byte tip: 88 bytes on 32-bit
  // Windows, 104 on 64-bit, where the window and icon handles are wider.
  EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, offsetof(NOTIFYICONDATAA, szTip) + 64);
  EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, sizeof(void*) == 8 ? 104u : 88u);

  Win32PictureLoader pictures;
  ShellRecorder shell;
  Win32Tray tray(shell.Calls());
  ModTray module(tray);
  Form clock;
  clock.hWnd = 0x1234;
  clock.icon = pictures.BuiltIn("tray1.ico");
  module.AgregarIconoBandeja(clock);
  module.CambiarTipBandeja("Vesperon - Inciado");

  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell.calls[1].message, static_cast<DWORD>(NIM_MODIFY));
  const NOTIFYICONDATAA& record = shell.calls[1].record;
  EXPECT_EQ(record.cbSize, NOTIFYICONDATAA_V1_SIZE);
  EXPECT_EQ(record.hWnd, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(record.uID, 1u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, static_cast<UINT>(WM_APP + 1)) << "the window's own message";
  EXPECT_EQ(record.hIcon, IconOf(clock.icon));
  EXPECT_EQ(std::string(record.szTip, 64),
            std::string("Vesperon - Inciado") + '\0' + std::string(64 - 19, ' '));
  EXPECT_EQ(std::string(shell.calls[0].record.szTip), "Vesperon");

  const std::string longTip(70, 'x');
  module.CambiarTipBandeja(longTip);
  EXPECT_EQ(std::string(shell.calls.back().record.szTip, 64), std::string(64, 'x'))
      << "cut to the field, without room for its end";
}

TEST(Win32Tray, ANewTaskbarGetsTheIconAgainAsItLastWas) {
  ShellRecorder shell;
  Win32Tray tray(shell.Calls());
  ASSERT_NE(tray.Listener(), nullptr);
  int changes = 0;
  tray.SetTrayChangeHandler([&] { ++changes; });
  ModTray module(tray);
  Form clock;
  clock.hWnd = 0x99;
  module.AgregarIconoBandeja(clock);
  module.CambiarTipBandeja("Vesperon - Inciado");

  // Explorer tells every top-level window when its taskbar starts.
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageW(tray.Listener(), taskbarCreated, 0, 0);
  ASSERT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(shell.calls[2].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell.calls[2].record.hWnd, reinterpret_cast<HWND>(0x99));
  EXPECT_EQ(std::string(shell.calls[2].record.szTip), "Vesperon - Inciado");
  EXPECT_EQ(changes, 1);

  EXPECT_TRUE(tray.ShowBalloon("No se pudo apagar el equipo", "Acceso denegado."));
  ASSERT_EQ(shell.balloons.size(), 1u);
  EXPECT_EQ(shell.balloons[0].uFlags, static_cast<UINT>(NIF_INFO));
  EXPECT_EQ(shell.balloons[0].hWnd, reinterpret_cast<HWND>(0x99));
  EXPECT_EQ(std::wstring(shell.balloons[0].szInfoTitle), L"No se pudo apagar el equipo");

  // The countdown's notice: a warning with the count, taken away at its end.
  TrayBalloonNotifier notifier(tray);
  notifier.Announce("Vesperon", "Se apagará en: 20 secs", "Cancelar");
  notifier.Withdraw();
  notifier.Withdraw();
  ASSERT_EQ(shell.balloons.size(), 3u);
  EXPECT_EQ(shell.balloons[1].dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  EXPECT_EQ(std::wstring(shell.balloons[1].szInfo), L"Se apagar\u00e1 en: 20 secs");
  EXPECT_EQ(std::wstring(shell.balloons[2].szInfo), L"");

  // Gone with the program's own delete: a later taskbar gets nothing.
  module.QuitarIconoBandeja();
  SendMessageW(tray.Listener(), taskbarCreated, 0, 0);
  EXPECT_EQ(shell.calls.size(), 4u);
  EXPECT_FALSE(tray.ShowBalloon("x", "y"));

  shell.taskbar = false;
  EXPECT_FALSE(tray.TrayAvailable());
}

}  // namespace
}  // namespace vesperon
