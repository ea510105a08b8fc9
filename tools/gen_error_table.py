#!/usr/bin/env python3
"""Writes support/ErrorTable.cpp, the fixed texts of the Windows system error
codes that Errors::ErrorText hands out.

The texts come from the names of the ERROR_ constants in winerror.h: the
prefix is dropped, underscores become blanks and every word is written with a
capital first letter and the rest in small letters. Names that read badly
that way (abbreviations, run-together words) have their wording given below.

The generated file is checked in, so the build never needs winerror.h; run
this again only when the table itself has to change:

    python3 tools/gen_error_table.py [--header PATH] [--output PATH]
"""

import argparse
import collections
import pathlib
import re
import sys

DEFAULT_HEADER = "/usr/share/mingw-w64/include/winerror.h"
DEFAULT_OUTPUT = pathlib.Path(__file__).resolve().parent.parent / "support" / "ErrorTable.cpp"
EXPECTED_ROWS = 514

# The codes that have a row; every other code is unknown to the program.
CODE_RANGES = (
    (0, 34), (36, 36), (38, 39), (50, 72), (80, 80), (82, 89), (100, 114),
    (117, 162), (164, 164), (167, 167), (170, 170), (173, 174), (180, 180),
    (182, 183), (186, 203), (205, 210), (212, 212), (214, 215), (230, 234),
    (240, 240), (254, 255), (259, 259), (266, 267), (275, 278), (282, 282),
    (288, 288), (298, 298), (317, 317), (487, 487), (534, 536), (994, 999),
    (1001, 1022), (1051, 1078), (1100, 1132), (1200, 1222), (1300, 1338),
    (1340, 1394), (1400, 1449), (1500, 1503), (1784, 1790), (1792, 1805),
    (1807, 1816), (1901, 1906), (2000, 2005), (2202, 2202), (2250, 2250),
    (2401, 2401), (2404, 2404), (3000, 3006), (4000, 4006), (6118, 6118),
)

# Severity codes of the status values, which have no ERROR_ constant.
SEVERITY_ROWS = {
    0x40000000: "Severity Informational",
    -0x80000000: "Severity Warning",
    -0x40000000: "Severity Error",
}

# Where a header defines more than one ERROR_ name for a code, the name whose
# wording the table uses.
PREFERRED_NAMES = {
    1003: "CAN_NOT_COMPLETE",
}

# Rows whose wording is not the plain reading of the constant's name.
REWORDED = {
    0: "Severity Success",
    14: "Out Of Memory",
    31: "General Failure",
    52: "Duplicate Name",
    53: "Bad Net Path",
    55: "Device Doesn't Exist",
    57: "Adapter Hardware Error",
    58: "Bad Net Response",
    59: "Unexpected Network Error",
    60: "Bad Rem Adapter",
    61: "Print Queue Full",
    66: "Bad Device Type",
    71: "Req Not Accepted",
    101: "Excl Semaphore Already Owned",
    102: "Semaphore Is Set",
    105: "Semaphore Owner Died",
    106: "Semaphore User Limit",
    121: "Semaphore Timeout",
    159: "Bad Thread ID Address",
    187: "Semaphore Not Found",
    188: "Invalid Starting Code Segment",
    189: "Invalid Stack Segment",
    190: "Invalid Module Type",
    195: "Invalid Minimum Allocation Size",
    200: "Ring2 Segment Must Be Movable",
    203: "Environment Variable Not Found",
    206: "Filename Exceeded Range",
    275: "EAS Didn't Fit",
    998: "No Access",
    999: "Swap Error",
    1009: "Bad DB",
    1010: "Bad Key",
    1011: "Cannot Open",
    1012: "Cannot Read",
    1013: "Cannot Write",
    1074: "Already Running Linkage",
    1217: "Invalid Message Name",
    1218: "Invalid Message Destination",
    1221: "Duplicate Domain Name",
    1310: "Cannot Disable Mandatory",
    1347: "Cannot Open Anonymous",
    1351: "Cannot Access Domain Info",
    1429: "Public Only Hook",
    1441: "Hwnds Have Different Parents",
    1445: "Non MDI Child Window",
    1501: "Eventlog Cannot Start",
    1798: "Unknown Print Processor",
    1807: "No Logon Interdomain Trust Account",
    1808: "No Logon Workstation Trust Account",
    1809: "No Logon Server Trust Account",
    3003: "Spooler Didn't Start Doc",
    3004: "Spooler Didn't Add Job",
    4001: "Can Not Delete Local Wins",
}

# Rows that read the constant's words but keep abbreviations in capitals.
CAPITALISED = {
    23: "CRC",
    38: "Handle EOF",
    194: "Iterated Data Exceeds 64K",
    197: "IOPL Not Enabled",
    199: "Autodataseg Exceeds 64K",
    240: "VC Disconnected",
    254: "Invalid EA Name",
    255: "EA List Inconsistent",
    276: "EA File Corrupt",
    277: "EA Table Full",
    278: "Invalid EA Handle",
    282: "EAS Not Supported",
    994: "EA Access Denied",
    996: "IO Incomplete",
    997: "IO Pending",
    1114: "DLL Init Failed",
    1117: "IO Device",
    1119: "IRQ Busy",
    1122: "Floppy ID Mark Not Found",
    1129: "EOM Overflow",
    1304: "Null LM Password",
    1333: "Too Many LuIDs Requested",
    1334: "LuIDs Exhausted",
    1336: "Invalid ACL",
    1337: "Invalid SID",
    1343: "Invalid ID Authority",
    1358: "Internal DB Corruption",
    1369: "RxAct Invalid State",
    1370: "RxAct Commit Failure",
    1383: "Internal DB Error",
    1386: "NT Cross Encryption Required",
    1390: "LM Cross Encryption Required",
    1405: "Invalid DWP Handle",
    1406: "Tlw With WSChild",
    1416: "Listbox ID Not Found",
    1421: "Control ID Not Found",
    1425: "DC Not Found",
    1428: "Hook Needs HMod",
    1432: "Invalid LB Message",
    1434: "LB Without Tabstops",
    1439: "Invalid SPI Value",
    1443: "Invalid GW Command",
    1444: "Invalid Thread ID",
    1449: "Invalid ShowWin Command",
    4006: "RPL Not Allowed",
}

DEFINE = re.compile(
    r"^\s*#\s*define\s+ERROR_(\w+)\s+"
    r"(?:__MSABI_LONG\(\s*)?(0[xX][0-9A-Fa-f]+|\d+)[uUlL]*\s*\)?\s*(?:/[/*].*)?$",
    re.MULTILINE,
)


def listed_codes():
    return [code for first, last in CODE_RANGES for code in range(first, last + 1)]


def read_constants(header_text):
    """Maps each numeric value to the ERROR_ names (without the prefix) defined for it."""
    names = collections.defaultdict(list)
    for match in DEFINE.finditer(header_text):
        names[int(match.group(2), 0)].append(match.group(1))
    return names


def pick_name(code, names):
    candidates = names.get(code, [])
    preferred = PREFERRED_NAMES.get(code)
    if preferred is not None:
        if preferred not in candidates:
            sys.exit(f"code {code}: ERROR_{preferred} is not defined in the header")
        return preferred
    if len(candidates) != 1:
        sys.exit(f"code {code}: expected one ERROR_ constant, found {candidates or 'none'}")
    return candidates[0]


def words_of(name):
    return " ".join(word[:1].upper() + word[1:].lower() for word in name.split("_"))


def text_of(code, names):
    # A hand-worded row still needs its constant, so a code that has gone
    # from the header is noticed rather than kept by habit.
    plain = words_of(pick_name(code, names))
    if code in CAPITALISED:
        if CAPITALISED[code].lower() != plain.lower():
            sys.exit(f"code {code}: {CAPITALISED[code]!r} does not read ERROR_ name {plain!r}")
        return CAPITALISED[code]
    return REWORDED.get(code, plain)


def build_rows(header_text):
    names = read_constants(header_text)
    codes = listed_codes()
    for table in (REWORDED, CAPITALISED):
        stray = sorted(set(table) - set(codes))
        if stray:
            sys.exit(f"worded rows for codes outside the table: {stray}")
    rows = {code: text_of(code, names) for code in codes}
    rows.update(SEVERITY_ROWS)
    if len(rows) != EXPECTED_ROWS:
        sys.exit(f"the table has {len(rows)} rows, expected {EXPECTED_ROWS}")
    return sorted(rows.items())


def c_literal(code):
    # The most negative 32-bit value has no literal of its own type.
    return "-2147483647 - 1" if code == -0x80000000 else str(code)


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def render(rows):
    lines = [
        "// Generated by tools/gen_error_table.py from the ERROR_ names of winerror.h.",
        "// Edit the generator, not this file.",
        '#include "support/ErrorTable.h"',
        "",
        "#include <iterator>",
        "",
        "namespace Errors {",
        "",
        "namespace {",
        "",
        "constexpr ErrorTableRow kRows[] = {",
    ]
    lines += [f"    {{{c_literal(code)}, {c_string(text)}}}," for code, text in rows]
    lines += [
        "};",
        "",
        f"static_assert(std::size(kRows) == {len(rows)});",
        "",
        "}  // namespace",
        "",
        "std::span<const ErrorTableRow> ErrorTableRows() { return kRows; }",
        "",
        "}  // namespace Errors",
        "",
    ]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--header", default=DEFAULT_HEADER, help="winerror.h to read")
    parser.add_argument("--output", default=str(DEFAULT_OUTPUT), help="C++ file to write")
    args = parser.parse_args()
    header_text = pathlib.Path(args.header).read_text(encoding="latin-1")
    rows = build_rows(header_text)
    pathlib.Path(args.output).write_text(render(rows), encoding="utf-8")
    print(f"{args.output}: {len(rows)} rows")


if __name__ == "__main__":
    main()
