<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>MainWindow</name>
    <message>
        <source>The &apos;Restrained eating&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &apos;Emotional eating&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &apos;External eating&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &apos;Personal standards&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &apos;Concern over mistakes, doubts about actions&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &apos;Body image dissatisfaction&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &apos;Alexithymia&apos; value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Body Mass Index value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Model</name>
    <message>
        <source>No height is recorded for this case, so the BMI cannot be given in kilograms.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write a number from %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The field is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” uses a decimal comma: write %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is outside %2 to %3.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
