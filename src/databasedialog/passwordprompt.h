#ifndef PASSWORDPROMPT_H
#define PASSWORDPROMPT_H

class QWidget;

// Lets the clinic server connection ask the user for a missing password in a small dialog
// over the given window; the answer is kept in memory for this run only.
void installPasswordPrompt(QWidget *window);

#endif // PASSWORDPROMPT_H
