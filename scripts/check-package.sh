#!/usr/bin/env bash
# Checks a built package: what it holds, lintian's verdict (errors fail, style
# remarks are only shown), and the programs, desktop entry, metainfo and
# manual pages run and validated from the unpacked files. With --install it
# also installs the package with apt-get, runs it from /usr, and removes it
# again, which must leave none of its files behind; that is for machines that
# are there to be changed (CI), and is skipped when the package was already
# installed.
#
# usage: scripts/check-package.sh PACKAGE.deb [--install]
set -euo pipefail

deb=$(realpath "$1")
install=${2:-}
app_id=com.vorn.Quillon
fail() { echo "check-package: $*" >&2; exit 1; }
step() { echo "== $*"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-deb -f "$deb" Version)

step "control"
dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6widgets6 libqt6serialport6 libqt6svg6 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = hamradio ] || fail "wrong section"
for script in preinst postinst prerm postrm; do
  ! dpkg-deb -I "$deb" "$script" >/dev/null 2>&1 || fail "unexpected maintainer script $script"
done

step "contents"
dpkg-deb -c "$deb" | tee "$work/contents"
expected=(
  usr/bin/quillon usr/bin/quillon-cli usr/bin/quillon-virtual-radio
  usr/share/quillon/QX7315C.OVL usr/share/quillon/QX7315C_ENG.OVL
  usr/share/quillon/QX7315C_ENG_HLP.OVL usr/share/quillon/QX7315C_ENG_Help.html
  usr/share/quillon/QX7315C_LMR.vrc usr/share/quillon/QX7315C_PMR.vrc
  usr/share/quillon/icons/imgIcon_Tree_Rig.svg
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/lib/udev/rules.d/60-quillon-serial.rules
  usr/share/man/man1/quillon.1.gz usr/share/man/man1/quillon-cli.1.gz
  usr/share/man/man1/quillon-virtual-radio.1.gz
  usr/share/doc/quillon/copyright usr/share/doc/quillon/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
  grep -q " \./$path\$" "$work/contents" || fail "the package lacks /$path"
done
! grep -E '^[^l].{7}w' "$work/contents" || fail "world-writable files in the package"

if command -v lintian >/dev/null; then
  step "lintian"
  lintian --fail-on error --display-info "$deb" || fail "lintian found errors"
fi

step "the unpacked programs"
root=$work/root
dpkg-deb -x "$deb" "$root"
rules=$root/usr/lib/udev/rules.d/60-quillon-serial.rules
grep -q 'GROUP="dialout"' "$rules" || fail "the udev rule gives no access to dialout"
! grep -oE 'MODE="[0-7]+"' "$rules" | grep -vE 'MODE="0?[0-7][0-7]0"' ||
  fail "the udev rule makes devices world-accessible"
run_installed() { # prefix: runs the installed programs and validates the files under prefix
  local prefix=$1
  [ "$("$prefix/bin/quillon-cli" --version)" = "quillon-cli $version" ] || fail "quillon-cli --version"
  [ "$("$prefix/bin/quillon" --version)" = "quillon $version" ] || fail "quillon --version"
  [ "$("$prefix/bin/quillon-virtual-radio" --version)" = "quillon-virtual-radio $version" ] ||
    fail "quillon-virtual-radio --version"
  "$prefix/bin/quillon-cli" inspect "$prefix/share/quillon/QX7315C_PMR.vrc" >"$work/inspect" ||
    fail "quillon-cli inspect of the installed initial file"
  grep -q "memory channels in use:" "$work/inspect" || fail "inspect printed no channels"
  desktop-file-validate "$prefix/share/applications/$app_id.desktop"
  appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
  for page in "$prefix"/share/man/man1/quillon*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
  done
}
run_installed "$root/usr"

if [ "$install" != "--install" ]; then
  echo "package check passed (unpacked only)"
  exit 0
fi
if dpkg-query -W -f='${Status}' quillon 2>/dev/null | grep -q "install ok installed"; then
  echo "package check: quillon is installed on this machine already; not installing over it"
  exit 0
fi

step "apt-get install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb"
[ "$(command -v quillon-cli)" = /usr/bin/quillon-cli ] || fail "quillon-cli is not on the PATH"
run_installed /usr
dpkg -L quillon >"$work/files"

# The desktop program comes up on a real X display from the menu's command.
step "the desktop program starts"
home=$work/home
mkdir -p "$home/probe" "$home/runtime"
chmod 700 "$home/runtime"
HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
  QUILLON_TEST_PROBE=$home/probe xvfb-run -a bash -c '
    "$0" & pid=$!
    for _ in $(seq 600); do
      if grep -qx "modified=0" "$QUILLON_TEST_PROBE/state" 2>/dev/null; then
        kill "$pid"; wait "$pid"; exit 0
      fi
      kill -0 "$pid" 2>/dev/null || exit 1
      sleep 0.1
    done
    kill "$pid"; exit 1' "$(grep -m1 '^Exec=' "/usr/share/applications/$app_id.desktop" | cut -d= -f2 | cut -d' ' -f1)" ||
  fail "the desktop program did not come up"

step "apt-get remove --purge"
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -q quillon
left=()
while read -r path; do
  if [ -e "$path" ] && [ ! -d "$path" ]; then left+=("$path"); fi
done <"$work/files"
for folder in /usr/share/quillon /usr/share/doc/quillon; do
  [ ! -e "$folder" ] || left+=("$folder")
done
[ ${#left[@]} -eq 0 ] || fail "left behind after removal: ${left[*]}"
echo "package check passed (installed, run and removed)"
