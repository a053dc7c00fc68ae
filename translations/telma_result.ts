<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Result</name>
    <message>
        <source>class III or extreme (massive/morbid) obesity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>class II obesity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>class I obesity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>moderate overweight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>normal weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>underweight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The predicted loss of %1 % in six months is far beyond the about 10 % that treatment usually aims for; use this prediction with great caution.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The predicted fall of %1 % in month %2 (from %3 to %4 kg/m²) is faster than about 1.2 % a week, more than guidelines expect (0.5 to 0.9 kg a week).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The predicted course holds no number for month %1; do not use this prediction.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The predicted BMI of %1 kg/m² in month %2 is below 18.5 kg/m²: underweight by the WHO classification.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caution: predicted BMI below 15 kg/m², the lowest initial BMI accepted (%1 kg/m² in month %2). The model is used outside the range it was made for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caution: predicted BMI below 15 kg/m², the lowest initial BMI accepted. Please check the inputs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restrained eating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emotional eating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>External eating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Personal standards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Concern over mistakes, doubts about actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Body image dissatisfaction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alexithymia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial BMI (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted BMI course during CBT treatment of obesity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What this is: the predicted course comes from a fixed closed formula of the eight predictors above. It is meant for adults in cognitive-behavioural treatment (CBT) of obesity. It supports clinical judgement and does not replace it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulation of %1 · model TELMA %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · case “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · baseline %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · from case “%1”, changed</source>
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
        <source>Accepted range</source>
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
        <source>not given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not the stored case “%1”: changed since it was loaded, %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change (kg/m²)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WHO class</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No height was given, so the course is not shown in kilograms.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>graph</name>
    <message>
        <source>A person&apos;s TELMA score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI(kg/m2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Predicted time courses of person&apos;s BMI(kg/m2) during six month of CBT treatment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMI (kg/m²)</source>
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
        <source>Predicted course</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change (kg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No height is known for this simulation, so the course cannot be given in kilograms; use the weight-and-height button for the BMI.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be saved as “%1”: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
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
        <source>The report could not be printed.</source>
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
</context>
</TS>
