<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>DatabaseDialog</name>
    <message>
        <source>Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book is the file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. db.clinic.example</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Host:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Database:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>instead of host, port and database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>or &amp;service:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program never stores a password: it comes from your ~/.pgpass file (mode 0600) or the service file, or you are asked once each time the program runs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TELMA_DATABASE is set, so this run uses %1 whatever is chosen here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected to the database &quot;%1&quot; as &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book is the file %1 on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic server password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Password (kept until the program closes, never saved):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
