#!/usr/bin/env python3
"""The Windows executable's identity, read without running it (pefile).

    check_executable.py PROGRAM i686|x86_64
"""
import os
import struct
import sys
import xml.etree.ElementTree as ET

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from lib import Checks  # noqa: E402

program, arch = sys.argv[1], sys.argv[2]
checks = Checks("executable")
check = checks.check


pe = pefile.PE(program)
machine, magic, manifest_arch = {
    "i686": (0x14C, 0x10B, "x86"),  # i386, PE32
    "x86_64": (0x8664, 0x20B, "amd64"),  # AMD64, PE32+
}[arch]
check("machine", pe.FILE_HEADER.Machine, machine)
check("optional header magic", pe.OPTIONAL_HEADER.Magic, magic)
check("subsystem", pe.OPTIONAL_HEADER.Subsystem, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
# The oldest Windows it runs on, Windows 7 SP1 (6.1): the loader of an older
# one refuses it with its own message, before any missing entry point.
oh = pe.OPTIONAL_HEADER
check("operating system version", (oh.MajorOperatingSystemVersion, oh.MinorOperatingSystemVersion), (6, 1))
check("subsystem version", (oh.MajorSubsystemVersion, oh.MinorSubsystemVersion), (6, 1))

# Only system DLLs: the C and C++ runtimes are linked in. Active
# Accessibility (oleacc) is loaded only when a tool asks, never at start-up.
check(
    "imported DLLs",
    sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT),
    ["comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "user32.dll"],
)

# The version block: one string table for Chinese (Simplified) in UTF-16.
fixed = pe.VS_FIXEDFILEINFO[0]
check("numeric file version", (fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 0))
check("numeric product version", (fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 0))
tables, translations = [], []
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        tables += [(t.LangID, {k.decode(): v.decode() for k, v in t.entries.items()}) for t in info.StringTable]
    elif info.Key == b"VarFileInfo":
        translations += [v.entry for v in info.Var]
check(
    "version strings",
    tables,
    [
        (
            b"080404B0",
            {
                "CompanyName": "http://velta.taobao.com",
                "FileVersion": "1.00",
                "InternalName": "工程1",
                "LegalCopyright": "本软件按现状提供，不作任何担保。",
                "OriginalFilename": "工程1.exe",
                "ProductName": "Mivello",
                "ProductVersion": "1.00",
            },
        )
    ],
)
check("translation", translations, [{b"Translation": "0x0804 0x04b0"}])  # 0x0804, code page 1200


def resources(type_id):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == type_id:
            for name in entry.directory.entries:
                for lang in name.directory.entries:
                    data = lang.data.struct
                    yield name.id, lang.id, pe.get_data(data.OffsetToData, data.Size)


# The icon group (GRPICONDIR: reserved, type 1, count; then 14-byte entries).
groups = list(resources(pefile.RESOURCE_TYPE["RT_GROUP_ICON"]))
check("icon groups", [(name, lang) for name, lang, _ in groups], [(1, 0x0804)])
if groups:
    group = groups[0][2]
    reserved, kind, count = struct.unpack_from("<HHH", group)
    check("icon group header", (reserved, kind), (0, 1))
    images = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    check("icon sizes", [(w, h) for w, h, *_ in images], [(16, 16), (32, 32), (48, 48), (64, 64)])
    check("icon bits per pixel", [image[5] for image in images], [24] * 4)

manifests = list(resources(pefile.RESOURCE_TYPE["RT_MANIFEST"]))
check("manifests", [(name, lang) for name, lang, _ in manifests], [(1, 0x0804)])
if manifests:
    ns = {
        "v1": "urn:schemas-microsoft-com:asm.v1",
        "v3": "urn:schemas-microsoft-com:asm.v3",
        "s05": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
        "s16": "http://schemas.microsoft.com/SMI/2016/WindowsSettings",
        "c1": "urn:schemas-microsoft-com:compatibility.v1",
    }
    root = ET.fromstring(manifests[0][2])
    identity = root.find("v1:assemblyIdentity", ns)
    check("manifest identity", (identity.get("name"), identity.get("processorArchitecture")), ("Mivello", manifest_arch))
    controls = root.find("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", ns)
    check(
        "common controls",
        (controls.get("name"), controls.get("version"), controls.get("processorArchitecture")),
        ("Microsoft.Windows.Common-Controls", "6.0.0.0", manifest_arch),
    )
    settings = "v3:application/v3:windowsSettings/"
    check("dpiAware", root.findtext(settings + "s05:dpiAware", namespaces=ns), "true/pm")
    check("dpiAwareness", root.findtext(settings + "s16:dpiAwareness", namespaces=ns), "PerMonitorV2")
    level = root.find("v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel", ns)
    check("execution level", None if level is None else level.get("level"), "asInvoker")
    systems = {  # Microsoft's identifiers of the systems a program declares it was made for
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
    }
    declared = [os.get("Id") for os in root.findall("c1:compatibility/c1:application/c1:supportedOS", ns)]
    check("supported systems", [systems.get(id, id) for id in declared], list(systems.values()))

checks.finish()
