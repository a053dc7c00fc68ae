<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>BmiEntry</name>
    <message>
        <source>Body Mass Index from weight and height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Weight (kg, %1 to %2):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height (cm, %1 to %2):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weight %1 kg, height %2 cm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI %1 kg/m²</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI %1 kg/m² is outside %2 to %3, the range the model accepts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
