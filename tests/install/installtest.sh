#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# both programs, the themed icon, a valid menu entry, valid AppStream data
# with the screenshot the build draws, and man pages that name the options
# --help names.
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
         share/icons/hicolor/256x256/apps/tolvane-class-creator.png \
         share/doc/tolvane-class-creator/copyright; do
    if [ ! -s "$prefix/$f" ]; then
        echo "missing: $f"
        status=1
    fi
done
desktop-file-validate "$prefix/share/applications/tolvane-class-creator.desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.tolvane.ClassCreator.metainfo.xml" || status=1
"$prefix/bin/tolvane-classfile" --help >/dev/null || status=1

# The screenshot the metadata names is the one the build draws for the web
# site: a PNG of a window, not a blank or a stray file.
shot=$(grep -o '<image[^>]*>[^<]*' "$prefix/share/metainfo/org.example.tolvane.ClassCreator.metainfo.xml" | sed 's/.*[/>]//')
png="$build/res/$shot"
if [ -z "$shot" ] || [ ! -s "$png" ]; then
    echo "the metadata names no screenshot that the build draws: '$shot'"
    status=1
else
    width=$(od -An -tu1 -j16 -N4 "$png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    height=$(od -An -tu1 -j20 -N4 "$png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    if [ "$(head -c8 "$png" | od -An -tx1 | tr -d ' ')" != 89504e470d0a1a0a ] || [ "$width" -lt 600 ] \
        || [ "$height" -lt 350 ] || [ "$(stat -c %s "$png")" -lt 20000 ]; then
        echo "the screenshot $png is not a picture of the window (${width}x$height)"
        status=1
    fi
fi

# --help and the man page name the same options.
options() { grep -oE -- '(^|[^a-z0-9-])-(-[a-z][a-z-]*(=[a-z]+)?|[a-zA-Z])\b' | grep -oE -- '-.*' | sort -u; }
for program in tolvane-classfile tolvane-class-creator; do
    page="$prefix/share/man/man1/$program.1.gz"
    if [ ! -s "$page" ]; then echo "missing: man page of $program"; status=1; continue; fi
    fromHelp=$("$prefix/bin/$program" --help | options)
    fromPage=$(gzip -dc "$page" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' | grep -v '^\.TH' | options)
    if [ "$fromHelp" != "$fromPage" ]; then
        echo "$program: --help and the man page differ:"
        diff <(echo "$fromHelp") <(echo "$fromPage") || true
        status=1
    fi
done
if [ $status -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit $status
