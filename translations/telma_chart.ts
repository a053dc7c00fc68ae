<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Chart</name>
    <message>
        <source>The PDF could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file name must end in .png or .pdf.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart has no room on screen to be drawn in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be saved as “%1”.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
