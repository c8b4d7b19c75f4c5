#!/usr/bin/env python3
"""Checks rigsmith.exe from outside, with tools that share no code with it:
Python's gzip module reads the archives, openssl verifies every signature with
the public key the build wrote, and the container and record layouts are
parsed here from the format's description. Runs rigsmith.exe under Wine."""

import argparse
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ARGS = None
GUID = "6f9619ff-8b86-d011-b42d-00c04fc964ff"
NON_ASCII = "Maschinen J\u00f8rn \u65e5\u672c"


def windows_path(path):
    """Wine shows the build machine's files on drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def rigsmith(*args, app_data=None):
    """Runs rigsmith.exe; returns (exit code, stdout, stderr) as text. Wine
    sets APPDATA itself, so a batch file sets the test's own (the arguments
    must then be free of spaces)."""
    command = [ARGS.wine_run, ARGS.prefix]
    if app_data:
        script = os.path.join(app_data, "..", "with-appdata.cmd")
        with open(script, "w") as f:
            f.write('@set "APPDATA=%s"\r\n@"%s" %%*\r\n' % (windows_path(app_data), windows_path(ARGS.rigsmith)))
        command += ["cmd", "/c", windows_path(script), *args]
    else:
        command += [ARGS.rigsmith, *args]
    done = subprocess.run(command, capture_output=True, env=dict(os.environ, LC_ALL="C.UTF-8"), timeout=240)
    return done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace")


def parse_container(data):
    """(signature, signed data) of a signed container, checking its lengths."""
    assert len(data) >= 12, "container shorter than its header"
    reserved, signature_length, data_length = struct.unpack_from("<III", data)
    assert reserved == 0, "reserved word is %d" % reserved
    assert len(data) == 12 + signature_length + data_length, "lengths do not add up to the size"
    return data[12:12 + signature_length], data[12 + signature_length:]


def parse_records(content):
    """[(name, bytes)] of an archive's uncompressed content, in stored order."""
    entries = []
    offset = 0
    while offset < len(content):
        record_length, name_length = struct.unpack_from("<II", content, offset)
        assert record_length >= 9 + name_length and offset + record_length <= len(content), "bad record lengths"
        name = content[offset + 8:offset + 8 + name_length]
        assert content[offset + 8 + name_length] == 0, "no zero after the name"
        entries.append((name.decode("utf-8"), content[offset + 9 + name_length:offset + record_length]))
        offset += record_length
    names = [name.encode("utf-8") for name, _ in entries]
    assert names == sorted(names) and len(set(names)) == len(names), "entries not in byte order"
    return entries


def openssl_verifies(signature, data, work):
    with open(os.path.join(work, "sig.bin"), "wb") as f:
        f.write(signature)
    with open(os.path.join(work, "data.bin"), "wb") as f:
        f.write(data)
    done = subprocess.run(["openssl", "dgst", "-sha1", "-verify", ARGS.public_key, "-signature",
                           os.path.join(work, "sig.bin"), os.path.join(work, "data.bin")], capture_output=True)
    return done.returncode == 0 and b"Verified OK" in done.stdout


def open_signed(data, work):
    """The entries of a signed file, after openssl and gzip have accepted it."""
    signature, archive = parse_container(data)
    assert openssl_verifies(signature, archive, work), "openssl rejects the signature"
    assert archive[:10] == bytes([0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 0]), "gzip header %s" % archive[:10].hex()
    return dict(parse_records(gzip.decompress(archive)))


def write_machine(folder, geometry_bytes=None):
    os.makedirs(os.path.join(folder, "Mill", "parts"))
    with open(os.path.join(folder, "Mill.mcfg"), "w", encoding="utf-8") as f:
        f.write('// machine\n{ "MachineDefinition": { "Header": { "GUID": "" },'
                ' "Base": { "GUID": "B", "Geometry": null }, "Table": { "Geometry": { "Path": "table.stl" } } } }\n')
    with open(os.path.join(folder, "Mill", "config.json"), "w", encoding="utf-8") as f:
        f.write('{ "UserConfiguration": { "Models": [ { "GUID": "B", "Geometry": { "Path": "parts\\\\base.stl" } } ] } }')
    with open(os.path.join(folder, "Mill", "parts", "base.stl"), "wb") as f:
        f.write(geometry_bytes if geometry_bytes is not None else b"solid base\n" * 100)
    with open(os.path.join(folder, "table.stl"), "wb") as f:
        f.write(b"solid table\n")
    return os.path.join(folder, "Mill.mcfg")


class ConsoleTool(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="rigsmith-console-")
        cls.machine_folder = os.path.join(cls.work, NON_ASCII)
        cls.document = write_machine(cls.machine_folder)
        cls.post = os.path.join(cls.work, "mill3x.pst")
        with open(cls.post, "wb") as f:
            f.write(b"post processor\n")
        code, out, err = rigsmith("export", windows_path(cls.document), "--bundle",
                                  windows_path(os.path.join(cls.machine_folder, "out", "x")),
                                  "--post", windows_path(cls.post), "--guid", GUID)
        assert code == 0, "export failed (%d): %s" % (code, err)
        cls.export_out = out
        cls.bundle_path = os.path.join(cls.machine_folder, "out", "Mill.TorlaSimBundle")
        with open(cls.bundle_path, "rb") as f:
            cls.bundle = f.read()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def scratch(self, name):
        path = os.path.join(self.work, name)
        os.makedirs(path, exist_ok=True)
        return path

    def test_export_writes_a_bundle_that_gzip_and_openssl_accept(self):
        self.assertIn("Mill.TorlaSimBundle", self.export_out)
        self.assertIn("GUID " + GUID.upper(), self.export_out)
        work = self.scratch("verify")
        entries = open_signed(self.bundle, work)
        self.assertEqual(list(entries), ["Mill.TorlaSim", "Mill.TorlaSimCfg", "mill3x.pst"])
        self.assertEqual(entries["mill3x.pst"], b"post processor\n")
        machine = open_signed(entries["Mill.TorlaSim"], work)
        configuration = open_signed(entries["Mill.TorlaSimCfg"], work)
        self.assertEqual(sorted(machine), ["config.json", "parts\\base.stl", "table.stl"])
        self.assertEqual(machine["parts\\base.stl"], b"solid base\n" * 100)
        self.assertEqual(configuration, {"config.json": machine["config.json"]})
        text = machine["config.json"].decode("utf-8")
        self.assertIn('"GUID" : "%s"' % GUID.upper(), text)
        self.assertIn("// machine", text)

    def test_a_flipped_byte_is_rejected_by_openssl_and_inspect(self):
        work = self.scratch("flipped")
        signature, data = parse_container(self.bundle)
        self.assertTrue(openssl_verifies(signature, data, work))
        code, out, err = rigsmith("inspect", windows_path(self.bundle_path))
        self.assertEqual(code, 0, out + err)
        self.assertEqual(out.count("signature: verified"), 3, out)
        for label, offset in (("signature", 12 + 5), ("signed data", len(self.bundle) - 40)):
            flipped = bytearray(self.bundle)
            flipped[offset] ^= 0x01
            flipped_signature, flipped_data = parse_container(bytes(flipped))
            self.assertFalse(openssl_verifies(flipped_signature, flipped_data, work), label)
            path = os.path.join(work, "flipped.TorlaSimBundle")
            with open(path, "wb") as f:
                f.write(flipped)
            code, out, err = rigsmith("inspect", windows_path(path))
            self.assertNotEqual(code, 0, label + ": " + out)
            self.assertIn("DOES NOT VERIFY", out, label)

    def test_inspect_refuses_malformed_files(self):
        work = self.scratch("malformed")
        signature, data = parse_container(self.bundle)
        wrong_length = bytearray(self.bundle)
        struct.pack_into("<I", wrong_length, 8, len(data) + 1)
        for label, content in (("truncated", self.bundle[:-10]), ("lengths", bytes(wrong_length)),
                               ("header only", self.bundle[:8]), ("not gzip", self.bundle[:12 + len(signature)] + b"x" * len(data))):
            path = os.path.join(work, label.replace(" ", "-"))
            with open(path, "wb") as f:
                f.write(content)
            code, out, err = rigsmith("inspect", windows_path(path))
            self.assertEqual(code, 1, label + ": " + out + err)
            self.assertIn("problem", err, label)

    def test_unpack_writes_the_entries_and_refuses_names_that_leave_the_folder(self):
        target = self.scratch("unpacked")
        code, out, err = rigsmith("unpack", windows_path(self.bundle_path), windows_path(target))
        self.assertEqual(code, 0, err)
        self.assertEqual(sorted(os.listdir(target)), ["Mill.TorlaSim", "Mill.TorlaSimCfg", "mill3x.pst"])
        inner = self.scratch("unpacked-inner")
        code, out, err = rigsmith("unpack", windows_path(os.path.join(target, "Mill.TorlaSim")), windows_path(inner))
        self.assertEqual(code, 0, err)
        with open(os.path.join(inner, "parts", "base.stl"), "rb") as f:
            self.assertEqual(f.read(), b"solid base\n" * 100)

        # Hostile files, signed with no key: refused for their signatures, and for their names.
        drop = self.scratch("drop/inside")
        for label, names in (("leaves the folder", [b"..\\escaped.txt"]), ("same file twice", [b"A.txt", b"a.txt"])):
            content = b"".join(struct.pack("<II", 9 + len(name) + 3, len(name)) + name + b"\0bad" for name in names)
            archive = gzip.compress(content)
            hostile = os.path.join(self.work, "hostile.TorlaSim")
            with open(hostile, "wb") as f:
                f.write(struct.pack("<III", 0, 4, len(archive)) + b"sign" + archive)
            code, out, err = rigsmith("unpack", windows_path(hostile), windows_path(drop))
            self.assertEqual(code, 1, label + ": " + err)
            self.assertIn("signature", err, label)
            code, out, err = rigsmith("unpack", windows_path(hostile), windows_path(drop), "--unverified")
            self.assertEqual(code, 1, label + ": " + err)
            self.assertIn("refusing", err, label)
            self.assertEqual(os.listdir(drop), [], label)
        self.assertFalse(os.path.exists(os.path.join(self.work, "drop", "escaped.txt")))

    def test_install_writes_into_the_simulators_folder(self):
        app_data = self.scratch("install/appdata")
        document = write_machine(self.scratch("install/machines"))
        code, out, err = rigsmith("install", windows_path(document), app_data=app_data)
        self.assertEqual(code, 1, out)
        self.assertEqual(len(err.strip().splitlines()), 1, err)
        self.assertIn("MachineCfg", err)

        os.makedirs(os.path.join(app_data, "Torla Pelora", "MachineCfg"))
        code, out, err = rigsmith("install", windows_path(document), "--guid", GUID, app_data=app_data)
        self.assertEqual(code, 0, err)
        installed = os.path.join(app_data, "Torla Pelora", "MachineCfg", "Mill")
        self.assertEqual(sorted(os.listdir(installed)), ["Mill.TorlaSim", "Mill.TorlaSimCfg"])
        # The same machine as the bundle's, with the same GUID: the same bytes.
        bundled = open_signed(self.bundle, self.scratch("install/check"))
        for name in ("Mill.TorlaSim", "Mill.TorlaSimCfg"):
            with open(os.path.join(installed, name), "rb") as f:
                self.assertEqual(f.read(), bundled[name], name)
            code, out, err = rigsmith("inspect", windows_path(os.path.join(installed, name)))
            self.assertEqual(code, 0, out + err)

    def test_errors_are_one_line_with_an_exit_code(self):
        for expected, args in ((2, ["frobnicate"]), (2, []), (2, ["export", windows_path(self.document)]),
                               (2, ["export", windows_path(self.document), "--bundle", "x", "--guid", "{nope}"]),
                               (2, ["inspect"]), (2, ["export", "a", "--bundle", "b", "--colour", "red"]),
                               (1, ["export", windows_path(os.path.join(self.work, "missing.mcfg")), "--bundle",
                                    windows_path(os.path.join(self.work, "out"))]),
                               (1, ["inspect", windows_path(os.path.join(self.work, "missing.TorlaSim"))])):
            code, out, err = rigsmith(*args)
            self.assertEqual(code, expected, " ".join(args) + ": " + err)
            lines = err.strip().splitlines()
            self.assertEqual(len(lines), 1, err)
            self.assertTrue(lines[0].startswith("rigsmith: "), err)

    def test_long_export_shows_progress_and_stats(self):
        folder = self.scratch("large")
        # About 40 MB of STL-like records: long enough to take more than a moment.
        record = bytearray()
        for i in range(800_000):
            record += struct.pack("<12fH", 0.0, 0.0, 1.0, i * 0.5, (i % 977) * 0.25, 1.0, i * 0.5 + 0.5,
                                  (i % 977) * 0.25, 1.0, i * 0.5, (i % 977) * 0.25 + 0.25, (i % 13) * 0.1, 0)
        document = write_machine(folder, bytes(record))
        code, out, err = rigsmith("export", windows_path(document), "--bundle",
                                  windows_path(os.path.join(folder, "big.TorlaSimBundle")), "--stats")
        self.assertEqual(code, 0, err)
        self.assertIn("rigsmith: exporting Mill: compressing", err)
        self.assertIn("rigsmith: stats:", err)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--rigsmith", required=True)
    parser.add_argument("--public-key", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v"] + rest)


if __name__ == "__main__":
    main()
