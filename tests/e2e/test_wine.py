#!/usr/bin/env python3
"""End-to-end tests of the Windows build under Wine.

Quorvantel.exe runs through Wine's real msvcrt and cmd.exe, with the
stand-in setup program placed in the prefix's drive C:. Standard output is
judged byte for byte (CR LF line ends), together with the exit status, the
raw command line the stand-in received and the files left behind.
"""

import argparse
import os
import shutil
import subprocess
import sys
import unittest

ARGS = None

REJECTED = (b"Error: At least one Tool should be choosen.\r\n"
            b"It is also possible that the path to setup is incorrect\r\n"
            b"For help enter: Quorvantel.exe /h \r\n")
PROTECTED = b" The path is protected\r\n"
TOO_LONG = b" The command line is too long for the command interpreter\r\n"
LINE_BREAK = (b" The command line holds a line break, which the command "
              b"interpreter cannot take\r\n")
EMPTY_FILE = b" The error file is empty. \r\n"


class Wine:
    """The prefix, its drive C: and runs of Quorvantel.exe inside it."""

    def __init__(self, wine_run, program, standin):
        self.wine_run = wine_run
        self.program = program
        self.standin = standin
        prefix = subprocess.run([wine_run, "--prefix"], check=True,
                                capture_output=True, text=True).stdout.strip()
        self.drive_c = os.path.join(prefix, "drive_c")
        subprocess.run([wine_run, "--keep-desktop"], check=True)

    def unix(self, windows_path):
        """The Unix path of a C:\\ path."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))

    def place_setup(self, windows_path, source=None):
        # Copied under another name and renamed over the target, so that a
        # program file Wine may still hold from the last run is never
        # rewritten in place.
        target = self.unix(windows_path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(source or self.standin, target + ".new")
        os.replace(target + ".new", target)
        return target

    def run(self, arguments, env=None, cwd=None):
        """Runs Quorvantel.exe; returns its standard output and status."""
        full_env = dict(os.environ)
        full_env.update(env or {})
        done = subprocess.run([self.wine_run, self.program, *arguments],
                              env=full_env, cwd=cwd, capture_output=True,
                              timeout=120, check=False)
        return done.stdout, done.returncode


class WineTestCase(unittest.TestCase):
    LOG = "C:\\standin.log"
    ERROR_FILE = "C:\\Temp\\errorFile.txt"

    @classmethod
    def setUpClass(cls):
        cls.wine = Wine(ARGS.wine, ARGS.program, ARGS.standin)

    def setUp(self):
        os.makedirs(self.wine.unix("C:\\Temp"), exist_ok=True)
        self.remove(self.ERROR_FILE)

    def remove(self, windows_path):
        if os.path.exists(self.wine.unix(windows_path)):
            os.remove(self.wine.unix(windows_path))

    def run_setup(self, arguments, errors=None, env=None, cwd=None):
        """Runs with the stand-in logging; returns output, status and the
        command lines the stand-in received."""
        self.remove(self.LOG)
        self.remove("C:\\injected.txt")
        full_env = {"QUORVANTEL_STANDIN_LOG": self.LOG,
                    "QUORVANTEL_STANDIN_EXIT": "7"}
        if errors is not None:
            fixture = self.wine.unix("C:\\fixture-errors.txt")
            with open(fixture, "wb") as f:
                f.write(errors)
            full_env["QUORVANTEL_STANDIN_ERRORS"] = "C:\\fixture-errors.txt"
        full_env.update(env or {})
        out, status = self.wine.run(arguments, env=full_env, cwd=cwd)
        received = []
        log = self.wine.unix(self.LOG)
        if os.path.exists(log):
            with open(log, "rb") as f:
                received = f.read().split(b"\0")[:-1]
        return out, status, received

    def assert_nothing_injected(self, out):
        self.assertNotIn(b"INJECTED", out)
        self.assertFalse(os.path.exists(self.wine.unix("C:\\injected.txt")))


class UsageAndChecks(WineTestCase):
    def test_usage_without_arguments_and_with_help(self):
        for arguments, status in (([], 0), (["/h"], 1), (["/H"], 1),
                                  (["/help"], 1),
                                  (["C:\\s\\setup.exe", "/T=cb", "/h"], 1)):
            out, got = self.wine.run(arguments)
            self.assertEqual(got, status, arguments)
            self.assertTrue(out.startswith(b"\r\n Quorvantel Version 1.0.2 \r\n"))
            self.assertTrue(out.endswith(b"[/D=...])\r\n\r\n"))
            self.assertEqual(out.count(b"\r\n"), 22)
            self.assertEqual(out.count(b"\n"), 22)

    def test_rejected_command_lines_exit_2(self):
        for arguments in (["C:\\s\\setup.exe"], ["C:\\s\\setup.exe", "/T=zz"],
                          ["C:\\s\\setup.exe", "/t=b"], ["/T=cb"],
                          ["-h", "/T=c"], ['C:\\s\\set"up.exe', "/T=c"]):
            out, status, received = self.run_setup(arguments)
            self.assertEqual((out, status, received), (REJECTED, 2, []),
                             arguments)


class CommandHandOver(WineTestCase):
    def test_worked_examples_reach_the_setup_byte_for_byte(self):
        self.wine.place_setup("C:\\s\\setup.exe")
        cases = [
            (["C:\\s\\setup.exe", "/T=cb", "/L=g", "/S=i", "/D=C:\\x"],
             b"C:\\s\\setup.exe /S /L=g /SO=i /T=cb /D=C:\\x"),
            (["C:\\s\\setup.exe", "/T=F"], b"C:\\s\\setup.exe /S /T=F"),
            (["C:\\s\\setup.exe", "/D=D:\\a", "/T=b", "/L=e", "/Z=q"],
             b"C:\\s\\setup.exe /S /L=e /T=b /D=D:\\a"),
            (["C:\\s\\setup.exe", "/T=xb", "/S=c"],
             b"C:\\s\\setup.exe /S /SO=c /T=xb"),
            (["C:\\s\\setup.exe", "/L=", "/T=c", "/D=C:\\my tools"],
             b"C:\\s\\setup.exe /S /L= /T=c /D=C:\\my tools"),
        ]
        for arguments, expected in cases:
            out, status, received = self.run_setup(arguments)
            # The setup's own exit status (7) does not reach ours.
            self.assertEqual((out, status, received), (b"", 0, [expected]))

    def test_setup_under_a_path_with_blanks_and_parentheses(self):
        setup = "C:\\Program Files (x86)\\Suite\\setup.exe"
        self.wine.place_setup(setup)
        out, status, received = self.run_setup(
            [setup, "/T=cb", "/L=g", "/S=i", "/D=C:\\x"])
        self.assertEqual((out, status), (b"", 0))
        self.assertEqual(received, [b'"C:\\Program Files (x86)\\Suite\\setup.exe"'
                                    b" /S /L=g /SO=i /T=cb /D=C:\\x"])

    def test_hostile_paths_and_values_run_nothing_else(self):
        inject = "echo INJECTED>C:\\injected.txt"
        rows = [
            # (setup path, options, what the setup receives)
            ("C:\\s\\setup.exe", ["/T=c", "/D=C:\\x&" + inject],
             '/S /T=c /D=C:\\x&' + inject),
            ("C:\\s\\setup.exe", ["/T=c", "/D=C:\\R&D Tools"],
             "/S /T=c /D=C:\\R&D Tools"),
            ("C:\\s\\setup.exe", ["/T=c|" + inject, "/L=<x>", "/S=^"],
             "/S /L=<x> /SO=^ /T=c|" + inject),
            ("C:\\s\\setup.exe", ["/T=c", "/D=C:\\Program Files (x86)\\T ^& more"],
             "/S /T=c /D=C:\\Program Files (x86)\\T ^& more"),
            ("C:\\s\\setup.exe", ["/T=c", '/D=a"b&' + inject],
             '/S /T=c /D=a"b&' + inject),
            ("C:\\s\\setup.exe", ["/T=c", '/D="a&b"&' + inject],
             '/S /T=c /D="a&b"&' + inject),
            ("C:\\s\\setup.exe", ["/T=c\t,;=%%!", "/D=a\tb"],
             "/S /T=c\t,;=%%! /D=a\tb"),
            ("C:\\R&D (x86); a=b,c\\set up.exe", ["/T=c", "/L=g"],
             '"C:\\R&D (x86); a=b,c\\set up.exe" /S /L=g /T=c'),
            ("C:\\100% sure! ^x\\setup.exe", ["/T=c", "/S=%PATH%"],
             '"C:\\100% sure! ^x\\setup.exe" /S /SO=%PATH% /T=c'),
            ("C:\\S\u00fcd\\setup.exe", ["/T=c"], "/S /T=c"),
            ("C:\\s\\setup.exe", ["/T=c", "/D=C:\\" + "\u00e4\u00f6\u00fc"],
             "/S /T=c /D=C:\\" + "\u00e4\u00f6\u00fc"),
            ("C:\\s\\setup.exe", ["/T=c", "/D=" + "x&y" * 1500],
             "/S /T=c /D=" + "x&y" * 1500),
        ]
        for setup, options, tail in rows:
            self.wine.place_setup(setup)
            out, status, received = self.run_setup([setup, *options])
            expected = tail if tail.startswith('"') else setup + " " + tail
            self.assertEqual((out, status), (b"", 0), setup)
            self.assertEqual(received, [expected.encode("cp1252")], options)
            self.assert_nothing_injected(out)

    def test_names_cmd_would_read_otherwise(self):
        folder = self.wine.unix("C:\\builtin")
        for name in ("echo.exe", "set.exe", "@setup.exe"):
            self.wine.place_setup("C:\\builtin\\" + name)
            out, status, received = self.run_setup([name, "/T=c"], cwd=folder)
            self.assertEqual((out, status), (b"", 0), name)
            self.assertEqual(received, [b'"' + name.encode() + b'" /S /T=c'])

    def test_command_length_boundary(self):
        setup = "C:\\s\\setup.exe"
        self.wine.place_setup(setup)
        head = setup + " /S /T=c /D="
        fits = "x" * (8191 - len(head))
        out, status, received = self.run_setup([setup, "/T=c", "/D=" + fits])
        self.assertEqual((out, status), (b"", 0))
        self.assertEqual(received, [(head + fits).encode()])

        out, status, received = self.run_setup(
            [setup, "/T=c", "/D=" + fits + "x"])
        self.assertEqual((out, status, received), (TOO_LONG, 2, []))
        self.assertEqual(os.listdir(self.wine.unix("C:\\s")), ["setup.exe"])

    def test_line_breaks_are_refused(self):
        self.wine.place_setup("C:\\s\\setup.exe")
        for value in ("/D=a\nb", "/L=a\rb"):
            out, status, received = self.run_setup(
                ["C:\\s\\setup.exe", "/T=c", value])
            self.assertEqual((out, status, received), (LINE_BREAK, 2, []))


class ProbeAndReport(WineTestCase):
    def test_probe_leaves_nothing_and_keeps_a_file_of_that_name(self):
        self.wine.place_setup("C:\\s\\setup.exe")
        out, status, received = self.run_setup(["C:\\s\\setup.exe", "/T=c"])
        self.assertEqual((out, status, len(received)), (b"", 0, 1))
        self.assertEqual(os.listdir(self.wine.unix("C:\\s")), ["setup.exe"])

        taken = self.wine.unix("C:\\s\\setup.exetest")
        with open(taken, "wb") as f:
            f.write(b"someone's file\r\n\x1a")
        try:
            out, status, received = self.run_setup(["C:\\s\\setup.exe",
                                                    "/T=c"])
            self.assertEqual((out, status, len(received)), (b"", 0, 1))
            with open(taken, "rb") as f:
                self.assertEqual(f.read(), b"someone's file\r\n\x1a")
            self.assertEqual(sorted(os.listdir(self.wine.unix("C:\\s"))),
                             ["setup.exe", "setup.exetest"])
        finally:
            os.remove(taken)

    def test_folder_that_does_not_exist_is_protected(self):
        with open(self.wine.unix(self.ERROR_FILE), "wb") as f:
            f.write(b"from an earlier run\r\n")
        out, status, received = self.run_setup(["C:\\missing\\setup.exe",
                                                "/T=c"])
        self.assertEqual((out, status, received), (PROTECTED, 3, []))
        # No report on this path: the earlier error file is left alone.
        with open(self.wine.unix(self.ERROR_FILE), "rb") as f:
            self.assertEqual(f.read(), b"from an earlier run\r\n")

    def test_read_only_folder_is_protected(self):
        folder = self.wine.unix("C:\\readonly")
        os.makedirs(folder, exist_ok=True)
        shutil.copyfile(ARGS.standin, os.path.join(folder, "setup.exe"))
        if subprocess.run(["mount", "--bind", folder, folder],
                          capture_output=True, check=False).returncode != 0:
            self.skipTest("no bind mounts here")
        try:
            subprocess.run(["mount", "-o", "remount,bind,ro", folder],
                           check=True, capture_output=True)
            out, status, received = self.run_setup(
                ["C:\\readonly\\setup.exe", "/T=c"])
        finally:
            subprocess.run(["umount", folder], check=False)
        self.assertEqual((out, status, received), (PROTECTED, 3, []))
        self.assertEqual(os.listdir(folder), ["setup.exe"])

    def test_error_file_report(self):
        self.wine.place_setup("C:\\s\\setup.exe")
        cases = [
            # (error file, standard output, exit status)
            (None, b"", 0),
            (b"", EMPTY_FILE, 0),
            (b"\n", b"\r\n", 4),
            (b"one\ntwo\nthree", b"one\r\ntwo\r\nthree\r\n", 4),
            (b"a\r\nb\r\n", b"a\r\nb\r\n", 4),
            (b"a\rb\n", b"a\rb\r\n", 4),
            (b"a\x1ab\nc\n", b"a\x1ab\r\nc\r\n", 4),
        ]
        for errors, expected, expected_status in cases:
            out, status, received = self.run_setup(["C:\\s\\setup.exe", "/T=c"],
                                                   errors=errors)
            self.assertEqual((out, status), (expected, expected_status), errors)
            self.assertEqual(len(received), 1)
            self.assertFalse(os.path.exists(self.wine.unix(self.ERROR_FILE)))


class ExampleSuite(WineTestCase):
    """The real example installer, driven through Quorvantel.exe."""

    SETUP = "C:\\Suite Setup (x86)\\setup.exe"
    TARGET = "C:\\Program Files (x86)\\My Tools (test)"

    def setUp(self):
        super().setUp()
        self.wine.place_setup(self.SETUP, ARGS.suite)
        shutil.rmtree(self.wine.unix(self.TARGET), ignore_errors=True)

    def installed(self):
        """Each installed tool folder with the settings it was given."""
        tools = {}
        target = self.wine.unix(self.TARGET)
        for tool in sorted(os.listdir(target)):
            with open(os.path.join(target, tool, "settings.ini"), "rb") as f:
                tools[tool] = f.read().decode("utf-8").split()
        return tools

    def test_clean_install(self):
        out, status = self.wine.run(
            [self.SETUP, "/T=cB", "/L=g", "/S=c", "/D=" + self.TARGET])
        self.assertEqual((out, status), (EMPTY_FILE, 0))
        settings = ["[Settings]", "Language=g", "SaveOption=c"]
        self.assertEqual(self.installed(), {"Bug Reporter": settings,
                                            "Configuration Tool": settings})
        self.assertFalse(os.path.exists(self.wine.unix(self.ERROR_FILE)))

    def test_problems_are_reported_and_exit_4(self):
        out, status = self.wine.run(
            [self.SETUP, "/T=dxf", "/L=q", "/S=i", "/D=" + self.TARGET])
        self.assertEqual(out, b"Unknown language: q\r\n"
                              b"Unknown tool letter: x\r\n")
        self.assertEqual(status, 4)
        settings = ["[Settings]", "Language=q", "SaveOption=i"]
        self.assertEqual(self.installed(), {"Data Transfer Tool": settings,
                                            "Firmware Update Tool": settings})


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True)
    parser.add_argument("--standin", required=True)
    parser.add_argument("--suite", required=True)
    parser.add_argument("--wine", required=True)
    ARGS, rest = parser.parse_known_args()
    for name in ("program", "standin", "suite", "wine"):
        setattr(ARGS, name, os.path.abspath(getattr(ARGS, name)))
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
