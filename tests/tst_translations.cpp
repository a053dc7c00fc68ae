#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// Every library's texts in one context of its own and in its own catalogue, checked against
// what lupdate finds in the sources now, and no user-facing text left outside translation.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueIsCurrent_data();
    void catalogueIsCurrent();
    void textsAreTranslated_data();
    void textsAreTranslated();
    void noStrayCatalogue();
    void contextsAreDistinct();
};

namespace {

const QString sourceDir = QStringLiteral(TELMA_SOURCE_DIR);

// Contexts a library keeps besides its own: the windows built from the original forms keep
// theirs, and the model holds the main window's range warnings.
const QHash<QString, QStringList> keptContexts = {
    {QStringLiteral("app"), {QStringLiteral("MainWindow")}},
    {QStringLiteral("model"), {QStringLiteral("MainWindow")}},
    {QStringLiteral("result"), {QStringLiteral("graph")}},
    {QStringLiteral("questionnaires"),
     {QStringLiteral("Dialog"), QStringLiteral("Dialog_alex"), QStringLiteral("Dialog_bod"),
      QStringLiteral("Dialog_mps")}},
};

// Literals that read like words for people but are not shown to them: the database server's
// messages that a failure is recognised by (the whole file), and texts of the FHIR resources
// written, which belong to the exchanged data rather than to this program's language.
const QSet<QString> notShown = {
    QStringLiteral("src/connection/connectionfailure.cpp"),
    QStringLiteral("src/fhir/fhirbundlewriter.cpp: Concern over mistakes and doubts about actions (MPS-FROST)"),
    QStringLiteral("src/fhir/fhirbundlewriter.cpp: Predicted BMI at the end of month %1"),
    QStringLiteral("src/fhir/fhirbundlewriter.cpp: BMI course predicted by model TELMA"),
};

// library -> the inputs the build's refresh target hands lupdate.
QHash<QString, QStringList> translationInputs()
{
    QHash<QString, QStringList> inputs;
    for (const QString &entry : QStringLiteral(TELMA_TRANSLATION_INPUTS).split(QLatin1Char('|'))) {
        const int eq = entry.indexOf(QLatin1Char('='));
        inputs.insert(entry.left(eq), entry.mid(eq + 1).split(QLatin1Char(',')));
    }
    return inputs;
}

QStringList libraries()
{
    return QDir(sourceDir + QStringLiteral("/src")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

struct Catalogue {
    QSet<QString> messages; // context, source, comment and plural flag
    QSet<QString> contexts;
    QString error;
};

Catalogue readCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.error = QStringLiteral("cannot read %1").arg(path);
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString context, source, comment;
    bool plural = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("context")) {
                context.clear();
            } else if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
                catalogue.contexts.insert(context);
            } else if (xml.name() == QLatin1String("message")) {
                source.clear();
                comment.clear();
                plural = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("comment")) {
                comment = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            catalogue.messages.insert(QStringLiteral("[%1] %2%3%4")
                                          .arg(context, source,
                                               comment.isEmpty() ? QString() : QStringLiteral(" (") + comment + QLatin1Char(')'),
                                               plural ? QStringLiteral(" (plural)") : QString()));
        }
    }
    if (xml.hasError())
        catalogue.error = QStringLiteral("%1: %2").arg(path, xml.errorString());
    return catalogue;
}

// The context the library declares in its <library>tr.h, if it has one.
QString ownContext(const QString &library)
{
    QFile header(QStringLiteral("%1/src/%2/%2tr.h").arg(sourceDir, library));
    if (!header.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression declared(QStringLiteral(R"(Q_DECLARE_TR_FUNCTIONS\((\w+)\))"));
    return declared.match(QString::fromUtf8(header.readAll())).captured(1);
}

// The lines sorted, each also logged on its own: a failure message is cut after a thousand
// characters or so.
QString listed(QStringList lines)
{
    lines.sort();
    for (const QString &line : lines)
        qInfo().noquote() << line;
    return lines.join(QLatin1Char('\n'));
}

// The source with comments blanked out, string literals and line breaks kept in place.
QString withoutComments(const QString &code)
{
    QString out = code;
    enum { Code, Line, Block, String, Char } state = Code;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        const QChar next = i + 1 < out.size() ? out.at(i + 1) : QChar();
        switch (state) {
        case Code:
            if (c == QLatin1Char('/') && next == QLatin1Char('/'))
                state = Line;
            else if (c == QLatin1Char('/') && next == QLatin1Char('*'))
                state = Block;
            else if (c == QLatin1Char('"'))
                state = String;
            else if (c == QLatin1Char('\''))
                state = Char;
            break;
        case String:
        case Char:
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == QLatin1Char(state == String ? '"' : '\''))
                state = Code;
            continue;
        case Line:
            if (c == QLatin1Char('\n'))
                state = Code;
            break;
        case Block:
            if (c == QLatin1Char('*') && next == QLatin1Char('/')) {
                out[i] = out[i + 1] = QLatin1Char(' ');
                ++i;
                state = Code;
                continue;
            }
            break;
        }
        if (state == Line || state == Block) {
            if (c != QLatin1Char('\n'))
                out[i] = QLatin1Char(' ');
        }
    }
    return out;
}

// The end of the bracketed span opened at open (just past its closing bracket).
int spanEnd(const QString &code, int open)
{
    int depth = 0;
    for (int i = open; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            for (++i; i < code.size() && code.at(i) != c; ++i) {
                if (code.at(i) == QLatin1Char('\\'))
                    ++i;
            }
        } else if (c == QLatin1Char('(') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(')') || c == QLatin1Char('}')) {
            if (--depth <= 0) // the call's own bracket, or the one around an assignment
                return depth == 0 ? i + 1 : i;
        } else if (c == QLatin1Char(';') && depth == 0) {
            return i;
        }
    }
    return code.size();
}

// Blanks out the given calls with their arguments, so that what they hold is not looked at.
QString blankCalls(QString code, const QRegularExpression &call)
{
    for (auto it = call.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int end = spanEnd(code, m.capturedEnd() - 1);
        for (int i = m.capturedStart(); i < end; ++i) {
            if (code.at(i) != QLatin1Char('\n'))
                code[i] = QLatin1Char(' ');
        }
    }
    return code;
}

struct Literal {
    int start;
    QString text;
};

QList<Literal> literals(const QString &code, int from, int to)
{
    QList<Literal> found;
    for (int i = from; i < to; ++i) {
        if (code.at(i) == QLatin1Char('\'')) {
            for (++i; i < to && code.at(i) != QLatin1Char('\''); ++i) {
                if (code.at(i) == QLatin1Char('\\'))
                    ++i;
            }
        } else if (code.at(i) == QLatin1Char('"')) {
            const int start = i;
            for (++i; i < to && code.at(i) != QLatin1Char('"'); ++i) {
                if (code.at(i) == QLatin1Char('\\'))
                    ++i;
            }
            found.append({start, code.mid(start + 1, i - start - 1)});
        }
    }
    return found;
}

// Separators and patterns such as "%1 %2" or " · ": no words to translate.
bool hasWords(const QString &text)
{
    static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
    return text.contains(letter);
}

// Four or more plain lower-case words and no SQL: a sentence or a clause of a message.
bool readsLikeProse(const QString &text)
{
    static const QRegularExpression word(QStringLiteral(R"(^[a-z’']{2,}[,.:;!?)]?$)"));
    static const QRegularExpression sql(QStringLiteral(
        R"(\b(?:SELECT|FROM|WHERE|INSERT|UPDATE|DELETE|CREATE|ALTER|DROP|GRANT|REVOKE|VALUES|JOIN|TABLE|INDEX|TRIGGER|FUNCTION|RETURNS|BEGIN|COMMIT|PRAGMA)\b)"));
    static const QRegularExpression signature(QStringLiteral(R"(^\w+\()"));
    if (text.contains(sql) || text.contains(signature))
        return false;
    int words = 0;
    for (const QString &token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        words += word.match(token).hasMatch();
    return words >= 4;
}

// Where the user-facing literals of one source file sit outside translation, as "file:line: text".
QStringList untranslatedTexts(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("%1: cannot be read").arg(path)};
    // What lupdate collects, and what only developers read.
    static const QRegularExpression skipped(QStringLiteral(
        R"(\b(?:\w+::)?(?:tr|translate|QT_TRANSLATE_NOOP|QT_TR_NOOP|qDebug|qInfo|qWarning|qCritical|qFatal|Q_ASSERT_X|setObjectName|setProperty|property|value|contains|setValue|beginGroup|QSqlDatabase::\w+|QSqlQuery|prepare|exec|bindValue|addBindValue|setConnectOptions)\s*\()"));
    // Calls whose text arguments people read, and the messages the libraries hand on to them.
    static const QRegularExpression shown(QStringLiteral(
        R"(\b(?:set(?:Text|WindowTitle|ToolTip|StatusTip|WhatsThis|PlaceholderText|AccessibleName|AccessibleDescription|Title|LabelText|InformativeText|DetailedText|Suffix|Prefix|SpecialValueText|TabText|ItemText|ButtonText|HeaderData|HorizontalHeaderLabels|VerticalHeaderLabels|NameFilter|NameFilters)|add(?:Action|Button|Tab|Item|Items|Row)|insertItem|showMessage|QMessageBox::\w+|Q(?:Input|File)Dialog::get\w+|new\s+Q(?:Label|PushButton|CheckBox|RadioButton|GroupBox|Action|CommandLinkButton|ToolButton|Menu|MessageBox|FileDialog))\s*\(|\bQ(?:Label|PushButton|CheckBox|RadioButton|GroupBox|Action|CommandLinkButton|Menu|MessageBox|FileDialog|InputDialog)\s+\w+\s*[({]|(?:\*\s*|\.|->|\b)\w*(?:[eE]rror|[pP]roblem|[rR]eason|[mM]essage|[wW]hy|[rR]efusal)\w*\s*=(?!=))"));
    const QString code = blankCalls(withoutComments(QString::fromUtf8(file.readAll())), skipped);
    QMap<int, QString> found;
    for (auto it = shown.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QChar last = code.at(m.capturedEnd() - 1);
        const int end = last == QLatin1Char('=') ? spanEnd(code, m.capturedEnd())
                                                 : spanEnd(code, m.capturedEnd() - 1);
        for (const Literal &l : literals(code, m.capturedEnd(), end)) {
            if (hasWords(l.text))
                found.insert(l.start, l.text);
        }
    }
    const QString name = QDir(sourceDir).relativeFilePath(path);
    if (!notShown.contains(name)) {
        for (const Literal &l : literals(code, 0, code.size())) {
            if (readsLikeProse(l.text))
                found.insert(l.start, l.text);
        }
    }
    QStringList where;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (notShown.contains(name + QStringLiteral(": ") + it.value()))
            continue;
        where << QStringLiteral("%1:%2: \"%3\"").arg(name).arg(code.left(it.key()).count(QLatin1Char('\n')) + 1).arg(it.value());
    }
    return where;
}

} // namespace

void TestTranslations::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(TELMA_LUPDATE)).isExecutable(),
             "lupdate was not found: install qt6-l10n-tools (scripts/install-deps.sh) and "
             "configure again.");
}

void TestTranslations::catalogueIsCurrent_data()
{
    QTest::addColumn<QString>("library");
    for (const QString &library : libraries())
        QTest::newRow(qPrintable(library)) << library;
}

void TestTranslations::catalogueIsCurrent()
{
    QFETCH(QString, library);
    const QHash<QString, QStringList> inputs = translationInputs();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(sourceDir);
    lupdate.start(QStringLiteral(TELMA_LUPDATE),
                  QStringList{QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                              QStringLiteral("-locations"), QStringLiteral("none")}
                      + inputs.value(library, {QStringLiteral("src/") + library})
                      + QStringList{QStringLiteral("-ts"), fresh});
    QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
    QCOMPARE(lupdate.exitCode(), 0);
    // lupdate warns of a tr() it cannot place, which then lands in no or the wrong context.
    const QString warnings = QString::fromUtf8(lupdate.readAllStandardError()).trimmed();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings));

    const Catalogue now = readCatalogue(fresh);
    QVERIFY2(now.error.isEmpty(), qPrintable(now.error));
    if (!inputs.contains(library)) {
        QVERIFY2(now.messages.isEmpty(),
                 qPrintable(QStringLiteral("The library shows texts but has no catalogue:\n")
                            + listed(now.messages.values())));
        return;
    }

    const QStringList allowed = QStringList{ownContext(library)} + keptContexts.value(library);
    QStringList strange;
    for (const QString &context : now.contexts) {
        if (context.isEmpty() || !allowed.contains(context))
            strange << (context.isEmpty() ? QStringLiteral("(empty)") : context);
    }
    QVERIFY2(strange.isEmpty(),
             qPrintable(QStringLiteral("Contexts other than the library's own (%1): %2")
                            .arg(allowed.join(QStringLiteral(", ")), strange.join(QStringLiteral(", ")))));

    const Catalogue committed = readCatalogue(
        QStringLiteral("%1/translations/telma_%2.ts").arg(sourceDir, library));
    QVERIFY2(committed.error.isEmpty(), qPrintable(committed.error));
    const QSet<QString> missing = now.messages - committed.messages;
    const QSet<QString> gone = committed.messages - now.messages;
    QVERIFY2(missing.isEmpty() && gone.isEmpty(),
             qPrintable(QStringLiteral("The catalogue is out of date; refresh it with "
                                       "`cmake --build build --target translations`.\n"
                                       "Not in it:\n%1\nNo longer in the sources:\n%2")
                            .arg(listed(missing.values()), listed(gone.values()))));
}

void TestTranslations::textsAreTranslated_data()
{
    catalogueIsCurrent_data();
}

void TestTranslations::textsAreTranslated()
{
    QFETCH(QString, library);
    QStringList found;
    const QDir dir(QStringLiteral("%1/src/%2").arg(sourceDir, library));
    for (const QString &name : dir.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files))
        found += untranslatedTexts(dir.filePath(name));
    QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("Texts outside translation:\n") + listed(found)));
}

void TestTranslations::noStrayCatalogue()
{
    const QHash<QString, QStringList> inputs = translationInputs();
    QStringList stray;
    const QStringList files = QDir(sourceDir + QStringLiteral("/translations")).entryList({QStringLiteral("*.ts")});
    for (const QString &file : files) {
        if (!inputs.contains(file.mid(6).chopped(3)))
            stray << file;
    }
    QVERIFY2(stray.isEmpty(), qPrintable(stray.join(QStringLiteral(", "))));
}

void TestTranslations::contextsAreDistinct()
{
    // A context header copied into another library would merge two catalogues' texts.
    QHash<QString, QString> owner;
    for (auto it = keptContexts.cbegin(); it != keptContexts.cend(); ++it) {
        for (const QString &context : it.value())
            owner.insert(context, QStringLiteral("the original forms"));
    }
    QStringList shared;
    for (const QString &library : libraries()) {
        const QString context = ownContext(library);
        if (context.isEmpty())
            continue;
        if (owner.contains(context))
            shared << QStringLiteral("%1 (%2 and %3)").arg(context, owner.value(context), library);
        owner.insert(context, library);
    }
    QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral(", "))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
