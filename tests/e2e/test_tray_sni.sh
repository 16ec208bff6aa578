#!/usr/bin/env bash
# A panel that shows StatusNotifierItems (a stand-in watcher on a private
# session bus) and starts after the program, as at login: the icon
# registers when it comes, its title is the program's, its tooltip and
# picture follow arming, and the panel's Activate and ContextMenu restore
# the clock and open the menu.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_session_bus

start_vesperon
wait_window "$VPID"
sleep 1
start_sni_watcher
wait_sni_item 5
note "registered as $SNI_ITEM once the panel came"
[ "$(sni title)" = Vesperon ] || fail "the item's title is '$(sni title)'"
[ "$(sni tooltip)" = Vesperon ] || fail "the item's tooltip is '$(sni tooltip)'"
# The desktop entry's StartupWMClass matches the windows by this.
xprop -id "$WID" WM_CLASS | grep -q '= "vesperon", "vesperon"$' || fail "WM_CLASS is $(xprop -id "$WID" WM_CLASS)"
first_icon=$(sni icon)
[[ "$first_icon" == 32x32\ * ]] || fail "the item's picture is '$first_icon'"

echo "the tooltip and picture follow arming"
double_click 26 47  # a digit: the editor
click 145 42        # ImgTipOk: accept
click 128 52        # TipApagado: arm
poll 5 eval '[ "$(sni tooltip)" = "Vesperon - Inciado" ]' || fail "armed, the tooltip is '$(sni tooltip)'"
[ "$(sni icon)" = "$first_icon" ] || fail "armed, the picture is not the main one"
click 128 52  # disarm
poll 5 eval '[ "$(sni tooltip)" = Vesperon ]' || fail "disarmed, the tooltip is '$(sni tooltip)'"
[ "$(sni icon)" != "$first_icon" ] || fail "disarmed, the picture did not change"
note "tooltip and picture changed with arming and disarming"

echo "the panel's clicks"
click 136 8  # ImgMinimizar
poll 5 eval '! is_mapped "$WID"' || fail "minimized with a panel, the window is still on screen"
sni activate
poll 5 is_mapped "$WID" || fail "Activate did not bring the clock back"
sni contextmenu
poll 5 eval '[ -n "$(menu_window_of "$VPID")" ]' || fail "ContextMenu opened no menu"
xdotool key Escape
note "Activate restored the clock, ContextMenu opened the menu"

echo "the panel restarts"
kill "$SNI_WATCHER"
: >"$SNI_LOG"
start_sni_watcher
wait_sni_item 5
note "registered again"
echo "PASS"
