-- Tables that wixl cannot write, added to the built package by msibuild,
-- one statement a line (CMake passes each to msibuild whole, semicolons
-- and all).
--
-- The data folder: its whole security descriptor, of well-known SIDs
-- only, so that it holds on Windows in every language: full control for
-- Administrators (BA) and LocalSystem (SY); for Users (BU) modify rights
-- (FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE),
-- so that every user of the computer can write the shared data file, or,
-- with managed profiles (ORTIVO_MANAGED=1), read and execute only, so that
-- no user can change a profile that the setting service applies. Every
-- entry is inherited by the files (OI) and folders (CI) made in it;
-- nothing is inherited from ProgramData (P). The two rows' conditions
-- exclude each other: Windows Installer fails an installation in which
-- two rows of one object hold (error 1942).
CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) NOT NULL, `LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `SDDLText` CHAR(0) NOT NULL, `Condition` CHAR(255) PRIMARY KEY `MsiLockPermissionsEx`)
INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`, `LockObject`, `Table`, `SDDLText`, `Condition`) VALUES ('DataFolderSecurity', 'DATAFOLDER', 'CreateFolder', 'D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFWFXSD;;;BU)', 'NOT ORTIVO_MANAGED=1')
INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`, `LockObject`, `Table`, `SDDLText`, `Condition`) VALUES ('ManagedDataFolderSecurity', 'DATAFOLDER', 'CreateFolder', 'D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)', 'ORTIVO_MANAGED=1')
--
-- The Start menu shortcut carries the main program's taskbar identity
-- (PKEY_AppUserModel_ID), so that shortcut, pinned button and jump list are one.
CREATE TABLE `MsiShortcutProperty` (`MsiShortcutProperty` CHAR(72) NOT NULL, `Shortcut_` CHAR(72) NOT NULL, `PropertyKey` CHAR(0) NOT NULL, `PropVariantValue` CHAR(0) NOT NULL PRIMARY KEY `MsiShortcutProperty`)
INSERT INTO `MsiShortcutProperty` (`MsiShortcutProperty`, `Shortcut_`, `PropertyKey`, `PropVariantValue`) VALUES ('MainProgramAppUserModelId', 'MainProgramShortcut', '{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}, 5', 'TOLVIK_NETWORK_CHANGER.FOR.WINDOWS_SEVEN')
--
-- The setting service is registered and started only with ORTIVO_SERVICE=1;
-- its program is installed always (Tolvik_NetworkSettingService.wxi).
-- Stopping and removing it keep their conditions: they act on the service
-- only where it exists.
UPDATE `InstallExecuteSequence` SET `Condition` = 'VersionNT AND ORTIVO_SERVICE=1' WHERE `Action` = 'InstallServices' OR `Action` = 'StartServices'
-- Who may use the service's pipe and its event-log source, only with the
-- service. The condition holds on removal too: a component whose condition
-- is false when the product is removed stays behind.
UPDATE `Component` SET `Condition` = 'ORTIVO_SERVICE=1 OR REMOVE~="ALL"' WHERE `Component` = 'SettingServiceRegistration'
-- Managed profiles' value likewise, only with ORTIVO_MANAGED=1.
UPDATE `Component` SET `Condition` = 'ORTIVO_MANAGED=1 OR REMOVE~="ALL"' WHERE `Component` = 'ManagedProfilesRegistration'
-- The start at logon for every user likewise, only with ORTIVO_AUTORUN=1.
UPDATE `Component` SET `Condition` = 'ORTIVO_AUTORUN=1 OR REMOVE~="ALL"' WHERE `Component` = 'AutoRunRegistration'
-- The service's texts in Japanese, as the service program names them
-- (service/ServiceRegistration.h): package.sh gives the database the
-- Japanese code page (932) first; wixl writes ASCII only.
UPDATE `ServiceInstall` SET `DisplayName` = 'Ortivo ネットワーク設定サービス', `Description` = 'Ortivo のプロファイルの切り替えで、標準ユーザーに代わって接続の IPv4 アドレスと DNS を設定します。このサービスを停止すると、切り替えのたびに管理者の承認が必要になります。' WHERE `ServiceInstall` = 'SettingService'
-- Who may use the pipe: "interactive" or "operators" (in any case, as the
-- service reads it), nothing else; a removal is never refused. The text is
-- for the administrator who reads the installation log.
INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES ('REMOVE~="ALL" OR ORTIVO_SERVICE_USERS~="interactive" OR ORTIVO_SERVICE_USERS~="operators"', 'ORTIVO_SERVICE_USERS の値「[ORTIVO_SERVICE_USERS]」は使用できません。interactive (既定値) または operators を指定してください。')
-- The remembered properties and ORTIVO_PROFILES (Ortivo.wxs) reach the
-- execute sequence from the command line and the UI sequence; wixl writes
-- only its own two here.
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;ORTIVO_SERVICE;ORTIVO_SERVICE_USERS;ORTIVO_MANAGED;ORTIVO_PROFILES;ORTIVO_AUTORUN' WHERE `Property` = 'SecureCustomProperties'
-- The setting service's configuration (Windows Installer 5.0), applied by
-- MsiConfigureServices between InstallServices and StartServices and only
-- where the service is registered, on its program's component installed
-- or reinstalled (Event 1 | 4): an unrestricted service SID (ConfigType 5,
-- SERVICE_SID_TYPE_UNRESTRICTED), SeChangeNotifyPrivilege alone
-- (ConfigType 6: the pipe, the clients' identity at identification level,
-- HKLM values, the event log and netsh and ipconfig in a job need no
-- privilege). Its restart on failure the service sets itself at each
-- start: Microsoft documents MsiServiceConfigFailureActions as not working.
CREATE TABLE `MsiServiceConfig` (`MsiServiceConfig` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL, `Event` SHORT NOT NULL, `ConfigType` LONG NOT NULL, `Argument` CHAR(0), `Component_` CHAR(72) NOT NULL PRIMARY KEY `MsiServiceConfig`)
INSERT INTO `MsiServiceConfig` (`MsiServiceConfig`, `Name`, `Event`, `ConfigType`, `Argument`, `Component_`) VALUES ('SettingServiceSid', 'OrtivoNetworkSetting', 5, 5, '1', 'Tolvik_NetworkSettingService')
INSERT INTO `MsiServiceConfig` (`MsiServiceConfig`, `Name`, `Event`, `ConfigType`, `Argument`, `Component_`) VALUES ('SettingServicePrivileges', 'OrtivoNetworkSetting', 5, 6, 'SeChangeNotifyPrivilege', 'Tolvik_NetworkSettingService')
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('MsiConfigureServices', 'VersionNT AND ORTIVO_SERVICE=1', 5850)
-- The import's rollback and commit actions (Ortivo.wxs): wixl writes them
-- as immediate actions; deferred to the rollback script (0x400 | 0x100) and
-- the commit script (0x400 | 0x200), as LocalSystem (0x800), from a DLL in
-- the Binary table (1).
UPDATE `CustomAction` SET `Type` = 3329 WHERE `Action` = 'PutBackProfiles'
UPDATE `CustomAction` SET `Type` = 3585 WHERE `Action` = 'DiscardKeptProfiles'
