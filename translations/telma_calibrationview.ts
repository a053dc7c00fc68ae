<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CalibrationView</name>
    <message>
        <source>In use: the calibration of %1 made by %2 from %3, %4 people, model TELMA %5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic range around a predicted course shows where 95 % of this clinic&apos;s earlier people were relative to their own prediction, month by month. It is no promise for one person, and only as good as the visits entered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibrate from this case book…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calibration is in use: the case book shows no clinic range.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No month has %1 or more people with a visit within half a month of it, so there is no range to use. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calibration from this case book&apos;s visits, %1 people:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n case(s) with a value outside the model&apos;s range left out.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Put in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It replaces the calibration in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use no calibration? The case book then shows no clinic range; the calibration is kept in the case book&apos;s records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>People</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean error (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SD (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no range (fewer than %1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
