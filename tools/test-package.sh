#!/usr/bin/env bash
# The Debian package end to end (tools/test.sh's package stage): builds it with
# tools/package-deb.sh, checks it with lintian, installs it with apt-get, checks what a user, man,
# XScreenSaver and MATE find, runs the installed program as an unprivileged user, then purges the
# package and checks that every file it installed is gone. Also checks that the package's version
# is the project's, and that tools/package-deb.sh names missing build dependencies and builds
# nothing. The machine is left as it was: the package is purged (or, where it was installed
# before, installed again from this build) even when a check fails. Runs as root, or as a user
# with sudo for the steps that need root.
# Usage: tools/test-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# Its functions: copy_source_tree.
. tools/package-deb.sh

# The steps that need root (installing, purging, running as another user) go through sudo when
# we are not root.
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "test-package: needs root, or sudo (it installs and purges the package)" >&2; exit 1; }
  sudo=(sudo)
fi
as_root() { "${sudo[@]}" "$@"; }
tools/deps.sh package

failed=0
passed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
# check NAME COMMAND...: runs the command and reports its success as NAME.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}
# equal ACTUAL EXPECTED: succeeds when both are the same non-empty text, else says what differs.
equal() {
  [ -n "$2" ] && [ "$1" = "$2" ] && return 0
  echo "  got '$1', expected '$2'"
  return 1
}
finish() {
  echo "test-package: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# apt-get waits for another apt-get or dpkg to finish (a bound, for one that never does).
apt=(as_root apt-get -o DPkg::Lock::Timeout=600)
work=$(mktemp -d)
chmod 755 "$work"
touch "$work/start"
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
project_version=$(sed -n 's/^project(Capsaro VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
deb=$root/build-deb/capsaro_${project_version}_${arch}.deb

package_state() { dpkg-query -W -f='${db:Status-Status}' capsaro 2>/dev/null || echo not-installed; }
state_before=$(package_state)
we_installed=no
restore() {
  if [ $we_installed = yes ]; then
    if [ "$state_before" = installed ]; then
      echo "test-package: capsaro was installed before this stage; installing this build of it again"
      "${apt[@]}" install -y -qq --no-install-recommends "$deb" >"$work/restore.log" 2>&1 ||
        { cat "$work/restore.log"; echo "test-package: could not install $deb again" >&2; }
    elif [ "$(package_state)" != not-installed ]; then
      "${apt[@]}" purge -y -qq capsaro >"$work/restore.log" 2>&1 ||
        { cat "$work/restore.log"; echo "test-package: could not purge capsaro: apt-get purge capsaro" >&2; }
    fi
  fi
  as_root rm -rf "$work"
}
trap restore EXIT

# The package's files must not be there already without the package (from `cmake --install`):
# installing would take them over and purging would delete them.
if [ "$state_before" != installed ]; then
  strays=()
  for path in /usr/libexec/xscreensaver/capsaro /usr/bin/capsaro /usr/share/xscreensaver/config/capsaro.xml \
    /usr/share/applications/screensavers/capsaro.desktop /usr/share/man/man6/capsaro.6 \
    /usr/share/man/man6/capsaro.6.gz; do
    [ -e "$path" ] || [ -L "$path" ] && strays+=("$path")
  done
  if [ ${#strays[@]} -gt 0 ]; then
    echo "test-package: Capsaro's files are installed without the package (by cmake --install?):" >&2
    printf '  %s\n' "${strays[@]}" >&2
    echo "test-package: remove them, then run this again" >&2
    exit 1
  fi
fi

# The version: the project's (CMakeLists.txt) is the changelog's, and so the package's.
changelog_version=$(dpkg-parsechangelog -l debian/changelog -S Version)
check "debian/changelog's version is the project's ($project_version)" equal "$changelog_version" "$project_version"

# Each pkg-config module that the program's CMake files require (tests and benchmarks aside) comes
# from a package debian/control names as a build dependency: a clean build machine has no other.
# The package of a module is the one that owns its .pc file here.
build_depends=$(awk '/^Build-Depends:/ { on = 1; sub(/^Build-Depends:/, ""); print; next }
                     on && /^[ \t]/ { print; next } { on = 0 }' debian/control |
  tr ',|' '\n\n' | sed 's/[(\[<].*//; s/[[:space:]]//g' | grep -v '^$')
modules=$(find . \( -path ./tests -o -path ./bench -o -path './build*' -o -path './obj-*' -o -path ./.git \
  -o -path ./out \) -prune -o -name CMakeLists.txt -print0 |
  xargs -0 sed -n 's/.*pkg_check_modules([A-Za-z0-9_]* \(REQUIRED \)\?\(IMPORTED_TARGET \)\?\([^)]*\)).*/\3/p' |
  tr ' ' '\n' | sort -u | grep -v '^$' || true)
modules_from_build_depends() {
  local module pc owner unlisted=()
  [ -n "$modules" ] || { echo "  no pkg_check_modules found in the CMake files"; return 1; }
  for module in $modules; do
    owner=
    pc=$(pkg-config --path "$module" 2>/dev/null) && owner=$(dpkg -S "$pc" 2>/dev/null | cut -d: -f1)
    [ -n "$owner" ] && grep -qx "$owner" <<<"$build_depends" || unlisted+=("$module (${owner:-no package found})")
  done
  [ ${#unlisted[@]} -eq 0 ] && return 0
  echo "  not from a build dependency: ${unlisted[*]}"
  return 1
}
check "every pkg-config module of the program comes from a package in Build-Depends" modules_from_build_depends

# Missing build dependencies are named and nothing is built: a copy of the tree whose control file
# asks for a package that no archive has.
copy_source_tree "$root" "$work/tree"
sed -i 's/^Build-Depends: debhelper-compat (= 13),/&\n               capsaro-test-no-such-package,/' "$work/tree/debian/control"
failed_before=$failed
"$work/tree/tools/package-deb.sh" >"$work/missing.log" 2>&1 && missing_status=0 || missing_status=$?
check "package-deb.sh fails when a build dependency cannot be installed" test "$missing_status" -ne 0
check "package-deb.sh names the missing build dependency" \
  grep -q '^package-deb: missing build dependencies: .*capsaro-test-no-such-package' "$work/missing.log"
check "package-deb.sh builds nothing without its build dependencies" \
  test ! -e "$work/tree/build-deb" -a ! -e "$work/tree/obj-$(dpkg-architecture -q DEB_HOST_GNU_TYPE)"
[ "$failed" -eq "$failed_before" ] || cat "$work/missing.log"
rm -rf "$work/tree"

# The build.
if tools/package-deb.sh >"$work/package.log" 2>&1; then
  pass "tools/package-deb.sh builds the package"
else
  fail "tools/package-deb.sh builds the package (the end of its output follows)"
  tail -n 40 "$work/package.log"
  finish
  exit 1
fi
check "the package is build-deb/${deb##*/}" test -f "$deb"
check "nothing of the build is left beside the repository or in build-deb/" \
  test -z "$(find "$root/.." -maxdepth 1 -type f -newer "$work/start" -name 'capsaro*'; find build-deb -mindepth 1 -type d)"
check "the package's Version field is the project's version" equal "$(dpkg-deb -f "$deb" Version)" "$project_version"
depends=$(dpkg-deb -f "$deb" Depends)
# ${shlibs:Depends} was filled in: the libraries of SDL and GTK are among the dependencies.
names_libraries() { grep -q '\blibsdl2-2\.0-0\b' <<<"$depends" && grep -q '\blibgtk-3-0\b' <<<"$depends"; }
check "Depends names the shared libraries the program links" names_libraries
check "Recommends a screen-saver host" equal "$(dpkg-deb -f "$deb" Recommends)" "xscreensaver | mate-screensaver | swayidle"
no_host_needed() { ! grep -q screensaver <<<"$depends"; }
check "Depends on no screen-saver host" no_host_needed
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 && lintian_ok=yes || lintian_ok=no
grep -v 'running with root privileges' "$work/lintian.log" || true
check "lintian reports neither errors nor warnings" test $lintian_ok = yes

# The package's directories that are not there yet: purging must take them away again.
new_dirs=()
while IFS= read -r dir; do
  dir=${dir#.}
  dir=${dir%/}
  [ -z "$dir" ] || [ -d "$dir" ] || new_dirs+=("$dir")
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep '/$')

# Installing.
we_installed=yes
if "${apt[@]}" install -y -qq --no-install-recommends "$deb" >"$work/install.log" 2>&1; then
  pass "apt-get installs the package"
else
  fail "apt-get installs the package"
  cat "$work/install.log"
  finish
  exit 1
fi

check "capsaro on the PATH is /usr/bin/capsaro" equal "$(command -v capsaro)" /usr/bin/capsaro
check "/usr/bin/capsaro links relatively to the program" \
  equal "$(readlink /usr/bin/capsaro)" ../libexec/xscreensaver/capsaro
check "the program is /usr/libexec/xscreensaver/capsaro" test -x /usr/libexec/xscreensaver/capsaro -a ! -L /usr/libexec/xscreensaver/capsaro
check "capsaro --version prints the project's version" equal "$(capsaro --version)" "Capsaro $project_version"
check "man -w capsaro finds the manual page" equal "$(man -w capsaro 2>&1)" /usr/share/man/man6/capsaro.6.gz
check "XScreenSaver's option file is in /usr/share/xscreensaver/config" \
  cmp data/capsaro.xml /usr/share/xscreensaver/config/capsaro.xml
check "MATE's entry is in /usr/share/applications/screensavers" \
  cmp data/capsaro.desktop /usr/share/applications/screensavers/capsaro.desktop
# What cmake --install installs, and the copyright and changelog every package carries.
expected_files="/usr/bin/capsaro
/usr/libexec/xscreensaver/capsaro
/usr/share/applications/screensavers/capsaro.desktop
/usr/share/doc/capsaro/changelog.gz
/usr/share/doc/capsaro/copyright
/usr/share/man/man6/capsaro.6.gz
/usr/share/xscreensaver/config/capsaro.xml"
installed_files=$(dpkg -L capsaro | while IFS= read -r path; do
  [ -d "$path" ] && [ ! -L "$path" ] || echo "$path"
done | sort)
check "the package installs the program's files and nothing else" equal "$installed_files" "$expected_files"

# The installed program as a user who cannot write its folder: frames render headless, and the
# settings go to ~/.config/capsaro. Each run has a fresh home; the bound is for a hung program.
as_nobody() {
  local home=$1
  shift
  as_root install -d -o nobody -g nogroup "$home"
  as_root runuser -u nobody -- timeout 120 env -i HOME="$home" PATH=/usr/bin:/bin "$@"
}
check "the program's folder is not writable to the user" \
  as_root runuser -u nobody -- sh -c '! test -w /usr/libexec/xscreensaver'
frames=$work/render/frames
as_nobody "$work/render" capsaro --render "$frames" --frames 3 --size 160x90 --seed 7 >"$work/render.log" 2>&1 &&
  render_ok=yes || { render_ok=no; cat "$work/render.log"; }
check "capsaro --render exits with 0 as the user" test $render_ok = yes
# Exactly the three frames, each a PNG (its signature) of 160x90 pixels (its IHDR's width and
# height); the user's folders may be closed to others, so root reads them.
three_frames() {
  local frame
  [ "$(as_root ls "$frames" 2>/dev/null | tr '\n' ' ')" = "frame0000.png frame0001.png frame0002.png " ] || return 1
  for frame in frame0000 frame0001 frame0002; do
    [ "$(as_root head -c 8 "$frames/$frame.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
    [ "$(as_root head -c 24 "$frames/$frame.png" | od -An -tu1 -j16 | tr -s ' ' | sed 's/^ //')" = \
      "0 0 0 160 0 0 0 90" ] || return 1
  done
}
check "three frames appear, each a 160x90 PNG" three_frames
frames_differ() { ! as_root cmp -s "$frames/frame0000.png" "$frames/frame0002.png"; }
check "the frames differ (the show moves)" frames_differ
as_nobody "$work/settings" capsaro /a && settings_ok=yes || settings_ok=no
settings=$work/settings/.config/capsaro/Capsaro.cfg
check "capsaro /a as the user exits with 0" test $settings_ok = yes
settings_in_home() {
  as_root test -f "$settings" && [ "$(as_root cat "$settings" | wc -l)" -eq 8 ] &&
    [ "$(as_root stat -c %U "$settings")" = nobody ]
}
check "the user's settings are written to ~/.config/capsaro/Capsaro.cfg, 8 lines" settings_in_home

# Purging removes every file the package installed and every directory it made.
mapfile -t listed < <(dpkg -L capsaro)
owned_files=()
for path in "${listed[@]}"; do
  [ -d "$path" ] && [ ! -L "$path" ] || owned_files+=("$path")
done
if "${apt[@]}" purge -y -qq capsaro >"$work/purge.log" 2>&1; then
  pass "apt-get purges the package"
else
  fail "apt-get purges the package"
  cat "$work/purge.log"
fi
check "the package is gone from dpkg's database" equal "$(package_state)" not-installed
left=()
for path in "${owned_files[@]}" "${new_dirs[@]}"; do
  [ -e "$path" ] || [ -L "$path" ] && left+=("$path")
done
[ ${#left[@]} -eq 0 ] || printf '  left: %s\n' "${left[@]}"
check "no file or new directory of the package is left (${#owned_files[@]} files, ${#new_dirs[@]} directories)" \
  test ${#left[@]} -eq 0

finish
