#!/usr/bin/env bash
# Builds Capsaro's Debian package (debian/) into build-deb/: installs the build dependencies that
# debian/control names where missing (as root, or through sudo), then runs dpkg-buildpackage in a
# copy of the source tree inside build-deb/, so that the results (capsaro_<version>_<arch>.deb, its
# debug symbols, .buildinfo and .changes) land in build-deb/ and nothing is written beside the
# repository. Where the build dependencies cannot be installed it names the missing ones and
# builds nothing.
# Usage: tools/package-deb.sh
# Sourcing it (as tools/test-package.sh does) only defines its functions.
set -euo pipefail

# Prints, on one line, the build dependencies and conflicts that the control file names and this
# machine does not satisfy (as dpkg-checkbuilddeps writes them); prints nothing when all are met.
# Fails on any other error of dpkg-checkbuilddeps (an unreadable control file, say).
unmet_build_deps() {
  local report line unmet=()
  if report=$(LC_ALL=C dpkg-checkbuilddeps "$1" 2>&1); then
    return 0
  fi
  while IFS= read -r line; do
    case "$line" in
      *"Unmet build dependencies: "*) unmet+=("${line#*Unmet build dependencies: }") ;;
      *"Build conflicts: "*) unmet+=("conflicting: ${line#*Build conflicts: }") ;;
    esac
  done <<<"$report"
  if [ ${#unmet[@]} -eq 0 ]; then
    echo "$report" >&2
    return 1
  fi
  echo "${unmet[*]}"
}

# Runs apt-get as root with the given arguments: directly when we are root, else through sudo.
# Fails without running it when neither works.
apt_as_root() {
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "package-deb: not root, and sudo is not installed" >&2; return 1; }
    sudo=(sudo)
  fi
  # Another apt-get or dpkg at work is waited for (bounded, for one that never ends).
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# Installs with apt-get what the source tree's debian/control asks for and the machine lacks;
# returns non-zero, after naming what is still missing, when they cannot all be installed.
install_build_deps() {
  local tree=$1 unmet
  if ! command -v dpkg-checkbuilddeps >/dev/null; then
    echo "package-deb: installing dpkg-dev, which reads the build dependencies"
    apt_as_root update -qq && apt_as_root install -y -qq --no-install-recommends dpkg-dev || true
    if ! command -v dpkg-checkbuilddeps >/dev/null; then
      echo "package-deb: dpkg-dev is missing (it reads debian/control's build dependencies)." >&2
      echo "package-deb: install it as root: apt-get install dpkg-dev" >&2
      return 1
    fi
  fi
  unmet=$(unmet_build_deps "$tree/debian/control") || return 1
  [ -n "$unmet" ] || return 0

  echo "package-deb: missing build dependencies, installing them: $unmet"
  apt_as_root update -qq && apt_as_root build-dep -y -qq --no-install-recommends "$tree" || true
  unmet=$(unmet_build_deps "$tree/debian/control") || return 1
  [ -n "$unmet" ] || return 0
  echo "package-deb: missing build dependencies: $unmet" >&2
  echo "package-deb: install them as root (apt-get build-dep $tree) and run this again; nothing was built." >&2
  return 1
}

# Copies the source tree at $1 into the new folder $2: everything but Git's data and what
# .gitignore keeps out of the repository at its top (the build*/ folders, except "build stuff",
# and out/) and the build folder of a dpkg-buildpackage run in the tree itself (obj-*), so that
# no build folder is copied into the package's source.
copy_source_tree() {
  local from=$1 to=$2 entry name
  mkdir -p "$to"
  for entry in "$from"/* "$from"/.[!.]*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    name=${entry##*/}
    case "$name" in
      .git | out | obj-*) continue ;;
      "build stuff") ;;
      build*) [ -d "$entry" ] && continue ;;
    esac
    cp -a "$entry" "$to/"
  done
}

main() {
  cd "$(dirname "$0")/.."
  local root=$PWD out=$PWD/build-deb name version arch tree
  install_build_deps "$root"

  name=$(dpkg-parsechangelog -l debian/changelog -S Source)
  version=$(dpkg-parsechangelog -l debian/changelog -S Version)
  arch=$(dpkg-architecture -q DEB_HOST_ARCH)
  # Earlier results go, so build-deb/ holds only this build's package.
  rm -rf "$out"
  tree=$out/$name-$version
  copy_source_tree "$root" "$tree"
  (cd "$tree" && dpkg-buildpackage -b -us -uc --jobs-try=auto)
  rm -rf "$tree"
  echo "package-deb: built $out/${name}_${version}_${arch}.deb"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  main "$@"
fi
