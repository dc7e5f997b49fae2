#!/usr/bin/env bash
# What a Windows user looks up, as README.md and README.txt (the readme of the
# Windows packages) say it: where the program and its files are, how to run
# the folder check in cmd and PowerShell, how to remove it. Each fact must be
# in both, word for word.
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
)
status=0
for fact in "${facts[@]}"; do
    for readme in "$@"; do
        grep -qF -- "$fact" "$readme" || { echo "FAIL: $readme does not say: $fact"; status=1; }
    done
done
exit $status
