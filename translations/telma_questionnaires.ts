<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Dialog</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-size:12pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:18pt; font-weight:700; color:#00557f;&quot;&gt;The Dutch Eating Behaviour Questionnaire (DEBQ)&lt;/span&gt;&lt;/p&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:700; color:#00557f;&quot;&gt;Instructions&lt;/span&gt;&lt;span style=&quot; font-size:14pt; color:#00557f;&quot;&gt;: For each item, please select the option that best reflects your opinion.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QCheckBox::indicator { subcontrol-position: center; }</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Questions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seldom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sometimes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Often</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Very often</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question 13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you have put on weight, do you eat less than you usually do?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you try to eat less at mealtimes than you would like to eat?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often do you refuse food or drink offered because you are concerned about your weight?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you watch exactly what you eat?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you deliberately eat foods that are slimming?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When you have eaten too much, do you eat less than usual the following days?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you deliberately eat less in order not to become heavier?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often do you try not to eat between meals because you are watching your weight?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often in the evening do you try not to eat because you are watching your weight?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you take into account your weight with what you eat?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have the desire to eat when you are irritated?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you have nothing to do?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are depressed or discouraged?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are feeling lonely?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when somebody lets you down?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are cross?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are approaching something unpleasant to happen?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you get the desire to eat when you are anxious, worried or tense?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when things are going against you or when things have gone wrong?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are frightened?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are disappointed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are emotionally upset?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you have a desire to eat when you are bored or restless?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If food tastes good to you, do you eat more than usual?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If food smells and looks good, do you eat more than usual?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you see or smell something delicious, do you have a desire to eat it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you have something delicious to eat, do you eat it straight away?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you walk past the baker do you have the desire to buy something delicious?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you walk past a snackbar or a café, do you have the desire to buy something delicious?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you see others eating, do you also have the desire to eat?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can you resist eating delicious foods?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you eat more than usual, when you see others eating?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When preparing a meal are you inclined to eat something?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialog_alex</name>
    <message>
        <source>model TELMA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:18pt; font-weight:600; color:#00557f;&quot;&gt;Toronto Alexithymia Scale (TAS-26)&lt;/span&gt;&lt;/p&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:12pt; font-weight:600; color:#00557f;&quot;&gt;Instructions:&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#00557f;&quot;&gt; Using the scale provided as a guide, indicate how much you agree or disagree with the following statements by placing an x in the appropriate place. Give only one answer for each statement. &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Questions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strongly disagree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moderately disagree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neither disagree or agree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moderately agree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strongly agree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I cry I always know why</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daydreaming is a waste of time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I wish I were not so shy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am often confused about what emotion I am feeling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I often daydream about the future</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I seem to make friends as easily as others do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Knowing the answers to problems is more important than knowing the reasons for the answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is difficult for me to find the right words for my feelings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I like to let people know where I stand on things</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I have physical sensations that even doctors don’t understand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It’s not enough for me that something gets the job done; I need to know why and how it works</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am able to describe my feelings easily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I prefer to analyze problems rather than just describe them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I am upset, I don’t know if I am sad, frightened, or angry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I use my imagination a great deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I spend much time daydreaming whenever I have nothing else to do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>17</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am often puzzled by sensations in my body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>18</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I daydream rarely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I prefer to just let things happen rather than to understand why they turned out that way</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I have feelings that I can’t quite identify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>21</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Being in touch with emotions is essential</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>22</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I find it hard to describe how I feel about people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>23</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>People tell me to describe my feelings more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One should look for deeper explanations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>25</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I don’t know what’s going on inside me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>26</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I often don’t know why I am angry</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialog_bod</name>
    <message>
        <source>model TELMA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:18pt; font-weight:600; color:#00557f;&quot;&gt;How good is your body image?&lt;/span&gt;&lt;/p&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#00557f;&quot;&gt;Instructions:&lt;/span&gt;&lt;span style=&quot; font-size:14pt; color:#00557f;&quot;&gt; For each situation, select how often you have negative feelings about your appearance in it.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Questions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Occasionally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Often</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At social gatherings where I know few people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I look at myself in the mirror</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When people see me before I’ve “fixed up”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I am with attractive people of my own sex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I am with attractive people of the opposite sex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When someone looks at parts of my appearance that I dislike</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I look at my nude body in the mirror</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I am trying on new clothes at the store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After I have eaten a full meal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I see attractive people on television or in magazines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I get on the scales to weigh myself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When anticipating or having sexual relations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I’m already in a bad mood about something else</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When the topic of conversation pertains to physical appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When someone comments unfavourably on my appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I see myself in a photograph or on video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>17</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I think about what I wish I looked like</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>18</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I think about how I may look in the future</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I exercise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When I think about going on holiday</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialog_mps</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-size:11pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:18pt; font-weight:700; color:#00557f;&quot;&gt;Multidimensional Perfectionism Scale (MPS-FROST)&lt;/span&gt;&lt;/p&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:14pt; color:#00557f;&quot;&gt;Instructions: For each item, please select the option that best reflects your opinion. &lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QCheckBox::indicator { subcontrol-position: center; }</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Questions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strongly disagree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disagree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Agree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strongly agree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If I fail at work/school, I am a failure as a person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I should be upset if I make a mistake</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If someone does a task at work/school better than I, then I feel like I failed the whole task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If I fail partly, it is as bad as being a complete failure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I hate being less than the best at things</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>People will probably think less of me if I make a mistake</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If I do not do as well as other people, it means I am an inferior human being</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If I do not do well all the time, people will not respect me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The fewer mistakes I make, the more people will like me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Even when I do something very carefully, I often feel that it is not quite right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I usually have doubts about the simple everyday things I do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I tend to get behind in my work because I repeat things over and over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It takes me a long time to do something “right”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If I do not set the highest standards for myself, I am likely to end up a second-rate person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is important to me that I be thoroughly competent in everything I do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I set higher goals than most people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am very good at focusing my efforts on attaining a goal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I have extremely high goals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other people seem to accept lower standards from themselves than I do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I expect higher performance in my daily tasks than most people</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Questionnaires</name>
    <message>
        <source>Item %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items is answered; its answer is lost if the form closes now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items are answered; their answers are lost if the form closes now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard the answers?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None of the %1 items is answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer the items, or cancel the form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items is unanswered: item %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items are unanswered: items %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unanswered items count 0, so the value written will be too low.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unanswered items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept anyway</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
