#!/usr/bin/env bash
# What a Windows user looks up, as README.md and README.txt (the readme of the
# Windows packages) say it: where the program and its files are, how to run
# the folder check in cmd and PowerShell, how to try the samples, how to
# remove it. Each fact must be in both, word for word, and neither may send
# the user to the samples in the program's folder.
#   readme_test.sh README.md res/windows/README.txt
set -euo pipefail
facts=(
    '%LOCALAPPDATA%\Programs\Tolvane Class Creator'
    '%APPDATA%\Tolvane\Tolvane Class Creator.ini'
    '%LOCALAPPDATA%\Tolvane Class Creator\backups'
    '%LOCALAPPDATA%\Tolvane Class Creator\recovery'
    '"%LOCALAPPDATA%\Programs\Tolvane Class Creator\tolvane-classfile.exe" check *.cfg'
    '& "$env:LOCALAPPDATA\Programs\Tolvane Class Creator\tolvane-classfile.exe" check *.cfg'
    'Settings > Apps > Installed apps'
    'tolvane-class-creator.exe'
    'File > Copy Samples...'
    'Tolvane samples'
    'Documents folder'
    'never a game folder'
)
# What an earlier readme said, which lost the user's edits on uninstall.
wrong=(
    'folder beside the program as the game folder'
    'choose the "examples"'
    'removes every file the installer'
)
status=0
for fact in "${facts[@]}"; do
    for readme in "$@"; do
        grep -qF -- "$fact" "$readme" || { echo "FAIL: $readme does not say: $fact"; status=1; }
    done
done
for text in "${wrong[@]}"; do
    for readme in "$@"; do
        grep -qiF -- "$text" "$readme" && { echo "FAIL: $readme says: $text"; status=1; }
    done
done
exit $status
