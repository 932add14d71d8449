#!/usr/bin/env python3
"""Checks the manifest embedded in a PE file for the mistakes that keep it
from loading on some Windows.

usage: check_manifest.py FILE

FILE is the exe, whose manifest is read from its resources (type 24,
RT_MANIFEST), or a manifest itself. Fails, naming what is wrong, when:
- the manifest is missing or not well-formed XML;
- one element declares the same namespace twice (by two prefixes, or a prefix
  and the default): Windows XP SP2 restarts on such a manifest (KB921337);
- a namespace is not one Windows knows, such as https:// in place of http://
  (Windows ignores what stands in it) or a misspelt one (current Windows
  refuses to start the exe);
- an element stands in another namespace than the one Windows reads it from
  where it stands (an <application> without its own xmlns falls into asm.v1,
  where Windows does not look for its windowsSettings).
"""
import struct
import sys
import xml.parsers.expat

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
SETTINGS_2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SETTINGS_2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings"
KNOWN = {ASM_V1, ASM_V3, COMPATIBILITY, SETTINGS_2005, SETTINGS_2016}
# The namespace each element of the program's manifest is read from, and only
# from; <application> and what a <trustInfo> holds go by where they stand.
HOME = {
    "assembly": ASM_V1,
    "assemblyIdentity": ASM_V1,
    "description": ASM_V1,
    "dependency": ASM_V1,
    "dependentAssembly": ASM_V1,
    "trustInfo": ASM_V3,
    "windowsSettings": ASM_V3,
    "compatibility": COMPATIBILITY,
    "supportedOS": COMPATIBILITY,
    "dpiAware": SETTINGS_2005,
    "dpiAwareness": SETTINGS_2016,
}
RT_MANIFEST = 24


class PeError(Exception):
    pass


def manifest_of_pe(data):
    """The bytes of the first RT_MANIFEST resource of a PE file."""
    def unpack(fmt, offset):
        size = struct.calcsize(fmt)
        if offset < 0 or offset + size > len(data):
            raise PeError("truncated PE file")
        return struct.unpack_from(fmt, data, offset)

    (pe,) = unpack("<I", 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("not a PE file")
    sections, optional_size = unpack("<2xH12xH2x", pe + 4)
    optional = pe + 24
    (magic,) = unpack("<H", optional)
    directories = optional + {0x10B: 96, 0x20B: 112}.get(magic, -1)
    if directories < optional:
        raise PeError("unknown optional header")
    resource_rva, resource_size = unpack("<II", directories + 2 * 8)
    if resource_size == 0:
        raise PeError("no resources")

    table = optional + optional_size
    spans = [unpack("<8xIIII", table + 40 * i) for i in range(sections)]

    def offset_of(rva):
        for virtual_size, address, raw_size, raw in spans:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise PeError(f"RVA {rva:#x} in no section")

    base = offset_of(resource_rva)

    def entries(directory):
        named, numbered = unpack("<12xHH", base + directory)
        for i in range(named + numbered):
            yield unpack("<II", base + directory + 16 + 8 * i)

    def first_leaf(offset):
        while offset & 0x80000000:
            first = next(entries(offset & 0x7FFFFFFF), None)
            if first is None:
                return None
            offset = first[1]
        return offset

    for name, offset in entries(0):
        if name == RT_MANIFEST and offset & 0x80000000:
            leaf = first_leaf(offset)
            if leaf is not None:
                rva, size = unpack("<II", base + leaf)
                start = offset_of(rva)
                return data[start:start + size]
    raise PeError("no manifest resource (type 24)")


def home(local, ancestors):
    """The namespace Windows reads the element from, by where it stands, or
    None for an element the check does not know."""
    if "trustInfo" in ancestors:
        return ASM_V3
    if local == "application":
        return COMPATIBILITY if ancestors[-1:] == ["compatibility"] else ASM_V3
    return HOME.get(local)


def problems(text):
    """What is wrong with the manifest, one line each."""
    found = []
    scopes = [{"xml": "http://www.w3.org/XML/1998/namespace"}]
    ancestors = []

    def start(name, attributes):
        scope = dict(scopes[-1])
        declared = {}
        for attribute, value in attributes.items():
            if attribute != "xmlns" and not attribute.startswith("xmlns:"):
                continue
            prefix = attribute[6:]
            if value in declared:
                found.append(f"<{name}> declares the namespace {value} twice "
                             f"({declared[value]} and {attribute})")
            declared[value] = attribute
            if value not in KNOWN:
                hint = ""
                if value.startswith("https://") and "http://" + value[8:] in KNOWN:
                    hint = " (http://, not https://)"
                found.append(f"<{name}> declares an unknown namespace {value}{hint}")
            scope[prefix] = value
        scopes.append(scope)
        prefix, _, local = name.rpartition(":")
        namespace = scope.get(prefix)
        expected = home(local, ancestors)
        ancestors.append(local)
        if namespace is None:
            found.append(f"<{name}> has no namespace")
        elif expected is not None and namespace != expected:
            found.append(f"<{name}> is in {namespace}; Windows reads it only from {expected}")

    def end(name):
        scopes.pop()
        ancestors.pop()

    parser = xml.parsers.expat.ParserCreate()
    parser.StartElementHandler = start
    parser.EndElementHandler = end
    try:
        parser.Parse(text, True)
    except xml.parsers.expat.ExpatError as error:
        found.append(f"not well-formed XML: {error}")
    return found


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    with open(argv[1], "rb") as file:
        data = file.read()
    try:
        text = manifest_of_pe(data) if data[:2] == b"MZ" else data
    except PeError as error:
        sys.exit(f"{argv[1]}: {error}")
    found = problems(text)
    for problem in found:
        print(f"{argv[1]}: manifest: {problem}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
