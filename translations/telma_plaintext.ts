<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>PlainText</name>
    <message>
        <source>a tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a line break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a NUL character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the control character U+%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the control character U+%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a byte-order mark (U+FEFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds %1 at byte %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid UTF-8 (byte 0x%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a lone UTF-16 surrogate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
