#!/usr/bin/env bash
# Checks a built package's desktop entry, metainfo and the package itself:
# desktop-file-validate, appstreamcli (without the network) and lintian,
# which must report no error. Usage: scripts/check-deb.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "${1:?package file}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
echo "== desktop-file-validate"
desktop-file-validate "$work/usr/share/applications/tarnwick.desktop"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$work/usr/share/metainfo/org.tarnwick.Tarnwick.metainfo.xml"
echo "== lintian"
# Errors fail the check; warnings and information are listed.
lintian --info --display-info --no-tag-display-limit "$deb" | tee "$work/lintian.txt" || true
if grep -q '^E: ' "$work/lintian.txt"; then
  echo "lintian reports errors" >&2
  exit 1
fi
echo "== package"
dpkg-deb --field "$deb" Package Version Depends
du -h "$deb" | cut -f1
