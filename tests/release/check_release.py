#!/usr/bin/env python3
"""Checks the shipped Quorvantel.exe without running it.

It must be a 32-bit console program for Intel 386 that imports only Windows
system DLLs (no runtime DLL beside it), carries a manifest that asks for
asInvoker and a version resource for 1.0.2, and has no link time stamp.
Reads the PE file directly.
"""

import struct
import sys
import unittest

PROGRAM = None

SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "advapi32.dll", "user32.dll",
               "shell32.dll", "ntdll.dll"}
RT_VERSION = 16
RT_MANIFEST = 24


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        assert d[:2] == b"MZ", "no DOS header"
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        assert d[pe:pe + 4] == b"PE\0\0", "no PE signature"
        (self.machine, sections, self.timestamp, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", d, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", d, opt)[0]
        self.subsystem = struct.unpack_from("<H", d, opt + 68)[0]
        directories = opt + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", d, directories + 8 * i)
                            for i in range(16)]
        self.sections = []
        table = opt + optional_size
        for i in range(sections):
            _, vsize, vaddr, rsize, raw = struct.unpack_from(
                "<8sIIII", d, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rsize), raw))

    def offset(self, rva):
        for vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise ValueError("RVA outside every section: %#x" % rva)

    def c_string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        rva, _ = self.directories[1]
        names = []
        at = self.offset(rva)
        while True:
            descriptor = struct.unpack_from("<IIIII", self.data, at)
            if not any(descriptor):
                return names
            names.append(self.c_string(descriptor[3]))
            at += 20

    def resources(self, type_id):
        """The data of every resource of a type, in directory order."""
        base_rva, _ = self.directories[2]
        if base_rva == 0:
            return []
        base = self.offset(base_rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data,
                                                  at + 16 + 8 * i)
                yield name, target

        found = []
        for name, target in entries(base):
            if name != type_id or not target & 0x80000000:
                continue
            for _, by_name in entries(base + (target & 0x7FFFFFFF)):
                for _, leaf in entries(base + (by_name & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data,
                                                   base + leaf)
                    start = self.offset(rva)
                    found.append(self.data[start:start + size])
        return found


def version_strings(block):
    """The StringFileInfo values of a VS_VERSION_INFO block."""
    strings = {}

    def walk(at, end, depth):
        while at + 6 <= end:
            length, value_length, kind = struct.unpack_from("<HHH", block, at)
            if length == 0:
                return
            key_end = at + 6
            while block[key_end:key_end + 2] != b"\0\0":
                key_end += 2
            key = block[at + 6:key_end].decode("utf-16-le")
            value_at = (key_end + 2 + 3) & ~3
            if kind == 1 and depth == 3:
                raw = block[value_at:value_at + 2 * value_length]
                strings[key] = raw.decode("utf-16-le").rstrip("\0")
            else:
                children = value_at + (value_length if kind == 0 else
                                       2 * value_length)
                walk((children + 3) & ~3, at + length, depth + 1)
            at = (at + length + 3) & ~3

    walk(0, len(block), 0)
    return strings


class ShippedProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = PeFile(PROGRAM)

    def test_is_a_32_bit_console_program(self):
        self.assertEqual(self.pe.machine, 0x14C)  # Intel 386
        self.assertEqual(self.pe.magic, 0x10B)  # PE32
        self.assertEqual(self.pe.subsystem, 3)  # console
        self.assertFalse(self.pe.characteristics & 0x2000, "a DLL")

    def test_imports_only_windows_system_dlls(self):
        dlls = {name.lower() for name in self.pe.imported_dlls()}
        self.assertIn("kernel32.dll", dlls)
        self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_manifest_asks_for_the_callers_rights(self):
        manifests = self.pe.resources(RT_MANIFEST)
        self.assertEqual(len(manifests), 1)
        self.assertIn(b'<requestedExecutionLevel level="asInvoker"',
                      manifests[0])

    def test_version_resource(self):
        blocks = self.pe.resources(RT_VERSION)
        self.assertEqual(len(blocks), 1)
        fixed = blocks[0].index(struct.pack("<I", 0xFEEF04BD))
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from(
            "<IIII", blocks[0], fixed + 8)
        self.assertEqual((file_ms, file_ls), (0x00010000, 0x00020000))
        self.assertEqual((product_ms, product_ls), (0x00010000, 0x00020000))
        strings = version_strings(blocks[0])
        for key, value in (("FileVersion", "1.0.2"),
                           ("ProductVersion", "1.0.2"),
                           ("ProductName", "Quorvantel"),
                           ("InternalName", "Quorvantel"),
                           ("OriginalFilename", "Quorvantel.exe")):
            self.assertEqual(strings.get(key), value, key)
        self.assertTrue(strings.get("FileDescription"))

    def test_has_no_link_time_stamp(self):
        self.assertEqual(self.pe.timestamp, 0)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
