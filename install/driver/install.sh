#!/bin/sh
# Installs the udev rules that let the logged-in user reach /dev/uinput and the keyboards named
# as arguments (each "vvvv:pppp", hexadecimal USB vendor and product id), loads uinput now and at
# every boot, and applies the rules to the devices already present. Run as root, by pkexec.
#
# TERVANE_DRIVER_ROOT, when set, is a folder that stands for / (used by the tests); nothing is
# loaded or triggered then. pkexec clears the environment, so it never reaches a real install.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=${TERVANE_DRIVER_ROOT:-}
rules="$root/etc/udev/rules.d/70-tervane.rules"
modules="$root/etc/modules-load.d/tervane.conf"

for id in "$@"; do
  case $id in
    [0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]:[0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]) ;;
    *)
      echo "install.sh: \"$id\" is not a vendor:product id (four hex digits each)" >&2
      exit 2
      ;;
  esac
done

mkdir -p "$(dirname "$rules")" "$(dirname "$modules")"
tmp="$rules.new.$$"
trap 'rm -f "$tmp"' EXIT
{
  cat "$here/70-tervane.rules"
  echo
  echo "# Configured keyboards."
  for id in "$@"; do
    vendor=$(echo "${id%%:*}" | tr 'A-F' 'a-f')
    product=$(echo "${id##*:}" | tr 'A-F' 'a-f')
    echo "SUBSYSTEM==\"input\", KERNEL==\"event*\", ATTRS{idVendor}==\"$vendor\", ATTRS{idProduct}==\"$product\", TAG+=\"uaccess\""
    echo "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"$vendor\", ATTRS{idProduct}==\"$product\", TAG+=\"uaccess\""
  done
} >"$tmp"
chmod 0644 "$tmp"
mv -f "$tmp" "$rules"
echo uinput >"$modules"
chmod 0644 "$modules"

[ -n "$root" ] && exit 0
modprobe uinput 2>/dev/null || true
udevadm control --reload
udevadm trigger --action=change --subsystem-match=misc --sysname-match=uinput
udevadm trigger --action=change --subsystem-match=input --subsystem-match=hidraw
udevadm settle --timeout=10 || true
