<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Report</name>
    <message>
        <source>Report made on %1 with model TELMA %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the page could not be drawn</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
