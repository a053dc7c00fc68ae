#ifndef HANDOUTACTION_H
#define HANDOUTACTION_H

class HandoutReport;
class QWidget;
class graph;

// Asks where to save the handout, as Save PDF… does, saves it, and then offers to print
// it; a failure is told in one message. False when nothing was saved.
bool saveHandout(QWidget *parent, const HandoutReport &handout);

// "Handout…" (handoutButton) beside the result dialog's other buttons, enabled once the
// dialog has a course and its inputs.
void addHandoutButton(graph &result);

#endif // HANDOUTACTION_H
