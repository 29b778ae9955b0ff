#!/usr/bin/env python3
"""The built Windows Installer package, read with msiinfo: where it puts the
programs, the data folder and its security descriptor, the Start menu
shortcut and its taskbar identity, the per-machine x64 installation and the
major-upgrade rule.

    package_tables_test.py PACKAGE.msi VERSION
"""
import os
import subprocess
import sys
import unittest

PACKAGE = VERSION = None
APP_USER_MODEL_ID_KEY = "{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}, 5"
# The data folder's whole security descriptor, of well-known SIDs: Users (BU)
# modify (file read, write, execute and delete), Administrators (BA) and
# LocalSystem (SY) full control, inherited by files and folders (OICI),
# nothing inherited from above (P).
DATA_FOLDER_SDDL = "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFWFXSD;;;BU)"


def msiinfo(command, *args):
    return subprocess.run(["msiinfo", command, PACKAGE, *args], check=True, capture_output=True,
                          text=True).stdout


def table(name):
    """The rows of a table as dicts by column (export: names, types, keys, then rows)."""
    lines = msiinfo("export", name).splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def directory_path(directory):
    """A directory as its standard folder followed by the names below it."""
    rows = {r["Directory"]: r for r in table("Directory")}
    names = []
    while True:
        name = rows[directory]["DefaultDir"].split(":")[0].split("|")[-1]
        if name == ".":
            return "\\".join([directory] + names[::-1])
        names.append(name)
        directory = rows[directory]["Directory_Parent"]


class PackageTables(unittest.TestCase):
    def property(self, name):
        return {r["Property"]: r["Value"] for r in table("Property")}.get(name)

    def test_programs_are_the_built_release_files_in_program_files(self):
        components = {r["Component"]: r for r in table("Component")}
        files = {r["FileName"]: r for r in table("File")}
        bin_dir = os.path.dirname(PACKAGE)
        for name in ("Tolvik_Network.exe", "Tolvik_NetworkSetting.exe", "Tolvik_EditProfile.exe"):
            with self.subTest(name):
                component = components[files[name]["Component_"]]
                self.assertEqual(directory_path(component["Directory_"]),
                                 "ProgramFiles64Folder\\Valtrecossin\\Ortivo")
                self.assertTrue(int(component["Attributes"]) & 256, "a 64-bit component")
                self.assertEqual(int(files[name]["FileSize"]), os.path.getsize(os.path.join(bin_dir, name)))

    def test_data_folder_gives_users_modify_rights_by_well_known_sids(self):
        folders = [r["Directory_"] for r in table("CreateFolder")
                   if directory_path(r["Directory_"]) == "CommonAppDataFolder\\Valtrecossin\\TOLVIK_NETWORK"]
        self.assertEqual(len(folders), 1)
        rows = [r for r in table("MsiLockPermissionsEx")
                if (r["LockObject"], r["Table"]) == (folders[0], "CreateFolder")]
        self.assertEqual(len(rows), 1)
        self.assertEqual((rows[0]["SDDLText"], rows[0]["Condition"]), (DATA_FOLDER_SDDL, ""))
        # LockPermissions names accounts, whose names differ by Windows language.
        self.assertNotIn("LockPermissions", msiinfo("tables").split())

    def test_start_menu_shortcut_starts_the_main_program_under_its_taskbar_identity(self):
        shortcuts = [r for r in table("Shortcut") if r["Name"] == "Ortivo"]
        self.assertEqual(len(shortcuts), 1)
        self.assertEqual(shortcuts[0]["Directory_"], "ProgramMenuFolder")
        main_file = [r["File"] for r in table("File") if r["FileName"] == "Tolvik_Network.exe"]
        self.assertEqual(shortcuts[0]["Target"], "[#%s]" % main_file[0])
        identity = [(r["PropertyKey"], r["PropVariantValue"]) for r in table("MsiShortcutProperty")
                    if r["Shortcut_"] == shortcuts[0]["Shortcut"]]
        self.assertEqual(identity, [(APP_USER_MODEL_ID_KEY, "TOLVIK_NETWORK_CHANGER.FOR.WINDOWS_SEVEN")])

    def test_per_machine_for_x64(self):
        self.assertEqual(self.property("ALLUSERS"), "1")
        self.assertEqual(self.property("ProductVersion"), VERSION)
        self.assertIn("Template: x64;", msiinfo("suminfo"))

    def test_a_newer_package_replaces_an_older_one(self):
        upgrade_code = self.property("UpgradeCode")
        older = [r for r in table("Upgrade") if r["UpgradeCode"] == upgrade_code and not r["VersionMin"]]
        self.assertEqual(len(older), 1, "one row finds every older version")
        self.assertEqual(older[0]["VersionMax"], VERSION)
        self.assertFalse(int(older[0]["Attributes"]) & 0x202, "removes them, this version excluded")
        self.assertIn(older[0]["ActionProperty"], self.property("SecureCustomProperties").split(";"))
        actions = [r["Action"] for r in table("InstallExecuteSequence")]
        self.assertIn("FindRelatedProducts", actions)
        self.assertIn("RemoveExistingProducts", actions)


if __name__ == "__main__":
    PACKAGE, VERSION = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
