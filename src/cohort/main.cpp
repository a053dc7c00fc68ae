#include "cohortinput.h"
#include "cohortprediction.h"
#include "cohortvalidation.h"
#include "validationreport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
        *error = QStringLiteral("Cannot read %1: %2.").arg(name, file.errorString());
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
                              QStringLiteral("predict: write to <file> instead of standard output."),
                              QStringLiteral("file")};
    QCommandLineOption delimiter{QStringLiteral("delimiter"),
                                 QStringLiteral("The field delimiter: , ; or tab (default: found from the header line)."),
                                 QStringLiteral("char")};
    QCommandLineOption decimalComma{QStringLiteral("decimal-comma"),
                                    QStringLiteral("Numbers use a decimal comma (35,5); the delimiter is then ; or tab.")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("validate: print one JSON object.")};
    QCommandLineOption report{QStringLiteral("report"),
                              QStringLiteral("validate: write a one-page A4 validation report (PDF)."),
                              QStringLiteral("file.pdf")};
    QCommandLineOption plot{QStringLiteral("plot"),
                            QStringLiteral("validate: write the calibration plot (PNG or PDF)."),
                            QStringLiteral("file")};
    QCommandLineOption month{QStringLiteral("month"),
                             QStringLiteral("validate: the month of the plot (default: the last with data)."),
                             QStringLiteral("K")};
};

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
            *error = QStringLiteral("--delimiter takes , ; or tab, not “%1”.").arg(d);
            return false;
        }
        if (options->delimiter == ',' && options->mark == DecimalMark::Comma) {
            *error = QStringLiteral("With --decimal-comma the delimiter cannot be a comma.");
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
        *error = QStringLiteral("Cannot write %1: %2.").arg(name, file->errorString());
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
        return failure(QStringLiteral("Cannot write %1: %2.").arg(saved->fileName(), saved->errorString()));
    return input.rowsRefused() > 0 ? SomeRowsRefused : AllRowsUsed;
}

int validate(QFile &in, const QString &inName, const QCommandLineParser &parser, const Options &o,
             const CohortReadOptions &options)
{
    int month = 0;
    if (parser.isSet(o.month)) {
        bool ok = false;
        month = parser.value(o.month).toInt(&ok);
        if (!ok || month < 1 || month > CourseMonths)
            return failure(QStringLiteral("--month takes a month from 1 to %1.").arg(CourseMonths));
    }
    const bool pictures = parser.isSet(o.report) || parser.isSet(o.plot);
    // Said before a long read rather than after it.
    const QString plotSuffix = QFileInfo(parser.value(o.plot)).suffix().toLower();
    if (parser.isSet(o.plot) && plotSuffix != QLatin1String("png") && plotSuffix != QLatin1String("pdf"))
        return failure(QStringLiteral("--plot writes a .png or .pdf file."));

    CohortInput input(in, inName, options);
    input.setProgressShown(isatty(STDERR_FILENO) && in.size() > (64 << 20));
    CohortValidation validation;
    QString error;
    if (!validation.read(input, pictures, month, &error))
        return failure(error);

    if (pictures) {
        const ValidationReport report(validation, QFileInfo(inName).fileName(),
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
        std::fputs(qUtf8Printable(validation.text(inName)), stdout);
    }
    return validation.rowsRefused > 0 ? SomeRowsRefused : AllRowsUsed;
}

} // namespace

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
    parser.setApplicationDescription(QStringLiteral(
        "Predicts the BMI course of a whole cohort with model TELMA, and checks the model\n"
        "against observed outcomes.\n\n"
        "  predict IN.csv [-o OUT.csv]   every row with predicted_month_1..6 and error added\n"
        "  validate IN.csv [--json] [--report FILE.pdf] [--plot FILE.png|FILE.pdf] [--month K]\n\n"
        "IN.csv \"-\" is standard input. Exit status: 0 every row used, 1 some rows refused\n"
        "(listed on standard error), 2 usage or file error."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("predict or validate"));
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("The cohort file (CSV)."));
    const Options o;
    parser.addOptions({o.output, o.delimiter, o.decimalComma, o.json, o.report, o.plot, o.month});
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
    if (command != QLatin1String("predict") && command != QLatin1String("validate"))
        return failure(QStringLiteral("Say predict or validate (see --help)."));
    if (args.size() != 2)
        return failure(QStringLiteral("%1 takes one input file (see --help).").arg(command));
    const bool isPredict = command == QLatin1String("predict");
    for (const QCommandLineOption *option : {&o.json, &o.report, &o.plot, &o.month}) {
        if (isPredict && parser.isSet(option->names().constFirst()))
            return failure(QStringLiteral("--%1 belongs to validate.").arg(option->names().constFirst()));
    }
    if (!isPredict && parser.isSet(o.output))
        return failure(QStringLiteral("-o belongs to predict."));

    CohortReadOptions options;
    QString error;
    if (!readOptions(parser, o, &options, &error))
        return failure(error);
    QFile in;
    if (!openInput(in, args.at(1), &error))
        return failure(error);
    return isPredict ? predict(in, args.at(1), parser, o, options)
                     : validate(in, args.at(1), parser, o, options);
}
