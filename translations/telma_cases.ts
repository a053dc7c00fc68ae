<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Cases</name>
    <message>
        <source>read the calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calibration no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>store the calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>put the calibration in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use no calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1 (case %2, “%3” by %4 at %5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check the audit trail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audit trail&apos;s guard %1 is missing or switched off, so entries could have been changed or removed unseen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audit trail&apos;s %1 has no hash: it was written outside this program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old and new values of the audit trail&apos;s %1 were changed or removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audit trail&apos;s %1 does not fit the chain: it was changed or inserted, or an entry before it was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the audit trail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cases cannot be written to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>begins with “%1”, which a spreadsheet would take for a formula</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database on the clinic server holds other tables and is not a case book of this program. It was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 is not a case book of this program. It was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book was written by a newer version of this program (format %1; this version reads up to %2). It was left as it is; please use the newer version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>be prepared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book on the clinic server is of an earlier version of this program (format %1; this version needs %2). It was left as it is; please ask whoever looks after the server to run telma-server-setup again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case “%1”: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save the cases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case&apos;s height was set by someone else meanwhile; the visit was not saved. Please enter it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height must be from 1.00 to 2.50 m.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code “%1” is already used by another case. Please choose another code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book %1 can only be read: you have no right to write its file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book is open to be read only, because its audit trail does not fit: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PostgreSQL driver of Qt is not installed (Debian: libqt6sql6-psql).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book %1 is read-only for you, so nothing can be saved in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 is read-only for you, so the case book cannot keep its journal there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have no right to write the case book %1 or the files beside it in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book %1 can only be read, and its latest changes are still in %2, which only a program that may write the book can fold in. It was left as it is; open it once with the right to write, or ask its owner to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SQLite driver of Qt is not installed (Debian: libqt6sql6-sqlite).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book cannot keep its journal next to the file; is the folder writable?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your account on the clinic server has no permission to %1 (%2). Nothing was changed; please ask whoever looks after the server to grant it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your account on the clinic server has no permission to use a schema for the case book (none on its search path exists or may be used), so the case book could not %1. Nothing was changed; please ask whoever looks after the server to set it up with telma-server-setup and grant your account its rights (details: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book on the clinic server has not been brought up to date for this version of the program, so it cannot %1. Nothing was changed; please ask whoever looks after the server to run telma-server-setup again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code is already used by another case. Please choose another code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another workstation is changing the case book at this moment. Nothing was changed; please try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server takes no changes at the moment (it is read-only), so the case book could not %1. Nothing was changed; please tell whoever looks after the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server&apos;s disk is full. Nothing was changed; please tell whoever looks after the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book could not %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another copy of the program is using the case book. Nothing was changed; please try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk holding the case book is full. Nothing was changed; free some space and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Nothing was changed (SQLite: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk holding the case book failed to read or write it, so the case book could not %1. Nothing was changed; check the disk (SQLite: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book is damaged or is not a database of this program, so it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book on the clinic server is backed up on the server itself (for example with pg_dump); please ask whoever looks after the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup cannot be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>be backed up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a symbolic link to a file that does not exist. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be reached: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a symbolic link to %2, not a case book file. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2, not a case book file. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 can be read by other users and its rights cannot be narrowed to you alone: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 can be read by other users, and it belongs to the account %2, so this program may not narrow its rights. Nothing was changed; its owner can make it readable by themselves alone (chmod 600).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have no right to read the case book %1 (%2). Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book cannot be created in the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case code is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case code has %1 characters; at most %2 are allowed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The baseline date must be a date not later than today.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height must be between %1 and %2 m.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The predicted course is incomplete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case “%1” was changed by %2 at %3 after you opened it; your change was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed meanwhile: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case was deleted by %1 at %2; it no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check the code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code “%1” is already used by another case as “%2”: codes that differ only in capitals or accents written another way are one code. Please choose another code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save the case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case code %1. Please choose another code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete the case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server refused a value of the case “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the cases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save the visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the visits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The visit date must be after the baseline date (%1) and not after today.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The observed BMI must be from 10 to 100 kg/m².</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The weight must be from 20 to 400 kg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The note must be at most %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The note %1. Please remove it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The visit no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case already has a visit on %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case already has another visit on %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server refused a value of the visit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete the visit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
