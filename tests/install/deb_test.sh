#!/bin/bash
# Checks the Debian package: its control fields, that it depends on the
# runtime libraries and on nothing of the build, that its program is
# stripped, that lintian finds no error or warning in it; then installs it into a
# throwaway root and plays it from there (install_test.sh).
# Usage: deb_test.sh EARSHOT.deb
set -u
deb=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
trap 'exit 1' INT TERM HUP

fail() {
  echo "FAIL (deb): $*" >&2
  exit 1
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ "$(field Priority)" = optional ] || fail "Priority is '$(field Priority)', not optional"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"

# One name a line, versions dropped.
field Depends | tr ',' '\n' | sed 's/[[:space:]]*(.*//; s/^[[:space:]]*//' >"$tmp/depends"
for lib in libsdl2-2.0-0 libvorbisfile3; do
  grep -qx "$lib" "$tmp/depends" || fail "Depends lacks $lib: $(field Depends)"
done
grep -e '-dev$' -e '^cmake$' -e '^g++' "$tmp/depends" && fail "Depends names a build tool or header package: $(field Depends)"

dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/lib/earshot/earshot >"$tmp/earshot" ||
  fail "the package has no usr/lib/earshot/earshot"
file "$tmp/earshot" | grep -q ', stripped' || fail "the program is not stripped: $(file -b "$tmp/earshot")"

# Infos and pedantic hints are printed for the record only.
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

bash "$(dirname "$0")/install_test.sh" --deb "$deb" || exit 1
echo "ok (deb)"
