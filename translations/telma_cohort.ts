<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Cohort</name>
    <message>
        <source>The column “%1” appears more than once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header line has no column %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>field %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2: the record is longer than %3 MiB; is this a table?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty: a header line is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a text file (UTF-8 CSV with a header line).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With decimal commas the delimiter of %1 cannot be a comma: use a semicolon or a tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2: the header line&apos;s field %3 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the file ends inside a field.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no header line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file already has a column “%1”, which predict adds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the output: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the row has %1 fields where the header has %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(95% CI %1 to %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header line has no observed column bmi_month_1 to bmi_month_6.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Validation of model TELMA on %1
rows read %2, refused %3
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
No month has observed values in 3 or more accepted rows.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Month %1 (n = %2)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean observed BMI </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean predicted BMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean error (O − P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sd of the error   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>agreement (95%)   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>calibration slope </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>intercept         </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>predict: write to &lt;file&gt; instead of standard output.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The field delimiter: , ; or tab (default: found from the header line).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numbers use a decimal comma (35,5); the delimiter is then ; or tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>validate, calibrate: print one JSON object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>validate: write a one-page A4 validation report (PDF).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>validate: write the calibration plot (PNG or PDF).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>validate: the month of the plot (default: the last with data).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import, export, validate --cases, calibrate: the case book (default: as the program&apos;s TELMA_DATABASE).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>validate, calibrate: on the case book&apos;s own cases and visits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>calibrate: store the calibration in the case book as the one in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fhir-export: only the case with this code (repeatable).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>import, fhir-import, calibrate --use: write even though the case book&apos;s audit trail does not fit (audit --verify names where); the command says so.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>audit: check the whole audit trail&apos;s chain and guards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fhir-export, fhir-import: the system of the case code in Patient.identifier (default: TELMA_FHIR_CASE_CODE_SYSTEM, else urn:telma:case-code).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case code system %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The case book&apos;s audit trail does not fit: %1
Nothing was written. Once the trail has been looked into, --trail-noted writes nonetheless.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--delimiter takes , ; or tab, not “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --decimal-comma the delimiter cannot be a comma.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--month takes a month from 1 to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--plot writes a .png or .pdf file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the case book %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>case %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>standard input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No month has %1 or more people observed, so there is no range; nothing was put in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write to standard output.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No case has the code “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>predict, validate, calibrate, import, export, fhir-export, fhir-import or audit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cohort file (CSV).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Say predict, validate, calibrate, import, export, fhir-export or fhir-import, or audit --verify (see --help).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes one input file (see --help).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 reads the case book, not a file (see --help).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%2 belongs to %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> or </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--database belongs to validate --cases.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--database belongs to calibrate --cases or calibrate --use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--trail-noted belongs to calibrate --use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 --cases reads no file: --delimiter and --decimal-comma do not apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>audit takes --verify (see --help).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” uses a decimal point: write %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>telma-cohort: writing with --trail-noted, although the audit trail does not fit: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
In use in the case book %1.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>telma-cohort: nothing was imported: %1 of %2 rows refused.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 case imported into %2.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cases imported into %2.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>telma-cohort: the code of case %1 (shown as “%2”) %3, which no file can carry back: give the case another code before it is imported elsewhere.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>telma-cohort: nothing was imported: %1 observation cannot be used.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>telma-cohort: nothing was imported: %1 observations cannot be used.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audit trail of %1 fits: %2 entries, each chained to the one before, and its guards are in place.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicts the BMI course of a whole cohort with model TELMA, and checks the model
against observed outcomes.

  predict IN.csv [-o OUT.csv]   every row with predicted_month_1..6 and error added
  validate IN.csv [--json] [--report FILE.pdf] [--plot FILE.png|FILE.pdf] [--month K]
  validate --cases [--database D] [same options]   on the case book&apos;s cases and visits
  calibrate (IN.csv | --cases) [--database D] [--json] [--use]   the clinic&apos;s range per
                                month; --use puts it in use in the case book
  import IN.csv [--database D]  every row as a case with its visits; all rows or none
  export [--database D] [-o OUT.csv]   the case book with bmi_month_1..6 observed
  fhir-export [--database D] [--code CODE ...] [-o FILE.json]   cases and visits as a
                                FHIR R4 Bundle
  fhir-import FILE.json [--database D]   a FHIR Bundle&apos;s BMI, weight and height as
                                visits; all or none
  audit --verify [--database D]  checks the whole audit trail: exit 1 naming the first
                                entry that does not fit

IN.csv &quot;-&quot; is standard input. Exit status: 0 every row used, 1 some rows refused
(listed on standard error), 2 usage or file error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2% read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot keep standard input in a temporary file: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read standard input: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
