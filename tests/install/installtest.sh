#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# both programs, the themed icon, a valid menu entry and valid AppStream data.
#   installtest.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for f in bin/tolvane-class-creator bin/tolvane-classfile \
         share/applications/tolvane-class-creator.desktop \
         share/metainfo/org.example.tolvane.ClassCreator.metainfo.xml \
         share/icons/hicolor/16x16/apps/tolvane-class-creator.png \
         share/icons/hicolor/32x32/apps/tolvane-class-creator.png \
         share/icons/hicolor/256x256/apps/tolvane-class-creator.png; do
    if [ ! -s "$prefix/$f" ]; then
        echo "missing: $f"
        status=1
    fi
done
desktop-file-validate "$prefix/share/applications/tolvane-class-creator.desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.tolvane.ClassCreator.metainfo.xml" || status=1
"$prefix/bin/tolvane-classfile" --help >/dev/null || status=1
if [ $status -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit $status
