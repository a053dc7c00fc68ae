#ifndef CASECODENOTIFIER_H
#define CASECODENOTIFIER_H

#include <QObject>

// Tells the result dialog's extensions when the simulation comes to belong to a case (saved
// as one, or loaded from one). An object of its own, because the dialog's meta-object lists
// prepareview alone.
class CaseCodeNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // The simulation now belongs to the case code; empty when it belongs to none.
    void changed(const QString &code);
};

#endif // CASECODENOTIFIER_H
