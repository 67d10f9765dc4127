#!/usr/bin/env bash
# Runs one test executable inside a small QEMU software VM booted on Debian's
# own kernel, where real uhid, hidraw, evdev and uinput exist.
#
#   run_in_vm.sh <cache dir> <name> <executable> [arguments...]
#
# TERVANE_VM_EXTRA may name further programs to copy in with their libraries.
#
# The kernel and its five modules are extracted once from Debian's kernel
# package into <cache dir>/kernel and kept; the initramfs (static busybox, the
# modules, the executable with its shared libraries and the loader) is rebuilt
# for every run. Exits with the executable's own exit code, or 77 (skipped)
# when the VM cannot be had on this machine.
set -euo pipefail

cache=$1 name=$2 exe=$3
shift 3

skip() {
  echo "SKIPPED: $*"
  exit 77
}

command -v qemu-system-x86_64 >/dev/null ||
  skip "qemu-system-x86_64 is not installed (Debian package qemu-system-x86)"
busybox=$(command -v busybox || true)
[ -n "$busybox" ] && ! ldd "$busybox" >/dev/null 2>&1 ||
  skip "a static busybox is needed (Debian package busybox-static)"
command -v cpio >/dev/null || skip "cpio is not installed"

mkdir -p "$cache"
kernel=$cache/kernel
modules="hid/hid.ko hid/uhid.ko hid/hid-generic.ko input/evdev.ko input/misc/uinput.ko"

fetch_kernel() {
  local kpkg v tmp d f
  kpkg=$(apt-cache depends linux-image-amd64 2>/dev/null |
    awk '/Depends: linux-image-[0-9]/{print $2; exit}')
  if [ -z "$kpkg" ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq >/dev/null 2>&1 || true
    kpkg=$(apt-cache depends linux-image-amd64 2>/dev/null |
      awk '/Depends: linux-image-[0-9]/{print $2; exit}')
  fi
  [ -n "$kpkg" ] || skip "Debian's kernel package name is unknown (apt-cache depends linux-image-amd64)"
  v=${kpkg#linux-image-}
  tmp=$(mktemp -d "$cache/download.XXXXXX")
  (cd "$tmp" && apt-get download "$kpkg" >/dev/null 2>&1) ||
    { rm -rf "$tmp"; skip "cannot download $kpkg from Debian's archive"; }
  d=./lib/modules/$v/kernel/drivers
  local members=("./boot/vmlinuz-$v")
  for f in $modules; do members+=("$d/$f"); done
  dpkg-deb --fsys-tarfile "$tmp"/"${kpkg}"_*.deb | tar -x -C "$tmp" "${members[@]}"
  rm -rf "$kernel.new"
  mkdir -p "$kernel.new/mod"
  mv "$tmp/boot/vmlinuz-$v" "$kernel.new/vmlinuz"
  for f in $modules; do mv "$tmp/$d/$f" "$kernel.new/mod/"; done
  echo "$v" >"$kernel.new/version"
  rm -rf "$tmp" "$kernel"
  mv "$kernel.new" "$kernel"
}

# Parallel test runs share one download.
exec 9>"$cache/.lock"
flock 9
[ -f "$kernel/version" ] || fetch_kernel
flock -u 9

root=$cache/initrd-$name
rm -rf "$root"
mkdir -p "$root"/{bin,mod,proc,sys,dev,tmp,run,test}
cp "$busybox" "$root/bin/busybox"
cp "$kernel"/mod/*.ko "$root/mod/"
cp "$exe" "$root/test/"
# Further programs the test runs (TERVANE_VM_EXTRA, paths separated by spaces)
# go beside it in /test.
extra=${TERVANE_VM_EXTRA:-}
for f in $extra; do cp -L "$f" "$root/test/"; done
# Shared libraries land at the paths the loader will look for them (the build
# tree's own libraries included, found through the executable's RPATH).
# shellcheck disable=SC2086
ldd "$exe" $extra | awk '$2 == "=>" && $3 ~ /^\// {print $3} $1 ~ /^\// && $1 !~ /:$/ {print $1}' | while read -r lib; do
  mkdir -p "$root$(dirname "$lib")"
  cp -L "$lib" "$root$lib"
done

args=""
for a in "$@"; do args+=" '${a//\'/\'\\\'\'}'"; done
cat >"$root/init" <<INIT
#!/bin/busybox sh
/bin/busybox --install -s /bin
export PATH=/bin HOME=/tmp TMPDIR=/tmp
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for m in hid uhid hid-generic evdev uinput; do insmod /mod/\$m.ko; done
cd /test
./$(basename "$exe")$args
echo "TERVANE-VM-RESULT rc=\$?"
poweroff -f
INIT
chmod +x "$root/init"
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$root.cpio.gz"

log=$root.log
start=$(date +%s%N)
status=0
timeout 200 qemu-system-x86_64 -accel tcg -m 768 -smp 1 -nographic -no-reboot \
  -kernel "$kernel/vmlinuz" -initrd "$root.cpio.gz" \
  -append 'console=ttyS0 quiet panic=-1 loglevel=3 no_timer_check' </dev/null >"$log" 2>&1 || status=$?
end=$(date +%s%N)
tr -d '\r' <"$log" | grep -v '^\s*$' || true
ms=$(((end - start) / 1000000))
printf 'VM run of %s took %d.%03d s (kernel %s)\n' "$name" $((ms / 1000)) $((ms % 1000)) \
  "$(cat "$kernel/version")"
result=$(tr -d '\r' <"$log" | sed -n 's/.*TERVANE-VM-RESULT rc=\([0-9]*\).*/\1/p' | tail -1)
if [ -z "$result" ]; then
  echo "FAILED: the VM gave no result line (qemu exit status $status)"
  exit 1
fi
rm -rf "$root" "$root.cpio.gz"
exit "$result"
