#ifndef QUESTIONNAIREVIEW_H
#define QUESTIONNAIREVIEW_H

#include <QString>
#include <QVector>

class QWidget;

// A case's stored questionnaire answers, shown in the questionnaire itself with the answers
// ticked and nothing to change.
namespace QuestionnaireView {

// The questionnaire and scale that gives the predictor (0 to 6) its value.
QString title(int predictor);
// Runs the questionnaire of predictor modally, read-only, with answers ticked.
void show(int predictor, const QVector<int> &answers, QWidget *parent);

} // namespace QuestionnaireView

#endif // QUESTIONNAIREVIEW_H
