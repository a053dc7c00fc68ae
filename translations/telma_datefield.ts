<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>DateField</name>
    <message>
        <source>yyyy-mm-dd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose from the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dates from %1 to %2 are accepted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No date is accepted yet: the first possible date, %1, is after the last, %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty. Type it as year-month-day, such as %2. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 “%2” is not written as year-month-day, such as %3. %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 “%2” is not a date: there is no month %3. %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 “%2” is not a date: %3 has %4 days. %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is outside the accepted range. %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
