#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and runs it.
#
# usage: scripts/run.sh [--demo] [/lantern] [/factory_adj]
#   --demo   also starts the virtual radio on a local TCP port and points the
#            program at it, with settings of its own under build/demo (your
#            own settings stay untouched): Clone > Read from Radio works at once.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=0
if [ "${1:-}" = "--demo" ]; then
  demo=1
  shift
fi

scripts/setup-debian.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target quillon quillon-virtual-radio
bin=build/dev/bin

if [ "$demo" -eq 0 ]; then
  exec "$bin/quillon" "$@"
fi

home=build/demo
mkdir -p "$home/config/Vorn"
settings="$home/config/Vorn/Quillon(dPMR).conf"

# The radio answers on a free port of this machine with the default data of
# the PMR model; its first line of output is the port.
"$bin/quillon-virtual-radio" --tcp 0 --listen 127.0.0.1 --memory data/QX7315C_PMR.vrc \
  >"$home/radio.out" 2>"$home/radio.log" &
radio=$!
trap 'kill "$radio" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM HUP
port=
for _ in $(seq 100); do
  port=$(head -n 1 "$home/radio.out" 2>/dev/null || true)
  [ -n "$port" ] && break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "run: the virtual radio did not start; see $home/radio.log" >&2
  exit 1
fi
echo "run: virtual radio listening on 127.0.0.1:$port"

# A whole set of settings the first time (a partial one would be refused and
# replaced by the defaults); afterwards only the link is pointed at the radio.
if [ ! -f "$settings" ]; then
  cat >"$settings" <<'SETTINGS'
[Global]
BBT=753951
ComPort=1
ComSpeedHigh=1
Current%20Directory=
IpAddress=127.0.0.1
PortSelect=1
TcpipPort=41000

[Password]
AdjustMode=00
MakerReserveMode=6C616E7465726E

[Recent%20File%20List]
Recent0=
Recent1=
Recent2=
Recent3=
Recent4=
Recent5=
Recent6=
Recent7=
Recent8=
Recent9=

[Setup]
Language=0
ModelType=1

[View%20Option]
FontSize%20Percentage=100
FontSize%20Printer=10
Toolbar%20Visible=1

[Window%20Position]
Height=600
Left=112
SplitterV=200
Top=50
Width=800
SETTINGS
fi
sed -i -e 's/^PortSelect=.*/PortSelect=1/' -e 's/^IpAddress=.*/IpAddress=127.0.0.1/' \
  -e "s/^TcpipPort=.*/TcpipPort=$port/" "$settings"

XDG_CONFIG_HOME="$PWD/$home/config" "$bin/quillon" "$@"
