#ifndef DISCARDANSWERSQUESTION_H
#define DISCARDANSWERSQUESTION_H

#include <QString>

class AnswerGrid;
class QWidget;

// Asks before a form that holds answers is closed without accepting them: a stray Escape
// must not throw away a questionnaire the person has just filled in.
class DiscardAnswersQuestion
{
public:
    static QString informativeText(int answered, int itemCount);
    // True when the form may close: nothing is answered, or the user chose "Discard".
    // "Go back", the default, and Escape keep the form and its answers.
    static bool mayClose(QWidget *form, const AnswerGrid &answers);
};

#endif // DISCARDANSWERSQUESTION_H
