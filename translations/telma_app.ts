<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>MainWindow</name>
    <message>
        <source>model TELMA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:12pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:14pt; color:#00557f;&quot;&gt;     Body mass index&#xa0;(BMI)&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt; is used as an indicator of obesity in adults. Body Mass Index (BMI) is calculated by dividing weight (in kilograms) by height (in meters) squared. The international classification of the World Health Organization:&#xa0;&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt;&lt;br /&gt;normal weight: 18,5-24,99&#xa0;kg/m&lt;/span&gt;&lt;span style=&quot; color:#00557f; vertical-align:super;&quot;&gt;2&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt;;&lt;br /&gt;moderate overweight: 25,0-29,99&#xa0;kg/m&lt;/span&gt;&lt;span style=&quot; color:#00557f; vertical-align:super;&quot;&gt;2&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt;;&lt;br /&gt;class I obesity: 30,0-34,99&#xa0;kg/m&lt;/span&gt;&lt;span style=&quot; color:#00557f; vertical-align:super;&quot;&gt;2&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt;;&lt;br /&gt;class II obesity: 35,0-39,99&#xa0;kg/m&lt;/span&gt;&lt;span style=&quot; color:#00557f; vertical-align:super;&quot;&gt;2&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt;;&lt;br /&gt;class III or extreme (massive/morbid) obesity: more than 40,0&#xa0;kg/m&lt;/span&gt;&lt;span style=&quot; color:#00557f; vertical-align:super;&quot;&gt;2&lt;/span&gt;&lt;span style=&quot; color:#00557f;&quot;&gt;.&lt;br /&gt;     The user has two options: 1) to enter the values of predictors directly; 2) use the on-line questionnaires to obtain the real data for simulation.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “Restrained eating” scale (range 1 to 5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eating behaviour questionnaire (DEBQ): “Restrained eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “Emotional eating” scale (range 1 to 5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eating behaviour questionnaire (DEBQ): “Emotional eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “External eating” scale (range 1 to 5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eating behaviour questionnaire (DEBQ): “External eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “Personal standards” scale (range 7 to 35)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perfectionism questionnaire (MPS-FROST): “Personal standards” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “Concern over mistakes, doubts about actions” scale (range 13 to 65)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perfectionism questionnaire (MPS-FROST): “Concern over mistakes, doubts about actions” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “Body image dissatisfaction” scale (range 1 to 55)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Body image questionnaire: “Body image dissatisfaction” score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on “Alexithymia” scale (range 30 to 110)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toronto Alexithymia Scale (TAS-26): “Alexithymia” score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the score on the initial Body Mass Index (BMI) (kg/m2) (range 15 to 67)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cases…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved cases: find one, load it into the form, export or back up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating the score on “Restrained eating” scale...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEBQ, “Restrained eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating the score on “Emotional eating” scale...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEBQ, “Emotional eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating the score on “External eating” scale...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEBQ, “External eating” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating the score on “Personal standards” scale...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MPS-FROST, “Personal standards” scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating the score on “Concern over mistakes, doubts about actions” scale...</source>
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
        <source>Body Mass Index from weight (kg) and height (cm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight and height</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
