#include "calibrationbuilder.h"

#include "cohorttr.h"
#include "calibrationoutput.h"
#include "calibrationstore.h"
#include "caseauditchain.h"
#include "casebookcalibration.h"
#include "casebookcohort.h"
#include "casebookimport.h"
#include "casecsv.h"
#include "casestore.h"
#include "casestorelocation.h"
#include "clinicrange.h"
#include "cohortinput.h"
#include "cohortprediction.h"
#include "cohortvalidation.h"
#include "fhirbundlewriter.h"
#include "fhircasebook.h"
#include "fhirimport.h"
#include "textcheck.h"
#include "validationreport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

enum ExitStatus { AllRowsUsed = 0, SomeRowsRefused = 1, UsageOrFileError = 2 };

int failure(const QString &message)
{
    std::fprintf(stderr, "telma-cohort: %s\n", qUtf8Printable(message));
    return UsageOrFileError;
}

// Input "-" is standard input.
bool openInput(QFile &file, const QString &name, QString *error)
{
    const bool ok = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                               : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!ok)
        *error = CohortTr::tr("Cannot read %1: %2.").arg(name, file.errorString());
    return ok;
}

// The figures only make sense with a picture toolkit when a report or plot is asked for;
// a command-line tool must also work without any display.
bool wantsPictures(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--report", 8) == 0 || std::strncmp(argv[i], "--plot", 6) == 0)
            return true;
    }
    return false;
}

struct Options {
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              CohortTr::tr("predict: write to <file> instead of standard output."),
                              QStringLiteral("file")};
    QCommandLineOption delimiter{QStringLiteral("delimiter"),
                                 CohortTr::tr("The field delimiter: , ; or tab (default: found from the header line)."),
                                 QStringLiteral("char")};
    QCommandLineOption decimalComma{QStringLiteral("decimal-comma"),
                                    CohortTr::tr("Numbers use a decimal comma (35,5); the delimiter is then ; or tab.")};
    QCommandLineOption json{QStringLiteral("json"), CohortTr::tr("validate, calibrate: print one JSON object.")};
    QCommandLineOption report{QStringLiteral("report"),
                              CohortTr::tr("validate: write a one-page A4 validation report (PDF)."),
                              QStringLiteral("file.pdf")};
    QCommandLineOption plot{QStringLiteral("plot"),
                            CohortTr::tr("validate: write the calibration plot (PNG or PDF)."),
                            QStringLiteral("file")};
    QCommandLineOption month{QStringLiteral("month"),
                             CohortTr::tr("validate: the month of the plot (default: the last with data)."),
                             QStringLiteral("K")};
    QCommandLineOption database{QStringLiteral("database"),
                                CohortTr::tr("import, export, validate --cases, calibrate: the case book "
                                            "(default: as the program's TELMA_DATABASE)."),
                                QStringLiteral("D")};
    QCommandLineOption cases{QStringLiteral("cases"),
                             CohortTr::tr("validate, calibrate: on the case book's own cases and visits.")};
    QCommandLineOption use{QStringLiteral("use"),
                           CohortTr::tr("calibrate: store the calibration in the case book as the one in use.")};
    QCommandLineOption code{QStringLiteral("code"),
                            CohortTr::tr("fhir-export: only the case with this code (repeatable)."),
                            QStringLiteral("CODE")};
    QCommandLineOption trailNoted{
        QStringLiteral("trail-noted"),
        CohortTr::tr("import, fhir-import, calibrate --use: write even though the case book's audit "
                    "trail does not fit (audit --verify names where); the command says so.")};
    QCommandLineOption verify{QStringLiteral("verify"),
                              CohortTr::tr("audit: check the whole audit trail's chain and guards.")};
    QCommandLineOption identifierSystem{
        QStringLiteral("identifier-system"),
        CohortTr::tr("fhir-export, fhir-import: the system of the case code in Patient.identifier "
                    "(default: TELMA_FHIR_CASE_CODE_SYSTEM, else urn:telma:case-code)."),
        QStringLiteral("URI")};
};

// The system the case code is known under in FHIR files, or empty after saying why not.
QString caseCodeSystem(const QCommandLineParser &parser, const Options &o, QString *error)
{
    const QString system = parser.isSet(o.identifierSystem) ? parser.value(o.identifierSystem)
                                                            : FhirTerms::caseCodeSystem();
    const QString problem = FhirTerms::caseCodeSystemProblem(system);
    if (!problem.isEmpty()) {
        *error = CohortTr::tr("The case code system %1.").arg(problem);
        return QString();
    }
    return system;
}

enum class Access { Read, Write };

// The case book the window uses, unless --database names another. A command that writes is
// refused before it reads its input when the book's audit trail does not fit, unless
// --trail-noted takes note of it as the window's "I Have Taken Note" does.
bool openCaseBook(CaseStore &store, const QCommandLineParser &parser, const Options &o, QString *error,
                  Access access = Access::Read)
{
    const QString location =
        parser.isSet(o.database) ? parser.value(o.database) : CaseStoreLocation::defaultLocation();
    if (!store.open(location)) {
        *error = store.lastError().message;
        return false;
    }
    if (access == Access::Read || store.trailProblem().isEmpty())
        return true;
    if (!parser.isSet(o.trailNoted)) {
        *error = CohortTr::tr("The case book's audit trail does not fit: %1\nNothing was written. "
                             "Once the trail has been looked into, --trail-noted writes nonetheless.")
                     .arg(store.trailProblem());
        return false;
    }
    store.acknowledgeTrailProblem();
    std::fprintf(stderr, "%s\n",
                 qUtf8Printable(CohortTr::tr("telma-cohort: writing with --trail-noted, although the audit "
                                             "trail does not fit: %1")
                                    .arg(store.trailProblem())));
    return true;
}

bool readOptions(const QCommandLineParser &parser, const Options &o, CohortReadOptions *options,
                 QString *error)
{
    if (parser.isSet(o.decimalComma))
        options->mark = DecimalMark::Comma;
    if (parser.isSet(o.delimiter)) {
        const QString d = parser.value(o.delimiter);
        if (d == QLatin1String(",") || d == QLatin1String(";"))
            options->delimiter = d.at(0).toLatin1();
        else if (d == QLatin1String("tab") || d == QLatin1String("\\t") || d == QLatin1String("\t"))
            options->delimiter = '\t';
        else {
            *error = CohortTr::tr("--delimiter takes , ; or tab, not “%1”.").arg(d);
            return false;
        }
        if (options->delimiter == ',' && options->mark == DecimalMark::Comma) {
            *error = CohortTr::tr("With --decimal-comma the delimiter cannot be a comma.");
            return false;
        }
    }
    return true;
}

// Opens a file that is only replaced once it has been written whole; owner-only, as it
// holds people's data.
std::unique_ptr<QSaveFile> openOutput(const QString &name, QString *error)
{
    auto file = std::make_unique<QSaveFile>(name);
    if (!file->open(QIODevice::WriteOnly)) {
        *error = CohortTr::tr("Cannot write %1: %2.").arg(name, file->errorString());
        return nullptr;
    }
    file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file;
}

int predict(QFile &in, const QString &inName, const QCommandLineParser &parser, const Options &o,
            const CohortReadOptions &options)
{
    QString error;
    std::unique_ptr<QSaveFile> saved;
    QFile standardOutput;
    QIODevice *out = &standardOutput;
    if (parser.isSet(o.output)) {
        saved = openOutput(parser.value(o.output), &error);
        if (!saved)
            return failure(error);
        out = saved.get();
    } else {
        standardOutput.open(stdout, QIODevice::WriteOnly);
    }

    CohortInput input(in, inName, options);
    input.setProgressShown(isatty(STDERR_FILENO) && in.size() > (64 << 20));
    CohortPrediction prediction(options);
    if (!prediction.run(input, *out))
        return failure(prediction.error()); // the save file is discarded
    if (saved && !saved->commit())
        return failure(CohortTr::tr("Cannot write %1: %2.").arg(saved->fileName(), saved->errorString()));
    return input.rowsRefused() > 0 ? SomeRowsRefused : AllRowsUsed;
}

// in is null with --cases: then the case book's own cases and visits are the cohort.
int validate(QFile *in, const QString &inName, const QCommandLineParser &parser, const Options &o,
             const CohortReadOptions &options)
{
    int month = 0;
    if (parser.isSet(o.month)) {
        bool ok = false;
        month = parser.value(o.month).toInt(&ok);
        if (!ok || month < 1 || month > CourseMonths)
            return failure(CohortTr::tr("--month takes a month from 1 to %1.").arg(CourseMonths));
    }
    const bool pictures = parser.isSet(o.report) || parser.isSet(o.plot);
    // Said before a long read rather than after it.
    const QString plotSuffix = QFileInfo(parser.value(o.plot)).suffix().toLower();
    if (parser.isSet(o.plot) && plotSuffix != QLatin1String("png") && plotSuffix != QLatin1String("pdf"))
        return failure(CohortTr::tr("--plot writes a .png or .pdf file."));

    CohortValidation validation;
    QString error;
    QString sourceName = inName;
    if (in) {
        CohortInput input(*in, inName, options);
        input.setProgressShown(isatty(STDERR_FILENO) && in->size() > (64 << 20));
        if (!validation.read(input, pictures, month, &error))
            return failure(error);
    } else {
        CaseStore store;
        if (!openCaseBook(store, parser, o, &error))
            return failure(error);
        sourceName = CohortTr::tr("the case book %1").arg(store.location());
        validation.begin(pictures, month);
        // A page of cases at a time.
        const auto each = [&validation](const CaseBookCohort::Row &row) {
            const CohortRecord record = CaseBookCohort::cohortRecord(row);
            if (!record.error.isEmpty())
                std::fprintf(stderr, "%s: %s\n", qUtf8Printable(row.record.code), qUtf8Printable(record.error));
            validation.add(record, CohortTr::tr("case %1").arg(row.record.code));
            return true;
        };
        if (!CaseBookCohort::forEach(store, each))
            return failure(store.lastError().message);
        validation.finish();
    }

    if (pictures) {
        const ValidationReport report(validation, in ? QFileInfo(inName).fileName() : sourceName,
                                      QCoreApplication::applicationVersion());
        if (parser.isSet(o.plot) && !report.savePlot(parser.value(o.plot), &error))
            return failure(error);
        if (parser.isSet(o.report) && !report.savePdf(parser.value(o.report), &error))
            return failure(error);
    }

    if (parser.isSet(o.json)) {
        const QByteArray json = validation.json();
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    } else {
        std::fputs(qUtf8Printable(validation.text(sourceName)), stdout);
    }
    return validation.rowsRefused > 0 ? SomeRowsRefused : AllRowsUsed;
}

// The file's SHA-256, read once before the cohort is; standard input is copied to a temporary
// file (owner-only) for that, as it cannot be read twice and may be larger than memory.
bool hashInput(QFile &in, QTemporaryFile *kept, QString *sha256, QString *error)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (in.isSequential()) {
        if (!kept->open()) {
            *error = CohortTr::tr("Cannot keep standard input in a temporary file: %1.")
                         .arg(kept->errorString());
            return false;
        }
        QByteArray block(CohortInput::BlockSize, Qt::Uninitialized);
        qint64 got = 0;
        while ((got = in.read(block.data(), block.size())) > 0) {
            hash.addData(QByteArrayView(block.constData(), got));
            if (kept->write(block.constData(), got) != got) {
                *error = CohortTr::tr("Cannot keep standard input in a temporary file: %1.")
                             .arg(kept->errorString());
                return false;
            }
        }
        if (got < 0 || !kept->seek(0)) {
            *error = CohortTr::tr("Cannot read standard input: %1.").arg(in.errorString());
            return false;
        }
    } else if (!hash.addData(&in) || !in.seek(0)) {
        *error = CohortTr::tr("Cannot read %1: %2.").arg(in.fileName(), in.errorString());
        return false;
    }
    *sha256 = QString::fromLatin1(hash.result().toHex());
    return true;
}

// in is null with --cases: then the case book's own cases and visits are the cohort.
int calibrate(QFile *in, const QString &inName, const QCommandLineParser &parser, const Options &o,
              const CohortReadOptions &options)
{
    CalibrationBuilder builder;
    qint64 refused = 0;
    QString error;
    QString sourceName = inName;
    Calibration calibration;
    CaseStore store;
    const bool use = parser.isSet(o.use);
    // Said before a long read rather than after it.
    if ((use || !in) && !openCaseBook(store, parser, o, &error, use ? Access::Write : Access::Read))
        return failure(error);
    if (in) {
        QTemporaryFile kept;
        QString sha256;
        if (!hashInput(*in, &kept, &sha256, &error))
            return failure(error);
        CohortInput input(in->isSequential() ? static_cast<QIODevice &>(kept) : *in, inName, options);
        input.setProgressShown(isatty(STDERR_FILENO) && in->size() > (64 << 20));
        const auto onHeader = [](const CsvRow &, const CohortColumns &columns) {
            return columns.hasObserved()
                ? QString()
                : CohortTr::tr("The header line has no observed column bmi_month_1 to bmi_month_6.");
        };
        const auto onRecord = [&](const CsvRow &, const CohortRecord &record) {
            if (!CaseBookCalibration::add(builder, record))
                ++refused;
        };
        if (!input.read(onHeader, onRecord))
            return failure(input.error());
        calibration = builder.calibration();
        calibration.modelVersion = QCoreApplication::applicationVersion();
        calibration.sourceFile = inName == QLatin1String("-") ? CohortTr::tr("standard input")
                                                             : QFileInfo(inName).fileName();
        calibration.sourceSha256 = sha256;
    } else {
        QStringList refusals;
        if (!CaseBookCalibration::make(store, QCoreApplication::applicationVersion(), &calibration,
                                       &refusals))
            return failure(store.lastError().message);
        for (const QString &refusal : std::as_const(refusals))
            std::fprintf(stderr, "%s\n", qUtf8Printable(refusal));
        refused = refusals.size();
        sourceName = CohortTr::tr("the case book %1").arg(store.location());
    }

    if (use) {
        if (ClinicRange(calibration).isEmpty())
            return failure(CohortTr::tr("No month has %1 or more people observed, so there is no "
                                       "range; nothing was put in use.")
                               .arg(CalibrationBuilder::MinimumPeople));
        if (!CalibrationStore(store).add(&calibration, true))
            return failure(store.lastError().message);
    }
    if (parser.isSet(o.json)) {
        const QByteArray json = calibrationJson(calibration);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    } else {
        std::fputs(qUtf8Printable(calibrationText(calibration, sourceName)), stdout);
        if (use)
            std::printf("%s", qUtf8Printable(CohortTr::tr("\nIn use in the case book %1.\n")
                                                 .arg(store.location())));
    }
    return refused > 0 ? SomeRowsRefused : AllRowsUsed;
}

int importCases(QFile &in, const QString &inName, const QCommandLineParser &parser, const Options &o,
                const CohortReadOptions &options)
{
    CaseStore store;
    QString error;
    if (!openCaseBook(store, parser, o, &error, Access::Write))
        return failure(error);
    CohortInput input(in, inName, options);
    CaseBookImport import(store, QCoreApplication::applicationVersion());
    const QByteArray name = inName.toLocal8Bit();
    // Listed as they are found, so that a file of many refused rows is not held.
    import.setRefusalHandler([&name](const CaseBookImport::Refusal &refusal) {
        std::fprintf(stderr, "%s:%lld: %s\n", name.constData(), static_cast<long long>(refusal.line),
                     qUtf8Printable(refusal.reason));
    });
    const CaseBookImport::Outcome outcome = import.run(input);
    if (outcome == CaseBookImport::Failed)
        return failure(import.error());
    if (outcome == CaseBookImport::RowsRefused) {
        const QString refused = CohortTr::tr("telma-cohort: nothing was imported: %1 of %2 rows refused.\n");
        std::fprintf(stderr, "%s", qUtf8Printable(refused.arg(import.refusalCount()).arg(import.rowsRead())));
        return SomeRowsRefused;
    }
    const QString imported = import.rowsRead() == 1 ? CohortTr::tr("%1 case imported into %2.\n")
                                                    : CohortTr::tr("%1 cases imported into %2.\n");
    std::printf("%s", qUtf8Printable(imported.arg(QString::number(import.rowsRead()), store.location())));
    return AllRowsUsed;
}

int exportCases(const QCommandLineParser &parser, const Options &o)
{
    CaseStore store;
    QString error;
    if (!openCaseBook(store, parser, o, &error))
        return failure(error);
    // Written all the same, as a copy of the book; but import would refuse these codes. Named
    // once the file is whole, as before it was streamed.
    QStringList stranded;
    const auto seen = [&stranded](const CaseBookCohort::Row &row) {
        const QString refusal = CaseCsv::codeCellRefusal(row.record.code);
        if (!refusal.isEmpty())
            stranded << CohortTr::tr("telma-cohort: the code of case %1 (shown as “%2”) %3, which "
                                     "no file can carry back: give the case another code before "
                                     "it is imported elsewhere.\n")
                            .arg(QString::number(row.record.id), TextCheck::visible(row.record.code), refusal);
    };
    // The book is read and written a page of cases at a time.
    if (parser.isSet(o.output)) {
        if (!CaseBookCohort::saveBook(store, parser.value(o.output), seen, &error))
            return failure(error);
    } else {
        QFile standardOutput;
        bool readFailed = false;
        if (!standardOutput.open(stdout, QIODevice::WriteOnly)
            || !CaseBookCohort::writeBook(store, &standardOutput, seen, &readFailed))
            return failure(readFailed ? store.lastError().message
                                      : CohortTr::tr("Cannot write to standard output."));
    }
    for (const QString &message : std::as_const(stranded))
        std::fprintf(stderr, "%s", qUtf8Printable(message));
    return stranded.isEmpty() ? AllRowsUsed : SomeRowsRefused;
}

int fhirExport(const QCommandLineParser &parser, const Options &o)
{
    QString error;
    const QString system = caseCodeSystem(parser, o, &error);
    if (system.isEmpty())
        return failure(error);
    CaseStore store;
    if (!openCaseBook(store, parser, o, &error))
        return failure(error);
    FhirCaseBook book(store);
    // Only the asked cases are held; the whole book is written a page of cases at a time.
    QVector<FhirCase> asked;
    if (parser.isSet(o.code)) {
        const QStringList codes = parser.values(o.code);
        if (!book.forEach([&](const FhirCase &c) {
                if (codes.contains(c.record.code))
                    asked.append(c);
                return true;
            }))
            return failure(book.error());
        for (const QString &code : codes) {
            if (std::none_of(asked.cbegin(), asked.cend(),
                             [&code](const FhirCase &c) { return c.record.code == code; }))
                return failure(CohortTr::tr("No case has the code “%1”.").arg(code));
        }
    }
    const auto each = [&](const std::function<bool(const FhirCase &)> &write) {
        if (parser.isSet(o.code))
            return std::all_of(asked.cbegin(), asked.cend(), write);
        bool written = true;
        const bool read = book.forEach([&](const FhirCase &c) { return written = write(c); });
        if (!read && written)
            error = book.error();
        return read;
    };
    const FhirBundleWriter writer(system);
    if (parser.isSet(o.output)) {
        if (!writer.save(parser.value(o.output), each, &error))
            return failure(error);
        return AllRowsUsed;
    }
    QFile standardOutput;
    if (!standardOutput.open(stdout, QIODevice::WriteOnly) || !writer.write(&standardOutput, each))
        return failure(!error.isEmpty() ? error : CohortTr::tr("Cannot write to standard output."));
    return AllRowsUsed;
}

int fhirImport(const QString &fileName, const QCommandLineParser &parser, const Options &o)
{
    QString error;
    const QString system = caseCodeSystem(parser, o, &error);
    if (system.isEmpty())
        return failure(error);
    CaseStore store;
    if (!openCaseBook(store, parser, o, &error, Access::Write))
        return failure(error);
    FhirCaseBook book(store);
    FhirImport import(book, system);
    const FhirImport::Outcome outcome = import.runFile(fileName);
    if (outcome == FhirImport::Failed)
        return failure(import.error());
    const QByteArray name = QFileInfo(fileName).fileName().toLocal8Bit();
    if (outcome == FhirImport::Refused) {
        for (const FhirImport::Note &refusal : import.refusals())
            std::fprintf(stderr, "%s: entry %d: %s\n", name.constData(), refusal.entry,
                         qUtf8Printable(refusal.text));
        const long long count = import.refusals().size();
        const QString refused = count == 1
            ? CohortTr::tr("telma-cohort: nothing was imported: %1 observation cannot be used.\n")
            : CohortTr::tr("telma-cohort: nothing was imported: %1 observations cannot be used.\n");
        std::fprintf(stderr, "%s", qUtf8Printable(refused.arg(count)));
        return SomeRowsRefused;
    }
    for (const FhirImport::Note &note : import.notes())
        std::printf("%s: entry %d: %s\n", name.constData(), note.entry, qUtf8Printable(note.text));
    std::printf("%s\n", qUtf8Printable(import.summary()));
    return AllRowsUsed;
}

} // namespace

// The whole audit trail: every entry chained to the one before, and the guards in place.
int auditVerify(const QCommandLineParser &parser, const Options &o)
{
    CaseStore store;
    QString error;
    if (!openCaseBook(store, parser, o, &error))
        return failure(error);
    CaseAuditChain::Finding finding;
    if (!CaseAuditChain(store.connection()).verify(0, &finding))
        return failure(store.lastError().message);
    if (!finding.fits()) {
        std::fprintf(stderr, "telma-cohort: %s\n", qUtf8Printable(finding.problem));
        return SomeRowsRefused;
    }
    std::printf("%s", qUtf8Printable(CohortTr::tr("The audit trail of %1 fits: %2 entries, each chained to "
                                                  "the one before, and its guards are in place.\n")
                                         .arg(store.location(), QString::number(finding.checked))));
    return AllRowsUsed;
}

int main(int argc, char *argv[])
{
    std::unique_ptr<QCoreApplication> app;
    if (wantsPictures(argc, argv)) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("telma-cohort"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELMA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(CohortTr::tr(
        "Predicts the BMI course of a whole cohort with model TELMA, and checks the model\n"
        "against observed outcomes.\n\n"
        "  predict IN.csv [-o OUT.csv]   every row with predicted_month_1..6 and error added\n"
        "  validate IN.csv [--json] [--report FILE.pdf] [--plot FILE.png|FILE.pdf] [--month K]\n"
        "  validate --cases [--database D] [same options]   on the case book's cases and visits\n"
        "  calibrate (IN.csv | --cases) [--database D] [--json] [--use]   the clinic's range per\n"
        "                                month; --use puts it in use in the case book\n"
        "  import IN.csv [--database D]  every row as a case with its visits; all rows or none\n"
        "  export [--database D] [-o OUT.csv]   the case book with bmi_month_1..6 observed\n"
        "  fhir-export [--database D] [--code CODE ...] [-o FILE.json]   cases and visits as a\n"
        "                                FHIR R4 Bundle\n"
        "  fhir-import FILE.json [--database D]   a FHIR Bundle's BMI, weight and height as\n"
        "                                visits; all or none\n"
        "  audit --verify [--database D]  checks the whole audit trail: exit 1 naming the first\n"
        "                                entry that does not fit\n\n"
        "IN.csv \"-\" is standard input. Exit status: 0 every row used, 1 some rows refused\n"
        "(listed on standard error), 2 usage or file error."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 CohortTr::tr("predict, validate, calibrate, import, export, fhir-export, "
                                             "fhir-import or audit"));
    parser.addPositionalArgument(QStringLiteral("input"), CohortTr::tr("The cohort file (CSV)."));
    const Options o;
    parser.addOptions({o.output, o.delimiter, o.decimalComma, o.json, o.report, o.plot, o.month,
                       o.database, o.cases, o.use, o.code, o.identifierSystem, o.verify,
                       o.trailNoted});
    if (!parser.parse(QCoreApplication::arguments()))
        return failure(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return AllRowsUsed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("telma-cohort %s\n", TELMA_VERSION);
        return AllRowsUsed;
    }

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    const QStringList commands{QStringLiteral("predict"), QStringLiteral("validate"),
                               QStringLiteral("calibrate"), QStringLiteral("import"),
                               QStringLiteral("export"), QStringLiteral("fhir-export"),
                               QStringLiteral("fhir-import"), QStringLiteral("audit")};
    if (!commands.contains(command))
        return failure(CohortTr::tr("Say predict, validate, calibrate, import, export, fhir-export or "
                                   "fhir-import, or audit --verify (see --help)."));
    const bool isPredict = command == QLatin1String("predict");
    const bool isValidate = command == QLatin1String("validate");
    const bool isCalibrate = command == QLatin1String("calibrate");
    const bool fromCases = (isValidate || isCalibrate) && parser.isSet(o.cases);
    const bool takesFile = !fromCases && command != QLatin1String("export")
        && command != QLatin1String("fhir-export") && command != QLatin1String("audit");
    if (takesFile && args.size() != 2)
        return failure(CohortTr::tr("%1 takes one input file (see --help).").arg(command));
    if (!takesFile && args.size() != 1)
        return failure(CohortTr::tr("%1 reads the case book, not a file (see --help).")
                           .arg(fromCases ? command + QStringLiteral(" --cases") : command));
    // Which command each option belongs to.
    const std::pair<const QCommandLineOption *, QStringList> belongs[] = {
        {&o.output, {"predict", "export", "fhir-export"}}, {&o.json, {"validate", "calibrate"}},
        {&o.report, {"validate"}},          {&o.plot, {"validate"}},
        {&o.month, {"validate"}},           {&o.cases, {"validate", "calibrate"}},
        {&o.use, {"calibrate"}},
        {&o.delimiter, {"predict", "validate", "calibrate", "import"}},
        {&o.decimalComma, {"predict", "validate", "calibrate", "import"}},
        {&o.database, {"import", "export", "validate", "calibrate", "fhir-export", "fhir-import", "audit"}},
        {&o.verify, {"audit"}},
        {&o.trailNoted, {"import", "fhir-import", "calibrate"}},
        {&o.code, {"fhir-export"}},
        {&o.identifierSystem, {"fhir-export", "fhir-import"}},
    };
    for (const auto &[option, owners] : belongs) {
        const QString name = option->names().constLast();
        if (parser.isSet(name) && !owners.contains(command))
            return failure(CohortTr::tr("%1%2 belongs to %3.")
                               .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name,
                                    owners.join(CohortTr::tr(" or "))));
    }
    if (isValidate && !fromCases && parser.isSet(o.database))
        return failure(CohortTr::tr("--database belongs to validate --cases."));
    if (isCalibrate && !fromCases && !parser.isSet(o.use) && parser.isSet(o.database))
        return failure(CohortTr::tr("--database belongs to calibrate --cases or calibrate --use."));
    if (isCalibrate && !parser.isSet(o.use) && parser.isSet(o.trailNoted))
        return failure(CohortTr::tr("--trail-noted belongs to calibrate --use."));
    if (fromCases && (parser.isSet(o.delimiter) || parser.isSet(o.decimalComma)))
        return failure(CohortTr::tr("%1 --cases reads no file: --delimiter and --decimal-comma do not apply.")
                           .arg(command));

    if (command == QLatin1String("audit")) {
        if (!parser.isSet(o.verify))
            return failure(CohortTr::tr("audit takes --verify (see --help)."));
        return auditVerify(parser, o);
    }
    if (command == QLatin1String("export"))
        return exportCases(parser, o);
    if (command == QLatin1String("fhir-export"))
        return fhirExport(parser, o);
    if (command == QLatin1String("fhir-import"))
        return fhirImport(args.at(1), parser, o);
    if (fromCases)
        return isCalibrate ? calibrate(nullptr, QString(), parser, o, CohortReadOptions())
                           : validate(nullptr, QString(), parser, o, CohortReadOptions());

    CohortReadOptions options;
    QString error;
    if (!readOptions(parser, o, &options, &error))
        return failure(error);
    QFile in;
    if (!openInput(in, args.at(1), &error))
        return failure(error);
    if (isPredict)
        return predict(in, args.at(1), parser, o, options);
    if (isValidate)
        return validate(&in, args.at(1), parser, o, options);
    if (isCalibrate)
        return calibrate(&in, args.at(1), parser, o, options);
    return importCases(in, args.at(1), parser, o, options);
}
