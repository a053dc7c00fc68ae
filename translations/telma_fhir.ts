<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Fhir</name>
    <message>
        <source>%1 has the element %2 of FHIR %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Bundle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 names FHIR %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>effectiveDateTime: the observation has no date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; does not name a day (YYYY-MM-DD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: the observation has no measured quantity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: it holds no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: a value with comparator &quot;%1&quot; is not a measurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: system &quot;%1&quot; is not UCUM (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: unit &quot;%1&quot; is not %2 we read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: %1 %2 is outside %3 to %4 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is too large: %1 MB, and at most %2 MB are read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not FHIR JSON: it has no resourceType</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a FHIR %1, not a Bundle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not FHIR R4: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a Bundle of type &quot;%1&quot;; collection, transaction, batch and searchset are read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>subject: the observation names no patient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>subject: &quot;%1&quot; is not a Patient of this Bundle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>subject: the Patient of entry %1 has no identifier under %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1: effectiveDateTime: %2 is not the baseline date %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot import %1: it is too large: %2 MB, and at most %3 MB are read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot import %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot import the file: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the case &quot;%1&quot; cannot be recreated: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>subject: the case &quot;%1&quot; is not in the case book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>effectiveDateTime: %1 is before the case&apos;s baseline date %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>effectiveDateTime: %1 is after today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the height of &quot;%1&quot; is already %2 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: a height of %1 m for &quot;%2&quot;, but entry %3 gives %4 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; keeps its height of %2 m, not %3 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the baseline date of &quot;%1&quot;, which its initial BMI stands for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: a %1 of %2 for &quot;%3&quot; on %4, but entry %5 gives %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the same as entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: a weight of %1 kg at a height of %2 m gives a BMI of %3, outside %4 to %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valueQuantity: &quot;%1&quot; has no height to work the BMI out from the weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>already in the case book (&quot;%1&quot; on %2); not added again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the case &quot;%1&quot; already has a visit on %2 with a BMI of %3; it is not replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>visits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>observation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>observations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>resource</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>resources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, recreating %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. Not stored: %1 already in the case book or on a baseline date; skipped: %2 of other kinds, %3 of other codes, %4 entered in error or cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a URI such as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no resource</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not FHIR JSON: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at byte %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an entry is larger than %1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a missing value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file ends inside a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file ends inside a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a member without a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a missing colon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a missing comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more text after the object</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
