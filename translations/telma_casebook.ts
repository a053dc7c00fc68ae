<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CaseBook</name>
    <message>
        <source>Cases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book cannot be used now. Everything else in the program works as before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book may have been changed outside this program. It is open to be read only. Compare it with a backup, or ask whoever looks after it, before you go on; “telma-cohort audit --verify” checks the whole trail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep It Read-Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I Have Taken Note: Allow Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These codes differ only in capitals or in how their accents are written, so they now count as one code:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All of these cases are kept as they are, with their visits, and can be found, loaded and exported as before; no new case can take one of these codes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type part of a case code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load into form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export FHIR…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import FHIR…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back up…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The questionnaire answers of the selected case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cases as CSV: the selected ones, or all when none is selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cases and visits as a FHIR R4 file for a record system: the selected ones, or all when none is selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weights, heights and BMI measured elsewhere, from a FHIR R4 file, as visits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copy of the whole case book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book on this computer or on the clinic server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clinic range drawn around every predicted course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case book: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every value of the case “%1” was typed in; it holds no questionnaire answers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the case “%1” and all its data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This cannot be undone. The audit trail keeps only that the case was deleted, by whom and when.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export all cases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the selected cases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TELMA_FHIR_CASE_CODE_SYSTEM must name the system of the case codes: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the selected cases as FHIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export all cases as FHIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FHIR JSON files (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import visits from FHIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FHIR JSON files (*.json);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported: 1 observation in %1 cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported: %1 observations in %2 cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back up the case book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case books (*.sqlite)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A backup cannot replace the case book itself; please choose another file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Baseline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial BMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI month 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last difference (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last difference (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 stored, %3 now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height: %1 stored, %2 m now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case %1 (changed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case “%1” as stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From case “%1”, changed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEBQ, “Restrained eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEBQ, “Emotional eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEBQ, “External eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MPS-FROST, “Personal standards” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MPS-FROST, “Concern over mistakes, doubts about actions” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Body image questionnaire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TAS-26</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to case…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is the case “%1” as stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to case “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The baseline date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. AB-017</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A code of your choosing, 1 to %1 characters. Never the person&apos;s name: the program does not ask for it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The baseline date cannot be after today.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>optional, %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case &amp;code:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Baseline date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height (cm):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height must be a number of centimetres from %1 to %2, such as 172, or left empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is written, but an import cannot read these codes back, which hold a character no longer taken. Give the cases other codes before they are imported elsewhere.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change code…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new code of the case “%1”:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
