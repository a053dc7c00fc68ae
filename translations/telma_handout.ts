<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Handout</name>
    <message>
        <source>The handout could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save handout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The handout could not be saved as “%1”: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The handout is saved as “%1”. Print it as well?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Handout…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save a page in plain words for the person to take home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your expected course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your visits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It shows more loss than treatment usually aims for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It shows weight falling fast; a slower pace is usually safer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It goes below a healthy weight, which is not a goal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It goes lower than it can be trusted for; do not rely on it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part of it could not be worked out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made on %1 with the program TELMA %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · case %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What these numbers are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These numbers are an estimate, worked out from the answers you gave at the start of your treatment. They are not a promise: your own course may well be different. Please talk them over with your clinician.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please note about this estimate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please talk about this with your clinician.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your expected course, month by month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI (body mass index) is your weight in kilograms divided by your height in metres, squared. It lets weight be compared whatever a person&apos;s height.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your visits so far</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No visits yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expected then</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>–</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your first visit is in your clinician&apos;s records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your %1 earlier visits are in your clinician&apos;s records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your weight is the same as at the start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your BMI is the same as at the start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Since the start you have lost %1 kg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Since the start you have gained %1 kg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Since the start your BMI has gone down by %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Since the start your BMI has gone up by %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
