#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks it as Debian does:
# lintian reports no error and no warning.
#   packagetest.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
if lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges'; then
    :
fi
if lintian --fail-on error,warning "$deb" >/dev/null 2>&1; then
    echo "1 passed, 0 failed"
else
    echo "0 passed, 1 failed"
    exit 1
fi
