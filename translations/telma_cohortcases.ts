<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CohortCases</name>
    <message>
        <source>Calibration of model TELMA %1 on %2
%3 people observed

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month      n  mean error  sd error   95% low  95% high
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  no range: fewer than %1 people
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is outside %3 to %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the code is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the code has %1 characters; at most %2 are allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is also the code of line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a date written YYYY-MM-DD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is after today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its visit date, %1, is after today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>code: “%1” is already in the case book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header line has no column %1, which a case needs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list of codes read so far cannot be kept in a temporary file: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
