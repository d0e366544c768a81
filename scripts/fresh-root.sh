# A fresh Debian 12 root for the checks that must see what a new user's machine sees. Sourced by package-check
# and fresh-check; needs root (debootstrap, mount, chroot).
#
#   fresh_root_make WORK    makes WORK/fresh from a bare root (debootstrap minbase, cached in WORK/bare, about a
#                           minute the first time) and mounts proc and dev in it; sets fresh_root
#   in_root COMMAND...      runs COMMAND in the root with a clean environment, as root, without a display
#
# The root is unmounted and removed when the calling script exits, whatever happens.

fresh_root_suite=bookworm
fresh_root=
fresh_root_mounts=()

# The Debian archive lines this machine's apt uses for the suite and its updates: one "deb URI SUITE main" each.
fresh_root_archive_lines() {
  {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | grep -E '^deb\s' || true
    local sources
    for sources in /etc/apt/sources.list.d/*.sources; do
      [ -e "$sources" ] || continue
      awk '
        function flush() {
          if (types ~ /(^| )deb( |$)/) { n = split(suites, s, " "); for (i = 1; i <= n; i++) print "deb " uris " " s[i] " " components }
          types = uris = suites = components = ""
        }
        /^[[:space:]]*$/ { flush(); next }
        /^Types:/ { sub(/^Types:[[:space:]]*/, ""); types = $0 }
        /^URIs:/ { sub(/^URIs:[[:space:]]*/, ""); uris = $1 }
        /^Suites:/ { sub(/^Suites:[[:space:]]*/, ""); suites = $0 }
        /^Components:/ { sub(/^Components:[[:space:]]*/, ""); components = $0 }
        END { flush() }' "$sources"
    done
  } | sed -E 's/\[[^]]*\] //' \
    | awk -v suite="$fresh_root_suite" '$3 == suite || index($3, suite "-") == 1 { print "deb " $2 " " $3 " main" }' \
    | sort -u
}

# Unmounts everything mounted in the root, innermost first, then removes it. Never follows a mount out of the root:
# a mount that would not come off leaves the root in place rather than reach into the machine's /dev.
fresh_root_remove() {
  [ -n "$fresh_root" ] || return 0
  local index
  for ((index = ${#fresh_root_mounts[@]} - 1; index >= 0; index--)); do
    umount -R "${fresh_root_mounts[index]}" 2>/dev/null || umount -R -l "${fresh_root_mounts[index]}" 2>/dev/null || true
  done
  fresh_root_mounts=()
  if grep -q " $(realpath "$fresh_root")/" /proc/mounts; then
    echo "fresh root: $fresh_root still has mounts; left in place" >&2
    return 0
  fi
  rm -rf --one-file-system "$fresh_root"
  fresh_root=
}

fresh_root_make() {
  local work=$1
  [ "$(id -u)" -eq 0 ] || { echo "$(basename "$0"): needs root (debootstrap, mount and chroot)" >&2; exit 2; }
  local mirror
  mirror=$(fresh_root_archive_lines | awk -v suite="$fresh_root_suite" '$3 == suite { print $2; exit }')
  [ -n "$mirror" ] || { echo "$(basename "$0"): no Debian $fresh_root_suite archive in this machine's apt sources" >&2; exit 2; }

  mkdir -p "$work"
  if [ ! -e "$work/bare/.complete" ]; then
    rm -rf --one-file-system "$work/bare"
    echo "fresh root: making a bare Debian $fresh_root_suite root (debootstrap, minbase)"
    debootstrap --variant=minbase "$fresh_root_suite" "$work/bare" "$mirror" > "$work/debootstrap.log" 2>&1 \
      || { tail -n 20 "$work/debootstrap.log"; exit 1; }
    touch "$work/bare/.complete"
  fi

  fresh_root=$work/fresh
  trap fresh_root_remove EXIT
  rm -rf --one-file-system "$fresh_root"
  cp -a "$work/bare" "$fresh_root"
  rm -f "$fresh_root/.complete"
  fresh_root_archive_lines > "$fresh_root/etc/apt/sources.list"
  cp /etc/resolv.conf "$fresh_root/etc/resolv.conf"
  mount -t proc proc "$fresh_root/proc" && fresh_root_mounts+=("$fresh_root/proc")
  # dev with what is mounted below it (shm, pts), so that Xvfb and Qt's shared memory work in the root.
  mount --rbind /dev "$fresh_root/dev" && mount --make-rslave "$fresh_root/dev" && fresh_root_mounts+=("$fresh_root/dev")
  install -d -m 700 "$fresh_root/run/user/0"
}

in_root() {
  chroot "$fresh_root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    XDG_RUNTIME_DIR=/run/user/0 "$@"
}

# The disk space that the root's installed packages take, in megabytes (dpkg's Installed-Size, as apt counts it).
in_root_installed_megabytes() {
  in_root dpkg-query -W -f='${Installed-Size}\n' | awk '{ kilobytes += $1 } END { printf "%d\n", kilobytes / 1024 }'
}
