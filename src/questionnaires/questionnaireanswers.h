#ifndef QUESTIONNAIREANSWERS_H
#define QUESTIONNAIREANSWERS_H

#include <QVector>

class QWidget;

// The answers of a questionnaire form item by item, so that they can be kept with a case
// and shown again. Rows and options count from 0; -1 is an item without an answer.
namespace QuestionnaireAnswers {

// The ticked option of each item the form shows, in order.
QVector<int> read(const QWidget *form);
// Ticks the given answers and makes the form a view: the boxes no longer take clicks, and
// the only button closes it.
void showReadOnly(QWidget *form, const QVector<int> &answers);
// True for a form made a view by showReadOnly(): closing it loses nothing.
bool isReadOnly(const QWidget *form);

} // namespace QuestionnaireAnswers

#endif // QUESTIONNAIREANSWERS_H
