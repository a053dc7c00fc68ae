<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>FollowUpView</name>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Observed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic range (95 %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic range, upper edge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic average</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No clinic range: no calibration is in use; make one from this case book&apos;s visits under “Calibration…”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add visit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Correct…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete visit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Handout…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is already a visit on %1 (BMI %2). Replace it with this one?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the earlier visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the visit of %1 (BMI %2) from case “%3”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The follow-up report could not be saved as “%1”: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The follow-up report could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow-up of a predicted BMI course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case %1 · baseline %2 · height %3 · predicted with model TELMA %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predictors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predictor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>typed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No visits yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes of the visits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted, month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Observed BMI (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted BMI (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difference (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difference (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difference (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clinic range (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight %1 kg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The prediction covers months 0 to 6 only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic&apos;s calibration has no range for this month.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The visit date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height (cm):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A visit comes after the baseline date (%1) and not after today.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 to 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>optional, 20 to 400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100 to 250</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Observed BMI (kg/m²):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>or weight (kg):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case has no height yet: give it once to enter the weight instead of the BMI; it is kept with the case.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Correct visit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
