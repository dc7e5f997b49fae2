#!/usr/bin/env bash
# Installs what building and running the editor need on Debian or Ubuntu, and
# with "all" (the default) what the tests need too; only what is missing.
# Safe to run again.
#   bash scripts/deps.sh [run|all]
set -euo pipefail
want=${1:-all}

# Building and running the editor; toml++ reads the rules file (header-only,
# so the Windows build takes the same headers).
run=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core libtomlplusplus-dev)

# The tests, the Debian package (dpkg-dev, file) and its checks, the
# benchmarks, and the check of the sources' formatting (clang-format); clang
# with its sanitizer and libFuzzer run-time libraries for the second build,
# and ccache, which keeps the second run of every build short. The
# screen reader tests read the window over AT-SPI: dbus, at-spi2-core and the
# Python bindings; and listen to Orca, which speaks through speech-dispatcher's
# dummy module (no sound device). Python's csv module reads the sheets
# tolvane-classfile exports. The Windows build of the Qt-free parts is tested
# under Wine.
test=(libgtest-dev libbenchmark-dev locales xvfb xauth desktop-file-utils appstream lintian clang-format
      dpkg-dev file clang ccache
      # patch applies what normalize --diff writes.
      patch
      dbus at-spi2-core gir1.2-atspi-2.0 python3-gi orca speech-dispatcher python3
      g++-mingw-w64-x86-64-posix googletest wine wine64
      # Wine's own Tahoma and MS Sans Serif for the window's fonts under Wine,
      # xdotool to drive the Windows window, the editor program and Orca's keys
      # under Xvfb, NSIS for the installer.
      fonts-wine xdotool nsis)

case $want in
    run) packages=("${run[@]}") ;;
    all) packages=("${run[@]}" "${test[@]}") ;;
    *) echo "usage: $0 [run|all]" >&2; exit 2 ;;
esac

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# Debian 12 ships clang's run-time libraries (the sanitizers', libFuzzer's)
# apart, as libclang-rt-dev; elsewhere they come with clang.
runtime='/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a'
if [ "$want" = all ] && ! compgen -G "$runtime" >/dev/null; then
    apt-cache show libclang-rt-dev >/dev/null 2>&1 || $sudo apt-get update -qq
    if apt-cache show libclang-rt-dev >/dev/null 2>&1; then packages+=(libclang-rt-dev); fi
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Tests check number handling under a German locale.
if [ "$want" = all ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
