<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Connection</name>
    <message>
        <source>this user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server cannot be reached. Check that this computer is on the clinic&apos;s network and that the server is running; if it stays so, ask whoever looks after the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server name &quot;%1&quot; is not known on this network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server asks for a password for %1, and none was given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server asks for a password. The password file %1 was not used because other users can read it; make it private with: chmod 600 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server refused the password for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server has no user %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database &quot;%1&quot; does not exist on the clinic server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user %1 has no permission to use the case book on the clinic server; ask whoever looks after the server to grant it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server does not accept %1 from this computer (its access rules in pg_hba.conf).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service &quot;%1&quot; is not defined in any pg_service.conf file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server is busy, starting or shutting down; try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The secure (TLS) connection to the clinic server could not be made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to the clinic server was lost. Nothing you entered is lost; try again when the server is back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic server could not be used: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection string is not of the form keyword=value (at &quot;%1&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value of &quot;%1&quot; lacks its closing quote.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No database is named.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the server connection as keyword=value pairs, for example &quot;host=db.clinic dbname=telma user=anna&quot;; the postgresql:// form is not supported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server connection cannot contain &quot;;&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the clinic server (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an unusable database setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver (QPSQL) is not installed (Debian package libqt6sql6-psql).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
