#!/usr/bin/env bash
# Bridges a TCP port to a serial device through ser2net, the way a serial
# server stands between the program and a radio's cable. With the virtual
# radio on a pseudo-terminal this gives the program's TCP link a real bridge
# to talk through:
#
#   build/dev/bin/quillon-virtual-radio > radio.out &   # line 1: the device
#   tools/virtual-radio/ser2net-bridge.sh "$(head -n 1 radio.out)" 7001 [BAUD]
#   # the program then uses TCP with address 127.0.0.1 and port 7001
#
# Runs in the foreground until stopped; the bridge listens on 127.0.0.1 only.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 DEVICE TCP-PORT [BAUD]" >&2
  exit 2
fi
device=$1
port=$2
baud=${3:-9600}

PATH=$PATH:/usr/sbin:/sbin
command -v ser2net >/dev/null || { echo "$0: ser2net is not installed (scripts/setup-debian.sh)" >&2; exit 1; }
[ -e "$device" ] || { echo "$0: no device $device" >&2; exit 1; }

# ser2net 4 reads YAML; -Y takes it line by line and keeps it off the disk.
# "local" ignores the modem lines a pseudo-terminal does not have;
# kickolduser lets each clone operation's new connection take over.
# Without a running mDNS service ser2net says "Unable to start mdns"; the
# bridge works all the same.
exec ser2net -n -u -P "${TMPDIR:-/tmp}/ser2net-bridge-$port.pid" \
  -Y "connection: &radio" \
  -Y "  accepter: tcp,127.0.0.1,$port" \
  -Y "  connector: serialdev,$device,${baud}n81,local" \
  -Y "  options:" \
  -Y "    kickolduser: true"
