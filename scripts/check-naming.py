#!/usr/bin/env python3
"""The house style of names, checked without a compiler: free functions are
camelCase, and code inside namespace tolvane never names tolvane::.

Free functions stand at the start of a line (namespaces are not indented);
a member's definition names its class (Class::name) and is not looked at.
Prints each offence as file:line and exits 1 when there is one."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
folders = ["classdata", "model", "editor", "app", "cli", "tests", "bench", "fuzz"]
# Names the language, a library or a tool chooses.
allowed = {"main", "qHash", "swap", "LLVMFuzzerTestOneInput", "LLVMFuzzerInitialize", "PrintTo"}
notFunctions = re.compile(r"^(?:#|//|/\*|\*|return\b|typedef\b|using\b|case\b|else\b|if\b|for\b|while\b|switch\b"
                          r"|[A-Z][A-Z0-9_]*\s*\(|TEST|INSTANTIATE|Q_|BENCHMARK|namespace\b|class\b|struct\b|enum\b)")
definition = re.compile(r"^(?:(?:static|inline|constexpr|consteval|extern|friend|\[\[\w+\]\])\s+)*"
                        r"(?:const\s+)?[\w:]+(?:<[^()]*>)?[\s*&]+(?:\w+::)*~?(\w+)\s*\(")
camelCase = re.compile(r"^[a-z][A-Za-z0-9]*$")

offences = []
for folder in folders:
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".h", ".cpp") or "build" in path.parts:
            continue
        inside = False
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            if line.startswith("namespace tolvane"):
                inside = True
            elif line.startswith("} // namespace tolvane"):
                inside = False
            if inside and "tolvane::" in line.split("//")[0]:
                offences.append(f"{path.relative_to(root)}:{number}: tolvane:: inside namespace tolvane")
            if notFunctions.match(line):
                continue
            match = definition.match(line)
            if not match or "operator" in line.split("(")[0]:
                continue
            if line[: match.start(1)].rstrip("~").endswith("::"):
                continue  # a member's definition
            name = match.group(1)
            if name not in allowed and not camelCase.match(name):
                offences.append(f"{path.relative_to(root)}:{number}: free function {name} is not camelCase")
for offence in offences:
    print(offence)
sys.exit(1 if offences else 0)
