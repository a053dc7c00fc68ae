<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CohortReport</name>
    <message>
        <source>a person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>observed = predicted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Observed BMI (kg/m²), month %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted BMI (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the plot is written as .png or .pdf.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No month has observed values in 3 or more accepted rows: no plot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Validation of model TELMA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input file: %1 · model TELMA %2 (telma-cohort %2), made %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows read: %1; refused: %2 (wrong field count, a predictor outside its range, or an observed BMI that is not a number in 10 to 100)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No month has observed values in 3 or more accepted rows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration plot, month %1: each point is one person; points on the dashed line were predicted exactly, points above it did worse (a higher BMI) than predicted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean error: observed − predicted (calibration-in-the-large); an interval that excludes 0 shows a bias. Limits of agreement: the mean error ± 1.96 sd, where most single people fall. Calibration slope and intercept: the least-squares line observed = intercept + slope · predicted; a slope of 1 and an intercept of 0 mean no systematic deviation. R² compares the predictions as they are with the mean of the observed values, so it can be negative. 95% intervals from Student&apos;s t (n − 1 and n − 2 degrees of freedom).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>… and %1 more refused rows; telma-cohort lists every one on standard error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean observed BMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean predicted BMI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean error (observed − predicted)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   95% CI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sd of the error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   95% limits of agreement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>calibration slope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>intercept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R²</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RMSE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It shows %1 of the %2 people, chosen at random.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
