-- Tables that wixl cannot write, added to the built package by msibuild,
-- one statement a line.
--
-- The data folder: modify rights (FILE_GENERIC_READ | FILE_GENERIC_WRITE |
-- FILE_GENERIC_EXECUTE | DELETE = 0x1301BF) for the Users group, so that every
-- user of the computer can write the shared data file; full control
-- (GENERIC_ALL) for Administrators. LocalSystem always keeps full control.
CREATE TABLE `LockPermissions` (`LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `Domain` CHAR(255), `User` CHAR(255) NOT NULL, `Permission` LONG PRIMARY KEY `LockObject`, `Table`, `Domain`, `User`)
INSERT INTO `LockPermissions` (`LockObject`, `Table`, `User`, `Permission`) VALUES ('DATAFOLDER', 'CreateFolder', 'Users', 1245631)
INSERT INTO `LockPermissions` (`LockObject`, `Table`, `User`, `Permission`) VALUES ('DATAFOLDER', 'CreateFolder', 'Administrators', 268435456)
--
-- The Start menu shortcut carries the main program's taskbar identity
-- (PKEY_AppUserModel_ID), so that shortcut, pinned button and jump list are one.
CREATE TABLE `MsiShortcutProperty` (`MsiShortcutProperty` CHAR(72) NOT NULL, `Shortcut_` CHAR(72) NOT NULL, `PropertyKey` CHAR(0) NOT NULL, `PropVariantValue` CHAR(0) NOT NULL PRIMARY KEY `MsiShortcutProperty`)
INSERT INTO `MsiShortcutProperty` (`MsiShortcutProperty`, `Shortcut_`, `PropertyKey`, `PropVariantValue`) VALUES ('MainProgramAppUserModelId', 'MainProgramShortcut', '{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}, 5', 'TOLVIK_NETWORK_CHANGER.FOR.WINDOWS_SEVEN')
