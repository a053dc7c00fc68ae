<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Calibration</name>
    <message>
        <source>this case book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (SHA-256 %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic range: 95 % of this clinic&apos;s outcomes, calibration of %1 from %2 people, model TELMA %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>less loss than expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more loss than expected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
