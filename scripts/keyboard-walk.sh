#!/bin/bash
# Keyboard-only walk through the slip editor, run inside Xvfb after a build:
#   xvfb-run -a -s "-screen 0 1366x768x24" bash scripts/keyboard-walk.sh
# Works on a copy of the program folder in /tmp/walk12; screenshots go to /tmp/walk12_*.png. With no window
# manager, focus() stands in for it: it gives the named window the keyboard focus, as a window manager does.
set -u
rm -rf /tmp/walk12 && cp -r "$(dirname "$0")/../build/program" /tmp/walk12
cd /tmp/walk12
export LANG=it_IT.UTF-8
./Versalia > /tmp/walk12.log 2>&1 &
APP=$!
sleep 4
shot() { import -window root /tmp/walk12_$1.png; }
k() { LC_ALL=C.UTF-8 xdotool key --delay 120 "$@"; sleep 0.7; }
t() { LC_ALL=C.UTF-8 xdotool type --delay 90 "$1"; sleep 0.7; }
focus() { xdotool search --onlyvisible --name "$1" windowfocus --sync 2>/dev/null; sleep 0.5; }
focus "Accesso"
t "girasolebianco"; k Return; sleep 1
focus "^ Versalia$"
shot 02_menu
k Return; sleep 1
focus "Compilazione"
k Return                     # year field -> Apri
shot 04_apri_focus
k Return; sleep 1            # Apri opens the year
t "16"; k Return
t "5"; k Return
t "popescu ștefan"; k Return
t "str. mihai viteazu 5"; k Return
t "500010"; k Return
t "brașov"; k Return
shot 05_typed
k Return; sleep 1            # due date: the calendar
focus "Importazione"
shot 06_calendar
k Return; sleep 1
focus "Compilazione"
shot 07_after_import
k ctrl+s; sleep 1
shot 08_saved
k Return; sleep 0.5
focus "Compilazione"
k ctrl+d; sleep 1
shot 09_duplicated
k Return; sleep 0.5
focus "Compilazione"
t "25"
shot 10_amount25
k ctrl+s; sleep 1
k Return; sleep 0.5
focus "Compilazione"
k ctrl+n; sleep 0.5
shot 11_new
k F5; sleep 1.5
focus "non saldati"
shot 12_unpaid
k Tab; k Down
shot 13_line
k Return; sleep 1
focus "Compilazione"
shot 14_back
kill $APP
