<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>FollowUp</name>
    <message>
        <source>The visit date must be after the baseline date (%1) and not after today (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The observed BMI must be a number from 10 to 100 kg/m² (or give the weight from 20 to 400 kg instead).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The weight must be a number from 20 to 400 kg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height must be a number from 100 to 250 cm; the BMI is worked out from the weight and the height.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A weight of %1 kg at a height of %2 cm gives a BMI of %3; the observed BMI must be from 10 to 100 kg/m².</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The note must be at most %1 characters; it has %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The note %1. Please remove it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
