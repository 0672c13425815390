#!/usr/bin/env bash
# CI on a fresh Debian 12 machine. Builds (once) a pristine Debian 12
# bookworm minbase root with debootstrap and keeps it as a tarball in the
# cache folder; every run unpacks a new copy of it, so nothing that an
# earlier run installed is ever there. Into that copy go the clone's tracked
# files (as they stand in the work tree), and inside it runs exactly the
# README's test command, `bash scripts/test.sh`, which has to install what it
# needs by itself. Then, in the same root, scripts/ci-desktop-check.sh starts
# the README's main command under Xvfb and checks that the frame appears and
# that the program ends when the frame is asked to close.
#
# Run as root from anywhere in a clone: bash scripts/ci-fresh-debian.sh.
# REPORTMAIL_CI_CACHE names the cache folder (default
# /var/cache/reportmail-ci). Besides the tarball it keeps the package files
# apt downloads, so a second run fetches nothing again; they are installed
# anew in every root all the same. Delete the folder for a cold run.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cache=${REPORTMAIL_CI_CACHE:-/var/cache/reportmail-ci}
base=$cache/bookworm-minbase.tar.gz
suite=bookworm

say() { echo "ci-fresh-debian: $*"; }
elapsed() { local s=$(($(date +%s) - $1)); printf '%dm%02ds' $((s / 60)) $((s % 60)); }
run_start=$(date +%s)

((EUID == 0)) || { say "runs as root (debootstrap, chroot, mount)"; exit 1; }
# What this script itself runs on the host, by the Debian package that has
# it. A machine that lacks one gets it here, as CI has to install all it uses.
declare -A host_tools=([debootstrap]=debootstrap [chroot]=coreutils [mount]=mount
  [findmnt]=util-linux [flock]=util-linux [git]=git [tar]=tar [gzip]=gzip)
missing=()
for tool in "${!host_tools[@]}"; do
  command -v "$tool" >/dev/null || missing+=("${host_tools[$tool]}")
done
if ((${#missing[@]})); then
  mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
  say "installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
mkdir -p "$cache/apt-archives/partial"

# One run at a time per cache: the runs share the downloaded package files.
exec 9>"$cache/lock"
flock 9

# The pristine base. Made in a folder of its own and packed whole; nothing is
# ever installed into it afterwards, and a failed debootstrap leaves no tarball.
if [[ ! -s "$base" ]]; then
  step=$(date +%s)
  say "making the $suite minbase root (once per cache)"
  staging=$(mktemp -d "$cache/debootstrap.XXXXXX")
  chmod 755 "$staging"
  debootstrap --variant=minbase "$suite" "$staging" >"$staging.log" 2>&1 ||
    { tail -n 30 "$staging.log"; rm -rf --one-file-system "$staging"; say "debootstrap failed"; exit 1; }
  tar -C "$staging" --numeric-owner -czf "$base.partial" .
  mv "$base.partial" "$base"
  rm -rf --one-file-system "$staging" "$staging.log"
  say "base root made in $(elapsed "$step")"
fi

root=$(mktemp -d /var/tmp/reportmail-ci.XXXXXX)
mounted=()
mount_in() { # mount_in TARGET MOUNT-ARGUMENTS...
  local target=$root$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}
cleanup() {
  local status=$?
  set +e
  # Processes still running in the root (a server the check left behind
  # after a failure) would keep its mounts busy: end them by their ids.
  for proc in /proc/[0-9]*; do
    [[ "$(readlink "$proc/root" 2>/dev/null)" == "$root" ]] && kill -9 "${proc#/proc/}" 2>/dev/null
  done
  sleep 0.2
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
  done
  # Only a root with nothing mounted in it is deleted, and never across a
  # file system border.
  if findmnt -rn -o TARGET | grep -q "^$root/"; then
    say "left $root: something is still mounted in it"
  else
    rm -rf --one-file-system "$root"
  fi
  say "total $(elapsed "$run_start"), exit status $status"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step=$(date +%s)
tar -C "$root" --numeric-owner -xzf "$base"
chmod 755 "$root" # its / as every user inside sees it (apt downloads as _apt)
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_in /proc -t proc proc
mount_in /sys -t sysfs -o ro sysfs
mount_in /dev --bind /dev
# Private, so that what is mounted below it here (pts, shm) never shows in
# the machine's own /dev where mounts are shared.
mount --make-private "$root/dev"
mount_in /dev/pts -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts
mount_in /dev/shm -t tmpfs -o mode=1777,nosuid,nodev tmpfs
mount_in /var/cache/apt/archives --bind "$cache/apt-archives"

# The clone's tracked files, nothing from the build or the developer's
# untracked work.
clone=/root/reportmail
mkdir -p "$root$clone"
git -C "$top" ls-files -z --cached |
  while IFS= read -r -d '' file; do
    [[ -e "$top/$file" || -L "$top/$file" ]] && printf '%s\0' "$file"
  done |
  tar -C "$top" --null --no-recursion -T - -cf - | tar -C "$root$clone" -xf -
say "fresh root $root ready in $(elapsed "$step")"

# A login's plain environment, nothing of this machine's.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd $clone && $1" </dev/null
}

step=$(date +%s)
say "bash scripts/test.sh"
in_root "bash scripts/test.sh"
say "tests passed in $(elapsed "$step")"

step=$(date +%s)
say "bash scripts/ci-desktop-check.sh"
in_root "bash scripts/ci-desktop-check.sh"
say "desktop check passed in $(elapsed "$step")"
