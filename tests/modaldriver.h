#ifndef MODALDRIVER_H
#define MODALDRIVER_H

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs action on the next modal widget to appear, from inside its exec() loop.
// Polls instead of firing once, because exec() may not have started yet when the timer
// runs. Gives up after about five seconds so that a missing dialog fails the test
// instead of hanging it; the caller notices through the flag.
inline void onNextModal(const std::function<void(QWidget *)> &action, bool *seen = nullptr,
                        int attempt = 0)
{
    if (seen)
        *seen = false;
    QTimer::singleShot(attempt == 0 ? 0 : 10, [=]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal) {
            if (seen)
                *seen = true;
            action(modal);
        } else if (attempt < 500) {
            onNextModal(action, seen, attempt + 1);
        }
    });
}

// As onNextModal, for the next modal widget that is a T: one closing meanwhile, or the
// window under it, is left alone.
template <typename T>
void onNextModalOf(const std::function<void(T *)> &action, bool *seen = nullptr, int attempt = 0)
{
    if (seen)
        *seen = false;
    QTimer::singleShot(attempt == 0 ? 0 : 10, [=]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (T *wanted = qobject_cast<T *>(modal); wanted && wanted->isVisible()) {
            if (seen)
                *seen = true;
            action(wanted);
        } else if (attempt < 500) {
            onNextModalOf<T>(action, seen, attempt + 1);
        }
    });
}

#endif // MODALDRIVER_H
