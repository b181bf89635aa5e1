"""pe_resources.py EXE VERSION: EXE carries the version resource for
VERSION, its strings where its translation says, and a manifest for a
64-bit program that runs it as invoked on Windows 10 and 11 without
changing its code page; and no link time."""
import sys

import pefile

exe, version = sys.argv[1:]
pe = pefile.PE(exe)
problems = []

strings = {}
string_blocks, translations = [], []
for info in getattr(pe, "FileInfo", [[]])[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            string_blocks.append(table.LangID.decode().upper())
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    if info.Key == b"VarFileInfo":
        for var in info.Var:
            language, code_page = var.entry.get(b"Translation", "0 0").split()
            translations.append(f"{int(language, 16):04X}{int(code_page, 16):04X}")
# Explorer's Details tab finds the strings through the translation.
if string_blocks != translations:
    problems.append(f"string blocks {string_blocks} for translations {translations}")
expected = {"FileVersion": version, "ProductVersion": version,
            "ProductName": "selector", "OriginalFilename": "selector.exe"}
for key, value in expected.items():
    if strings.get(key) != value:
        problems.append(f"{key} is {strings.get(key)!r}, not {value!r}")
if not strings.get("FileDescription"):
    problems.append("no FileDescription")
fixed = pe.VS_FIXEDFILEINFO[0]
numbers = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF, fixed.FileVersionLS >> 16]
if ".".join(map(str, numbers)) != version:
    problems.append(f"fixed file version {numbers}")

manifests = [entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries
             if entry.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]]
if len(manifests) != 1 or len(manifests[0].directory.entries) != 1:
    problems.append("not exactly one manifest")
else:
    data = manifests[0].directory.entries[0].directory.entries[0].data.struct
    manifest = pe.get_data(data.OffsetToData, data.Size).decode()
    for needed in ('level="asInvoker"', "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                   'processorArchitecture="amd64"'):
        if needed not in manifest:
            problems.append(f"the manifest lacks {needed}")
    if "activeCodePage" in manifest:
        problems.append("the manifest sets activeCodePage")

if pe.FILE_HEADER.TimeDateStamp != 0:
    problems.append(f"link time {pe.FILE_HEADER.TimeDateStamp} in the header")

for problem in problems:
    print(f"FAIL {exe}: {problem}")
sys.exit(1 if problems else 0)
