#!/usr/bin/env bash
# Runs the README's set-up and `make test` on Debian 13 (trixie), in a chroot made with
# debootstrap from the package archive this machine's apt uses. Needs root.
# Usage: scripts/test-debian13.sh [COMMAND...]   (default: make test)
#   The chroot stays in build/debian13 and is reused; the tree is copied into it at every run
#   (to /root/zelmaro, whose build/ is kept, so builds there are incremental). COMMAND runs
#   there instead of `make test` (`scripts/test-debian13.sh bash` for a shell). DEBIAN13_COPY=0
#   leaves the copy as it is (for a second command beside one still running there).
# The whole script is one block, read before it runs: an edit meanwhile cannot change a run.
{
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
CHROOT=$ROOT/build/debian13
SUITE=trixie
[ "$(id -u)" -eq 0 ] || { echo "test-debian13 needs root (debootstrap, chroot, mounts)"; exit 1; }

# The Debian archive of this machine's apt sources: the first source of its own release,
# in either format (one-line .list or deb822 .sources).
archive() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      awk -v c="$codename" '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++
        if ($(i + 1) == c) { print $i; exit } }'
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      awk -v c="$codename" 'BEGIN { RS = ""; FS = "\n" }
        { uri = ""; ok = 0
          for (k = 1; k <= NF; k++) {
            if ($k ~ /^URIs:/) { split($k, u, /[ \t]+/); uri = u[2] }
            if ($k ~ /^Suites:/) { n = split($k, s, /[ \t]+/); for (j = 2; j <= n; j++) if (s[j] == c) ok = 1 }
          }
          if (ok && uri != "") { print uri; exit } }' "$f"
    done
  } | head -1
}

if [ ! -x "$CHROOT/usr/bin/apt-get" ] || [ ! -e "$CHROOT/.debootstrap-done" ]; then
  command -v debootstrap >/dev/null || { echo "debootstrap is missing: apt-get install debootstrap"; exit 1; }
  mirror=$(archive)
  [ -n "$mirror" ] || { echo "no Debian archive found in /etc/apt/sources.list{,.d}"; exit 1; }
  echo "== debootstrap $SUITE into $CHROOT"
  rm -rf "$CHROOT"
  mkdir -p "$CHROOT"
  # make: the README's commands are make targets (a fresh system may lack it).
  debootstrap --include=make "$SUITE" "$CHROOT" "$mirror"
  touch "$CHROOT/.debootstrap-done"
fi

# Everything below runs in a mount namespace of its own: the chroot's mounts vanish with it,
# however the run ends, and the rest of the machine never sees them (a `make clean` meanwhile
# cannot reach through them).
if [ -z "${DEBIAN13_NS:-}" ]; then
  DEBIAN13_NS=1 exec unshare --mount --propagation private -- "$0" "$@"
fi
# The chroot's root a mount point of its own, as a system's root is: the tests' `unshare -m`
# changes the propagation of /, which only a mount point has.
mount --bind "$CHROOT" "$CHROOT"
mount -t proc proc "$CHROOT/proc"
mount -t sysfs sysfs "$CHROOT/sys"
mount --rbind /dev "$CHROOT/dev"  # with /dev/pts and /dev/shm
mount -t tmpfs -o mode=755 tmpfs "$CHROOT/run"
mkdir -p "$CHROOT/run/lock"
cp /etc/resolv.conf "$CHROOT/etc/resolv.conf"
# Packages installed in the chroot start no services (they would outlive the run).
printf '#!/bin/sh\nexit 101\n' >"$CHROOT/usr/sbin/policy-rc.d"
chmod 755 "$CHROOT/usr/sbin/policy-rc.d"

# The tree as it is now (uncommitted changes too), without this machine's builds; the chroot's
# own builds in its copy's build/ are kept.
SRC=/root/zelmaro
if [ "${DEBIAN13_COPY:-1}" = 1 ]; then
  mkdir -p "$CHROOT$SRC"
  find "$CHROOT$SRC" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
  tar -C "$ROOT" --exclude=./build --exclude=./.git -cf - . | tar -C "$CHROOT$SRC" -xf -
fi

in_chroot() {
  chroot "$CHROOT" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" "$@"
}
echo "== Debian $(cat "$CHROOT/etc/debian_version") in $CHROOT"
[ $# -gt 0 ] || set -- make test
status=0
in_chroot bash -c 'cd "$0" && exec "$@"' "$SRC" "$@" || status=$?
# Whatever the run left running inside the chroot is named (the tests end what they start).
for p in /proc/[0-9]*; do
  [ "$(readlink "$p/root" 2>/dev/null)" = "$CHROOT" ] && echo "left running in the chroot: ${p#/proc/} $(tr '\0' ' ' <"$p/cmdline")"
done
exit $status
}
