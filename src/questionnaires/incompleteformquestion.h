#ifndef INCOMPLETEFORMQUESTION_H
#define INCOMPLETEFORMQUESTION_H

#include <QList>
#include <QString>

class QWidget;

// Asks before a form with unanswered items is accepted: those items count 0, so the mean
// written from it would be too low.
class IncompleteFormQuestion
{
public:
    // unanswered holds the items' numbers, from 1, out of itemCount shown.
    static QString text(const QList<int> &unanswered, int itemCount);
    // True for "Accept anyway"; "Go back", the default, and Escape give false. With no
    // item answered only "Go back" is offered.
    static bool acceptAnyway(QWidget *parent, const QList<int> &unanswered, int itemCount);
};

#endif // INCOMPLETEFORMQUESTION_H
