#include "app/win32/clock_window.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "win32/gdi_drawing.h"
#include "win32/wide_text.h"
#include "main_harness.h"
#include "win32/win32_picture_loader.h"
#include "tray/win32/popup_menu_view.h"

namespace vesperon::win32_view {
namespace {

// The real window over a model on virtual time, with the real pictures.
class Win32ClockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.Handle(), nullptr);
    ASSERT_TRUE(h.Start());
    window.Sync();
  }

  // The face as the window paints it, row by row from the top.
  std::vector<COLORREF> Face() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 171, -128, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, canvas);
    SendMessageW(window.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    std::vector<COLORREF> face;
    for (int i = 0; i < 171 * 128; ++i) {
      const DWORD p = static_cast<const DWORD*>(bits)[i];
      face.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
    return face;
  }

  static bool Shows(const std::vector<COLORREF>& face, const Rect& slot, const Picture& picture) {
    const std::vector<COLORREF> expected = PixelsOf(picture);
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        if (face[(slot.top + y) * 171 + slot.left + x] != expected[y * picture.Width() + x])
          return false;
    return !expected.empty();
  }

  std::string ShownDigits(const std::vector<COLORREF>& face) {
    return h.DigitsShown(
        [&](const Image& place, const Picture& digit) { return Shows(face, place.rect, digit); });
  }

  LRESULT Send(UINT message, WPARAM wParam, int x, int y) {
    return SendMessageW(window.Handle(), message, wParam, MAKELPARAM(x, y));
  }
  // A press and release, and with `twice` the quick second pair of a double
  // click, as Windows sends them to a window with CS_DBLCLKS.
  void Click(const Rect& r, bool twice = false) {
    const int x = r.left + r.width / 2;
    const int y = r.top + r.height / 2;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Send(WM_LBUTTONUP, 0, x, y);
    if (!twice) return;
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, x, y);
    Send(WM_LBUTTONUP, 0, x, y);
  }

  BasicMainHarness<Win32PictureLoader> h{At(2026, 12, 7, 21, 5, 3, 100)};
  FrmMain& main = h.main;
  Win32WindowSystem windowSystem;
  ClockWindow window{main, windowSystem};
};

TEST_F(Win32ClockWindowTest, PaintsTheModelsFaceWithGdi) {
  EXPECT_EQ(ShownDigits(Face()), "210503");
  h.time.Advance(std::chrono::milliseconds(1000));
  window.Sync();
  std::vector<COLORREF> face = Face();
  EXPECT_EQ(ShownDigits(face), "210504");
  EXPECT_TRUE(Shows(face, main.TipApagado.rect, main.ImgTipApagadoOFF.picture));

  // A hidden colon shows the background where it was.
  main.ImgDosPuntos.visible = false;
  window.Sync();
  face = Face();
  EXPECT_FALSE(Shows(face, main.ImgDosPuntos.rect, main.ImgPuntos.picture));
  const std::vector<COLORREF> background = PixelsOf(main.Background);
  const Rect& colon = main.ImgDosPuntos.rect;
  EXPECT_EQ(face[colon.top * 171 + colon.left], background[colon.top * 171 + colon.left]);
  EXPECT_TRUE(Shows(face, main.ImgDosPuntos2.rect, main.ImgPuntos.picture));
}

TEST_F(Win32ClockWindowTest, TheTrayIconsMessagesComeInTheirOwnMessageAndMovesStayMoves) {
  ASSERT_FALSE(h.trayPort.calls.empty());
  EXPECT_EQ(h.trayPort.calls[0].data.hWnd, reinterpret_cast<std::uintptr_t>(window.Handle()))
      << "the icon's messages go to the clock window";
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  Click(main.ImgMinimizar.rect);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));

  // A real move whose X happens to be a mouse message's number is a move.
  Send(WM_MOUSEMOVE, MK_LBUTTON, WM_LBUTTONDOWN, 0);
  Send(WM_MOUSEMOVE, MK_LBUTTON, WM_RBUTTONUP, 0);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(h.shell.menus.empty());

  // The shell posts the icon's messages with wParam the icon's id and the
  // mouse message in lParam.
  const UINT trayMessage = h.trayPort.calls[0].data.uCallbackMessage;
  SendMessageW(window.Handle(), trayMessage, 1, WM_MOUSEMOVE);
  SendMessageW(window.Handle(), trayMessage, 1, WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(window.Handle())) << "moves and left releases do nothing";
  SendMessageW(window.Handle(), trayMessage, 1, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_FALSE(IsIconic(window.Handle()));

  EXPECT_TRUE(h.shell.menus.empty());
  SendMessageW(window.Handle(), trayMessage, 1, WM_RBUTTONUP);
  EXPECT_EQ(h.shell.menus.size(), 1u);

  // ≡ opens the menu, whose loop takes the mouse and with it the release;
  // Escape closes it. Nothing pressed before steers what comes after.
  const HWND menuLoop =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  h.shell.choose = [&](const MenuEntry&) -> const MenuEntry* {
    SetCapture(menuLoop);
    ReleaseCapture();
    return nullptr;
  };
  const Rect& menuButton = main.ImgConfig.rect;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, menuButton.left + 2, menuButton.top + 2);
  ASSERT_EQ(h.shell.menus.size(), 2u);
  EXPECT_NE(GetCapture(), window.Handle());
  // A button pressed elsewhere, dragged over the background.
  Send(WM_MOUSEMOVE, MK_LBUTTON, 60, 120);
  EXPECT_EQ(h.window.pointer, MousePointer::Default);
  SendMessageW(window.Handle(), trayMessage, 1, WM_RBUTTONUP);
  EXPECT_EQ(h.shell.menus.size(), 3u);
  DestroyWindow(menuLoop);
}

TEST_F(Win32ClockWindowTest, ASecondQuickPressStepsButNeverArmsTwice) {
  Click(main.ImgHora[0].rect, true);
  ASSERT_TRUE(main.AjustarHoraApagado) << "a double click on a digit opens the editor";
  const int hours = main.HoraApagado_hrs;
  Click(main.ImgButtonMAS.rect, true);
  EXPECT_EQ(main.HoraApagado_hrs, hours + 2) << "tapping plus twice steps twice";
  Click(main.ImgTipOk.rect);
  ASSERT_TRUE(main.HoraApagadoSet);

  Click(main.TipApagado.rect, true);
  EXPECT_TRUE(main.ApagarEquipo) << "a double click on the indicator arms once, not on and off";

  // Buttons beyond left, right and middle do nothing at all.
  const int x = main.TipApagado.rect.left + 2;
  const int y = main.TipApagado.rect.top + 2;
  Send(WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), x, y);
  Send(WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), x, y);
  EXPECT_TRUE(main.ApagarEquipo);
}

// The keys as Windows posts them: a repeat has bit 30 set, Shift+F10 comes
// as a system key, the menu key or a keyboard WM_CONTEXTMENU opens the one
// menu at the clock; and a click gives the clock the keyboard back from
// the "!" button.
TEST_F(Win32ClockWindowTest, TheKeysDriveTheModelAndAClickTakesTheKeyboard) {
  const auto post = [&](UINT message, WPARAM key, LPARAM flags = 1) {
    PostMessageW(window.Handle(), message, key, flags);
    MSG queued;
    while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&queued);
      DispatchMessageW(&queued);
    }
  };
  const LPARAM kRepeat = 1 | (1L << 30);
  const int hours = main.HoraApagado_hrs;
  post(WM_KEYDOWN, VK_RETURN);
  ASSERT_TRUE(main.AjustarHoraApagado);
  post(WM_KEYDOWN, VK_UP);
  post(WM_KEYDOWN, VK_UP, kRepeat);
  post(WM_KEYUP, VK_UP);
  EXPECT_EQ(main.HoraApagado_hrs, hours + 2);
  EXPECT_TRUE(main.TimerSep.Enabled()) << "the key came up, and the field blinks again";
  post(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(main.AjustarHoraIndexSel, 2);
  post(WM_KEYDOWN, VK_RETURN);
  EXPECT_TRUE(main.HoraApagadoSet);
  post(WM_KEYDOWN, VK_SPACE);
  post(WM_KEYDOWN, VK_SPACE, kRepeat);
  EXPECT_TRUE(main.ApagarEquipo);

  BYTE keyboard[256];
  GetKeyboardState(keyboard);
  keyboard[VK_SHIFT] = 0x80;
  SetKeyboardState(keyboard);
  post(WM_SYSKEYDOWN, VK_F10);
  post(WM_SYSKEYUP, VK_F10);
  keyboard[VK_SHIFT] = 0;
  SetKeyboardState(keyboard);
  post(WM_KEYDOWN, VK_APPS);
  post(WM_KEYUP, VK_APPS);
  post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Handle()), MAKELPARAM(-1, -1));
  const Rect& button = main.ImgConfig.rect;
  const std::pair<int, int> belowTheButton{button.left, button.top + button.height};
  EXPECT_EQ(h.shell.menusAtFace, (std::vector<std::pair<int, int>>(3, belowTheButton)));

  SetFocus(GetDlgItem(window.Handle(), 1));  // the "!" button
  ASSERT_NE(GetFocus(), window.Handle());
  Click(main.ImgHora[0].rect);
  EXPECT_EQ(GetFocus(), window.Handle());
}

// What a screen reader asks of the window through Active Accessibility: the
// description of the shutdown as it stands, and each control of the face,
// named by its tip, where it lies on the screen.
TEST_F(Win32ClockWindowTest, AScreenReaderReadsTheDescriptionAndTheControls) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  IAccessible* clock = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(window.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&clock)),
            S_OK);
  const auto child = [](long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  };
  // The text a call gave, freed.
  const auto taken = [](BSTR& text) {
    const std::string read = text != nullptr ? Narrow(text) : "";
    SysFreeString(text);
    text = nullptr;
    return read;
  };
  BSTR text = nullptr;
  clock->get_accDescription(child(CHILDID_SELF), &text);
  EXPECT_EQ(taken(text), "Hora de apagado no ajustada");
  Click(main.ImgHora[0].rect, true);
  Click(main.ImgTipOk.rect);
  Click(main.TipApagado.rect);
  clock->get_accDescription(child(CHILDID_SELF), &text);
  EXPECT_EQ(taken(text), "Hora de apagado 00:00:00, activado");

  long count = 0;
  clock->get_accChildCount(&count);
  EXPECT_EQ(count, 13) << "the face's twelve, and the \"!\" button";
  clock->get_accName(child(3), &text);
  EXPECT_EQ(taken(text), "Indica si el apagado automático está activado");
  POINT tip{main.TipApagado.rect.left + 2, main.TipApagado.rect.top + 2};
  ClientToScreen(window.Handle(), &tip);
  VARIANT at{};
  ASSERT_EQ(clock->accHitTest(tip.x, tip.y, &at), S_OK);
  EXPECT_EQ(at.vt, VT_I4);
  EXPECT_EQ(at.lVal, 3);
  clock->Release();
  CoUninitialize();
}

TEST_F(Win32ClockWindowTest, DraggedByItsBackground) {
  RECT before;
  GetWindowRect(window.Handle(), &before);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 60, 12);
  // Each move is measured from where the window is after the last one.
  Send(WM_MOUSEMOVE, MK_LBUTTON, 90, 32);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 70, 22);
  Send(WM_LBUTTONUP, 0, 70, 22);
  RECT after;
  GetWindowRect(window.Handle(), &after);
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ(std::lround(main.left / 15), after.left);
  EXPECT_FALSE(main.Arrastrando);
}

TEST_F(Win32ClockWindowTest, TheMenusPicturesSitWhereTheMenuAttachedThem) {
  h.menu.mnOnTop.checked = true;
  PopupMenuView view;
  const HMENU menu = view.Build(h.menu.mnMenu);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 10);
  for (int position = 0; position < 10; ++position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_CHECKMARKS | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item));
    const bool picture = position == 0 || position == 2 || position == 3;
    EXPECT_EQ(item.hbmpUnchecked != nullptr, picture) << position;
    EXPECT_EQ(item.hbmpChecked, nullptr) << position;
    const bool separator = position == 1 || position == 3 || position == 6 || position == 8;
    EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, separator) << position;
    EXPECT_EQ((item.fState & MFS_CHECKED) != 0, position == 4) << "only Siempre por Encima";
    EXPECT_EQ(item.hSubMenu != nullptr, position == 9) << position;
  }
  wchar_t caption[64];
  GetMenuStringW(GetSubMenu(menu, 9), 0, caption, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(caption), L"A\u00f1adir");
  EXPECT_EQ(view.EntryOf(GetMenuItemID(menu, 7)), &h.menu.mnSalir);
  DestroyMenu(menu);
}

}  // namespace
}  // namespace vesperon::win32_view
