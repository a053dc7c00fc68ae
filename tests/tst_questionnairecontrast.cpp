#include "dialog.h"
#include "dialog_alex.h"
#include "dialog_bod.h"
#include "dialog_mps.h"
#include "fixture.h"
#include "paintedcontrast.h"

#include <QtTest>
#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>

#include <functional>
#include <memory>

namespace {

using MakeDialog = std::function<QDialog *()>;

// The texts to check in a questionnaire: the intro, the header labels, and the number and
// statement of the first two rows (one plain, one on a fixed white background where the
// form alternates them).
QList<QWidget *> knownTexts(QDialog *dialog)
{
    QList<QWidget *> texts;
    texts << dialog->findChild<QTextEdit *>(QStringLiteral("textEdit"))->viewport();
    for (QLabel *header : AnswerGrid::headerLabels(dialog))
        texts << header;
    for (int row = 0; row < 2; ++row) {
        QWidget *rowBox = answerBox(dialog, row, 0)->parentWidget();
        for (QLabel *label : rowBox->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
            texts << label;
    }
    return texts;
}

QString describe(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return QStringLiteral("%1 “%2”").arg(label->objectName(), label->text());
    return w->parentWidget()->objectName();
}

} // namespace

Q_DECLARE_METATYPE(MakeDialog)

class TestQuestionnaireContrast : public QObject
{
    Q_OBJECT

private slots:
    void textsReadable_data();
    void textsReadable();
};

void TestQuestionnaireContrast::textsReadable_data()
{
    QTest::addColumn<MakeDialog>("make");
    QTest::addColumn<bool>("dark");
    const QList<std::pair<const char *, MakeDialog>> dialogs = {
        {"eating behaviour", [] { return new Dialog; }},
        {"perfectionism", [] { return new Dialog_mps; }},
        {"body image", [] { return new Dialog_bod; }},
        {"alexithymia", [] { return new Dialog_alex; }},
    };
    for (const auto &[name, make] : dialogs) {
        QTest::addRow("%s, light", name) << make << false;
        QTest::addRow("%s, dark", name) << make << true;
    }
}

void TestQuestionnaireContrast::textsReadable()
{
    QFETCH(MakeDialog, make);
    QFETCH(bool, dark);
    ScopedPalette palette(dark ? darkPalette() : QApplication::palette());
    std::unique_ptr<QDialog> dialog(make());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // The intro's text cursor is no text, and it would stand out in any palette.
    dialog->findChild<QTextEdit *>(QStringLiteral("textEdit"))->clearFocus();
    const QImage image = dialog->grab().toImage();

    const QList<QWidget *> texts = knownTexts(dialog.get());
    QVERIFY(texts.size() >= 8);
    QStringList unreadable;
    for (QWidget *text : texts) {
        double ratio = 1;
        if (auto *intro = qobject_cast<QTextEdit *>(text->parentWidget())) {
            // The intro's rich text brings its own colour; its box reaches under the rows
            // below it, so keep to the text.
            QRect rect(text->mapTo(dialog.get(), QPoint(0, 0)), text->size());
            rect.setHeight(std::min(rect.height(), int(intro->document()->size().height())));
            ratio = paintedText(image, rect).ratio;
        } else {
            ratio = textAgainstBackground(dialog.get(), text).ratio;
        }
        if (ratio < 4.5)
            unreadable << QStringLiteral("%1 %2:1").arg(describe(text)).arg(ratio, 0, 'f', 2);
    }
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestQuestionnaireContrast)
#include "tst_questionnairecontrast.moc"
