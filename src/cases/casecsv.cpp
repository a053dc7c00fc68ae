#include "casecsv.h"

#include "casefields.h"
#include "casestr.h"
#include "textcheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSaveFile>

QStringList CaseCsv::columns()
{
    QStringList names = {QStringLiteral("code"), QStringLiteral("baseline_date"),
                         QStringLiteral("height_m")};
    for (int p = 0; p < PredictorCount; ++p)
        names << CaseFields::predictorColumn(p);
    for (int m = 1; m <= CourseMonths; ++m)
        names << CaseFields::monthColumn(m);
    return names;
}

QString CaseCsv::headerLine()
{
    return columns().join(QLatin1Char(','));
}

// Text a spreadsheet would run as a formula.
static bool startsLikeFormula(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front());
}

QString CaseCsv::textCell(const QString &text)
{
    QString cell = text;
    if (startsLikeFormula(cell))
        cell.prepend(QLatin1Char('\''));
    // Spaces or tabs at either end survive only in quotes: CSV readers trim unquoted fields.
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"'))
        || cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))
        || (!cell.isEmpty() && (isBlank(cell.front()) || isBlank(cell.back())))) {
        cell.replace(QLatin1Char('"'), QLatin1String("\"\""));
        cell = QLatin1Char('"') + cell + QLatin1Char('"');
    }
    return cell;
}

QString CaseCsv::codeCell(const QString &code)
{
    // textCell leads the formula-like ones by an apostrophe itself.
    if (!startsLikeFormula(code)
        && (code.startsWith(QLatin1Char('\'')) || !CaseFields::newCodeRefusal(code).isEmpty()))
        return textCell(QLatin1Char('\'') + code);
    return textCell(code);
}

QString CaseCsv::codeOfCell(const QString &cell, bool *escaped)
{
    *escaped = cell.startsWith(QLatin1Char('\''));
    return *escaped ? cell.mid(1) : cell;
}

QString CaseCsv::codeCellRefusal(const QString &code)
{
    // What every reader refuses of a code's cell, escaped or not.
    if (const TextCheck::Fault fault = TextCheck::check(code, TextCheck::Paragraphs))
        return fault.clause();
    return QString();
}

QString CaseCsv::numberCell(double value)
{
    // The shortest text that reads back as the same double; QString::number uses the C locale.
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString CaseCsv::line(const CaseRecord &record)
{
    QStringList cells = {codeCell(record.code),
                         record.baselineDate.toString(Qt::ISODate),
                         record.heightMetres ? numberCell(*record.heightMetres) : QString()};
    for (double value : record.predictors)
        cells << numberCell(value);
    for (double value : record.course)
        cells << numberCell(value);
    return cells.join(QLatin1Char(','));
}

bool CaseCsv::write(QIODevice *device, const QVector<CaseRecord> &records)
{
    const QByteArray lineEnd = QByteArrayLiteral("\r\n");
    if (device->write(headerLine().toUtf8() + lineEnd) < 0)
        return false;
    for (const CaseRecord &record : records) {
        if (device->write(line(record).toUtf8() + lineEnd) < 0)
            return false;
    }
    return true;
}

bool CaseCsv::save(const QString &fileName, const QVector<CaseRecord> &records, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
        || !write(&file, records) || !file.commit()) {
        *error = CasesTr::tr("The cases cannot be written to %1: %2")
                     .arg(QDir::toNativeSeparators(fileName), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
