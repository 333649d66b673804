"""Makes an MSI that wixl wrote the same at every build: its summary information takes the
package code given and the time of the commit, where wixl puts a random code and the clock.

    stamp_msi.py PACKAGE.msi PACKAGE-CODE SECONDS-SINCE-1970

Only values of the same size are replaced, in place; nothing else of the file changes.
"""
import struct
import sys
import uuid

import olefile

SUMMARY = "\x05SummaryInformation"
REVISION_NUMBER = 9  # the package code, "{XXXXXXXX-...}"
CREATED = 12
LAST_SAVED = 13
VT_LPSTR = 30
VT_FILETIME = 64
# FILETIME counts 100-nanosecond steps from 1601-01-01.
EPOCH_AS_FILETIME = 116444736000000000


def properties(stream):
    """Offsets of the summary's properties within the stream, by property id."""
    (section,) = struct.unpack_from("<I", stream, 28 + 16)
    (count,) = struct.unpack_from("<I", stream, section + 4)
    found = {}
    for index in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * index)
        found[pid] = section + offset
    return found


def stamp(path, package_code, seconds):
    with olefile.OleFileIO(path, write_mode=True) as package:
        stream = bytearray(package.openstream(SUMMARY).read())
        where = properties(stream)

        offset = where[REVISION_NUMBER]
        kind, length = struct.unpack_from("<II", stream, offset)
        code = ("{%s}" % str(uuid.UUID(package_code)).upper()).encode("ascii") + b"\0"
        if kind != VT_LPSTR or length != len(code):
            sys.exit("%s: the package code is not where it was expected" % path)
        stream[offset + 8 : offset + 8 + length] = code

        filetime = EPOCH_AS_FILETIME + int(seconds) * 10_000_000
        for pid in (CREATED, LAST_SAVED):
            offset = where[pid]
            (kind,) = struct.unpack_from("<I", stream, offset)
            if kind != VT_FILETIME:
                sys.exit("%s: property %d is no time" % (path, pid))
            struct.pack_into("<Q", stream, offset + 4, filetime)
        package.write_stream(SUMMARY, bytes(stream))


if __name__ == "__main__":
    stamp(*sys.argv[1:])
