#!/usr/bin/env python3
"""Checks a shipped PE file against the oldest Windows it must run on.

usage: check_pe_imports.py OBJDUMP FLOOR_TABLE i686|x86_64 PE_FILE

Reads the file's headers and import table through objdump and fails, naming
what is wrong, unless:
- it is a Windows GUI program whose subsystem version is that of the oldest
  Windows of its kind: 4.0 for the 32-bit exe (Windows 95 and NT 4.0 read it),
  5.2 for the 64-bit one (the first 64-bit Windows);
- every function it imports is a row of the floor table, and every row says
  the function is there on the oldest Windows of the file's kind: for the
  32-bit exe Windows 98 and Windows NT 4.0, with the C runtime msvcrt.dll 4.20
  that NT 4.0 has; for the 64-bit exe Windows NT 5.2 and its msvcrt.dll 7.0;
- the notification-area call is the ANSI one, Shell_NotifyIconA, which takes
  the record the program fills.

The floor table has tab-separated columns dll, function, since and source;
since reads "NT <version>, <9x version or none>", "NT 5.2 x64" or
"msvcrt <version>". Lines starting with # are comments.
"""
import re
import subprocess
import sys

FLOORS = {
    # arch: (subsystem version, NT version, 9x version or None, msvcrt version)
    "i686": ((4, 0), (4, 0), 98, (4, 20)),
    "x86_64": ((5, 2), (5, 2), None, (7, 0)),
}
NINE_X = {"95": 95, "98": 98, "me": 99, "none": None}


def version(text):
    return tuple(int(part) for part in text.split("."))


def read_table(path):
    table = {}
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4 or not all(fields):
                sys.exit(f"{path}:{number}: expected dll, function, since and source")
            dll, function, since, source = fields
            table[(dll.lower(), function)] = (since, source, number)
    return table


def meets_floor(since, arch):
    """None when the row's availability reaches the arch's floor, else why not."""
    _, nt_floor, nine_x_floor, crt_floor = FLOORS[arch]
    crt = re.fullmatch(r"msvcrt (\d+(?:\.\d+)*)( x64)?", since)
    if crt:
        if crt.group(2) and arch != "x86_64":
            return "it exists only in 64-bit Windows"
        if version(crt.group(1)) > crt_floor:
            return f"msvcrt.dll {crt.group(1)} is newer than {'.'.join(map(str, crt_floor))}"
        return None
    api = re.fullmatch(r"NT (\d+(?:\.\d+)*)(?:, (95|98|ME|none)| (x64))", since)
    if not api:
        return f"cannot read since '{since}'"
    if api.group(3) and arch != "x86_64":
        return "it exists only in 64-bit Windows"
    if version(api.group(1)) > nt_floor:
        return f"NT {api.group(1)} is newer than NT {'.'.join(map(str, nt_floor))}"
    if nine_x_floor is not None:
        nine_x = NINE_X[api.group(2).lower()]
        if nine_x is None or nine_x > nine_x_floor:
            return f"the 9x family has it {'never' if nine_x is None else 'only from ' + api.group(2)}"
    return None


def imports_of(headers):
    """(dll, function) for every import by name; ordinal imports as '#N'."""
    imports = []
    dll = None
    for line in headers.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).lower()
            continue
        if dll is None:
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        ordinal = re.match(r"\s+[0-9a-f]+\s+<none>\s+([0-9a-f]+)\s*$", line)
        if entry:
            imports.append((dll, entry.group(2)))
        elif ordinal:
            imports.append((dll, "#" + str(int(ordinal.group(1), 16))))
        elif not line.strip():
            dll = None
    return imports


def main():
    if len(sys.argv) != 5 or sys.argv[3] not in FLOORS:
        sys.exit(__doc__.strip())
    objdump, table_path, arch, pe_file = sys.argv[1:]
    headers = subprocess.run([objdump, "-p", pe_file], check=True, capture_output=True,
                             text=True).stdout
    table = read_table(table_path)
    faults = []

    fields = dict(re.findall(r"^(\w+)\s+(.*?)\s*$", headers, re.MULTILINE))
    if "(Windows GUI)" not in fields.get("Subsystem", ""):
        faults.append(f"subsystem '{fields.get('Subsystem')}', expected a Windows GUI program")
    subsystem = (int(fields.get("MajorSubsystemVersion", -1)),
                 int(fields.get("MinorSubsystemVersion", -1)))
    expected = FLOORS[arch][0]
    print(f"subsystem version {subsystem[0]}.{subsystem[1]}")
    if subsystem != expected:
        faults.append(f"subsystem version {subsystem[0]}.{subsystem[1]}, "
                      f"expected {expected[0]}.{expected[1]}")

    imports = imports_of(headers)
    if not imports:
        faults.append("no imports found")
    for dll, function in imports:
        row = table.get((dll, function))
        if row is None:
            faults.append(f"{dll} {function} is imported but not in the floor table")
            continue
        since, _, number = row
        why = meets_floor(since, arch)
        if why:
            faults.append(f"{dll} {function} is newer than the floor ({since}, table line "
                          f"{number}): {why}")
    if ("shell32.dll", "Shell_NotifyIconA") not in imports:
        faults.append("Shell_NotifyIconA is not imported")

    dlls = sorted({dll for dll, _ in imports})
    print(f"{len(imports)} imports from {', '.join(dlls)}")
    for fault in faults:
        print(f"FAIL: {fault}")
    if faults:
        sys.exit(1)
    print(f"PASS: {pe_file}")


if __name__ == "__main__":
    main()
