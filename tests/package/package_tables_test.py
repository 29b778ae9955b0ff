#!/usr/bin/env python3
"""The built Windows Installer package, read with msiinfo: where it puts the
programs, the data folder and its security descriptors, the Start menu shortcut
and its taskbar identity, the setting service's rows, the managed profiles'
value, the import of a profile file, the properties it remembers and refuses,
the per-machine x64 installation and the major-upgrade rule.

    package_tables_test.py PACKAGE.msi VERSION
"""
import os
import subprocess
import sys
import unittest

from header_texts import constants

PACKAGE = VERSION = None
APP_USER_MODEL_ID_KEY = "{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}, 5"
# The data folder's whole security descriptor, of well-known SIDs: Users (BU)
# modify (file read, write, execute and delete), or with managed profiles read
# and execute only; Administrators (BA) and LocalSystem (SY) full control;
# inherited by files and folders (OICI), nothing inherited from above (P).
DATA_FOLDER_SDDL = "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFWFXSD;;;BU)"
MANAGED_DATA_FOLDER_SDDL = "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)"
MANAGED_REQUESTED = "ORTIVO_MANAGED=1"
AUTORUN_CONDITION = 'ORTIVO_AUTORUN=1 OR REMOVE~="ALL"'
SERVICE_PROGRAM = "Tolvik_NetworkSettingService.exe"
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
# The texts the service program is registered with; the registry names the programs read.
SERVICE_TEXTS = constants(os.path.join(SOURCE, "service", "ServiceRegistration.h"))
MANAGED_NAMES = constants(os.path.join(SOURCE, "system", "ManagedProfiles.h"))
IMPORT_ACTION = "ProfileImportAction.dll"
PROFILES_GIVEN = 'ORTIVO_PROFILES AND NOT REMOVE~="ALL"'
SERVICE_REQUESTED = "ORTIVO_SERVICE=1"
# The service's registry values: installed on request, removed with the product.
SERVICE_VALUES_CONDITION = 'ORTIVO_SERVICE=1 OR REMOVE~="ALL"'
# ServiceControl events: start on install (1), stop on install (2) and on
# uninstall (0x20), delete on uninstall (0x80).
SERVICE_EVENTS = 0x01 | 0x02 | 0x20 | 0x80


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
        for name in ("Tolvik_Network.exe", "Tolvik_NetworkSetting.exe", "Tolvik_EditProfile.exe", SERVICE_PROGRAM):
            with self.subTest(name):
                component = components[files[name]["Component_"]]
                self.assertEqual(directory_path(component["Directory_"]),
                                 "ProgramFiles64Folder\\Valtrecossin\\Ortivo")
                self.assertTrue(int(component["Attributes"]) & 256, "a 64-bit component")
                self.assertEqual(int(files[name]["FileSize"]), os.path.getsize(os.path.join(bin_dir, name)))

    def service_component(self):
        """The service program's file row and component row."""
        service_file = [r for r in table("File") if r["FileName"] == SERVICE_PROGRAM][0]
        components = {r["Component"]: r for r in table("Component")}
        return service_file, components[service_file["Component_"]]

    def test_setting_service_is_registered_from_the_always_installed_program_only_on_request(self):
        service_file, component = self.service_component()
        self.assertEqual(component["Condition"], "", "the program is installed always")
        self.assertEqual(component["KeyPath"], service_file["File"], "the service's image path")
        services = table("ServiceInstall")
        self.assertEqual(len(services), 1)
        service = services[0]
        self.assertEqual((service["Name"], service["DisplayName"]),
                         ("OrtivoNetworkSetting", "Ortivo ネットワーク設定サービス"))
        self.assertEqual(service["DisplayName"], SERVICE_TEXTS["kSettingServiceDisplayName"][0])
        self.assertEqual(service["Description"], SERVICE_TEXTS["kSettingServiceDescription"][0])
        # Its own process (0x10), automatic start (2), normal error control (1), LocalSystem.
        self.assertEqual((service["ServiceType"], service["StartType"], service["ErrorControl"]), ("16", "2", "1"))
        self.assertEqual((service["StartName"], service["Password"], service["Arguments"]), ("LocalSystem", "", ""))
        self.assertEqual(service["Component_"], component["Component"])
        controls = table("ServiceControl")
        self.assertEqual(len(controls), 1)
        self.assertEqual((controls[0]["Name"], int(controls[0]["Event"]), controls[0]["Wait"], controls[0]["Component_"]),
                         ("OrtivoNetworkSetting", SERVICE_EVENTS, "1", component["Component"]))
        # Registered and started only when asked for; stopped and removed
        # wherever it exists.
        conditions = {r["Action"]: r["Condition"] for r in table("InstallExecuteSequence")}
        for action in ("InstallServices", "StartServices"):
            self.assertEqual(conditions[action], "VersionNT AND " + SERVICE_REQUESTED, action)
        for action in ("StopServices", "DeleteServices"):
            self.assertEqual(conditions[action], "VersionNT", action)
        # On install and reinstall (1 | 4), between the two: an unrestricted SID (5: 1) and one
        # privilege (6). The restart on failure the service sets itself.
        self.assertEqual({(r["Name"], r["Event"], r["ConfigType"], r["Argument"], r["Component_"])
                          for r in table("MsiServiceConfig")},
                         {("OrtivoNetworkSetting", "5", kind, argument, component["Component"])
                          for kind, argument in (("5", "1"), ("6", "SeChangeNotifyPrivilege"))})
        self.assertNotIn("MsiServiceConfigFailureActions", msiinfo("tables").split())
        self.assertEqual(conditions["MsiConfigureServices"], conditions["InstallServices"])
        order = {r["Action"]: int(r["Sequence"]) for r in table("InstallExecuteSequence")}
        self.assertTrue(order["InstallServices"] < order["MsiConfigureServices"] < order["StartServices"])

    def test_the_pipe_users_the_event_log_source_and_the_managed_value_come_only_on_request(self):
        service_file, _ = self.service_component()
        rows = {(r["Root"], r["Key"], r["Name"]): r for r in table("Registry")}
        event_source = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Ortivo"
        managed = 'ORTIVO_MANAGED=1 OR REMOVE~="ALL"'
        main_file = [r["File"] for r in table("File") if r["FileName"] == "Tolvik_Network.exe"][0]
        expected = {
            ("2", "SOFTWARE\\Valtrecossin\\Ortivo\\Service", "Users"): ("[ORTIVO_SERVICE_USERS]", SERVICE_VALUES_CONDITION),
            ("2", "SOFTWARE\\Valtrecossin\\Ortivo", "Service"): ("[ORTIVO_SERVICE]", SERVICE_VALUES_CONDITION),
            ("2", event_source, "EventMessageFile"): ("[#%s]" % service_file["File"], SERVICE_VALUES_CONDITION),
            ("2", event_source, "TypesSupported"): ("#7", SERVICE_VALUES_CONDITION),
            # The value the programs read, by the names they read it with.
            ("2", MANAGED_NAMES["kProductKey"][0], MANAGED_NAMES["kManagedValue"][0]): ("[ORTIVO_MANAGED]", managed),
            # The start at logon for every user, in the per-user entry's form.
            ("2", "SOFTWARE\\Valtrecossin\\Ortivo", "AutoRun"): ("[ORTIVO_AUTORUN]", AUTORUN_CONDITION),
            ("2", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tolvik_Network"):
                ('"[#%s]" /AutoRun' % main_file, AUTORUN_CONDITION),
        }
        components = {r["Component"]: r for r in table("Component")}
        for key, (value, condition) in expected.items():
            with self.subTest(key[2]):
                self.assertEqual(rows[key]["Value"], value)
                self.assertEqual(components[rows[key]["Component_"]]["Condition"], condition)
                self.assertTrue(int(components[rows[key]["Component_"]]["Attributes"]) & 256, "64-bit registry")

    def test_the_service_properties_and_managed_profiles_are_remembered_unless_given_and_only_two_users_choices_install(self):
        # Read back raw (2) from the 64-bit registry (0x10), where the package writes them.
        # ORTIVO_PROFILES is not remembered: only the installation that names a file imports it.
        locators = {r["Signature_"]: (r["Root"], r["Key"], r["Name"], r["Type"]) for r in table("RegLocator")}
        self.assertEqual({r["Property"]: locators[r["Signature_"]] for r in table("AppSearch")},
                         {"ORTIVO_SERVICE": ("2", "SOFTWARE\\Valtrecossin\\Ortivo", "Service", "18"),
                          "ORTIVO_SERVICE_USERS": ("2", "SOFTWARE\\Valtrecossin\\Ortivo\\Service", "Users", "18"),
                          "ORTIVO_MANAGED": ("2", "SOFTWARE\\Valtrecossin\\Ortivo", "Managed", "18"),
                          "ORTIVO_AUTORUN": ("2", "SOFTWARE\\Valtrecossin\\Ortivo", "AutoRun", "18")})
        self.assertIn(";ORTIVO_SERVICE;ORTIVO_SERVICE_USERS;ORTIVO_MANAGED;ORTIVO_PROFILES;ORTIVO_AUTORUN",
                      self.property("SecureCustomProperties"))
        # A value given is saved before AppSearch and put back after it; "interactive" if there is none.
        steps = [("GivenService", "[ORTIVO_SERVICE]", ""), ("GivenServiceUsers", "[ORTIVO_SERVICE_USERS]", ""),
                 ("GivenManaged", "[ORTIVO_MANAGED]", ""), ("GivenAutoRun", "[ORTIVO_AUTORUN]", ""),
                 ("AppSearch", ""), ("ORTIVO_SERVICE", "[GivenService]", "GivenService"),
                 ("ORTIVO_SERVICE_USERS", "[GivenServiceUsers]", "GivenServiceUsers"),
                 ("ORTIVO_SERVICE_USERS", "interactive", "NOT ORTIVO_SERVICE_USERS"),
                 ("ORTIVO_MANAGED", "[GivenManaged]", "GivenManaged"),
                 ("ORTIVO_AUTORUN", "[GivenAutoRun]", "GivenAutoRun"), ("LaunchConditions", "")]
        actions = {r["Action"]: (r["Source"], r["Target"]) for r in table("CustomAction")}
        for sequence in ("InstallUISequence", "InstallExecuteSequence"):
            self.assertEqual([actions.get(r["Action"], (r["Action"],)) + (r["Condition"],)
                              for r in sorted(table(sequence), key=lambda r: int(r["Sequence"]))
                              # the property actions before costing, not the import's
                              if r["Action"] in actions and int(r["Sequence"]) < 1000
                              or r["Action"] in ("AppSearch", "LaunchConditions")],
                             steps, sequence)
        self.assertEqual([self.property(p) for p in ("ORTIVO_SERVICE", "ORTIVO_SERVICE_USERS", "ORTIVO_MANAGED",
                                                     "ORTIVO_PROFILES")], [None] * 4)
        (refusal,) = [r for r in table("LaunchCondition") if "ORTIVO_SERVICE_USERS" in r["Condition"]]
        self.assertEqual(refusal["Condition"], 'REMOVE~="ALL" OR ORTIVO_SERVICE_USERS~="interactive" OR '
                                               'ORTIVO_SERVICE_USERS~="operators"')
        self.assertRegex(refusal["Description"],
                         r"ORTIVO_SERVICE_USERS の値「\[ORTIVO_SERVICE_USERS\]」.*interactive.*operators")

    def test_data_folder_gives_users_modify_rights_or_with_managed_profiles_read_only_by_well_known_sids(self):
        folders = [r["Directory_"] for r in table("CreateFolder")
                   if directory_path(r["Directory_"]) == "CommonAppDataFolder\\Valtrecossin\\TOLVIK_NETWORK"]
        self.assertEqual(len(folders), 1)
        # One row holds at a time: two would fail the installation (error 1942).
        self.assertEqual({(r["SDDLText"], r["Condition"]) for r in table("MsiLockPermissionsEx")
                          if (r["LockObject"], r["Table"]) == (folders[0], "CreateFolder")},
                         {(DATA_FOLDER_SDDL, "NOT " + MANAGED_REQUESTED), (MANAGED_DATA_FOLDER_SDDL, MANAGED_REQUESTED)})
        # LockPermissions names accounts, whose names differ by Windows language.
        self.assertNotIn("LockPermissions", msiinfo("tables").split())

    def test_the_profile_file_is_imported_as_local_system_before_the_service_starts_and_put_back_on_rollback(self):
        actions = {r["Action"]: r for r in table("CustomAction")}
        setter = actions["SetImportProfilesData"]
        # A property action (51) gives the deferred action its data: the program folder and the file.
        self.assertEqual((int(setter["Type"]) & 0x3F, setter["Source"], setter["Target"]),
                         (51, "ImportProfiles", "[INSTALLFOLDER]|[ORTIVO_PROFILES]"))
        # From a DLL in the Binary table (1), in the script (0x400), as LocalSystem (0x800); the
        # rollback (0x100) and commit (0x200) actions beside it.
        for action, kind in (("PutBackProfiles", 0xD01), ("ImportProfiles", 0xC01), ("DiscardKeptProfiles", 0xE01)):
            self.assertEqual((int(actions[action]["Type"]), actions[action]["Source"], actions[action]["Target"]),
                             (kind, "ProfileImportAction", action), action)
        stream = subprocess.run(["msiinfo", "extract", PACKAGE, "Binary.ProfileImportAction"], check=True,
                                capture_output=True).stdout
        with open(os.path.join(os.path.dirname(PACKAGE), IMPORT_ACTION), "rb") as built:
            self.assertEqual(stream, built.read(), "the built " + IMPORT_ACTION)
        # Given a file and not removing; after the registry values, before the service is registered.
        rows = {r["Action"]: (int(r["Sequence"]), r["Condition"]) for r in table("InstallExecuteSequence")}
        order = ["WriteRegistryValues", "SetImportProfilesData", "PutBackProfiles", "ImportProfiles",
                 "DiscardKeptProfiles", "InstallServices", "InstallFinalize"]
        self.assertEqual(sorted(order, key=lambda a: rows[a][0]), order)
        self.assertEqual({rows[a][1] for a in order[1:5]}, {PROFILES_GIVEN})
        self.assertFalse({r["Action"] for r in table("InstallUISequence")} & set(order[1:5]))

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
