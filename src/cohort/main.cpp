#include "cohortinput.h"
#include "cohortprediction.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

enum ExitStatus { AllPredicted = 0, SomeRefused = 1, UsageOrFileError = 2 };

int usageError(const QString &message)
{
    std::fprintf(stderr, "telma-cohort: %s\n", qUtf8Printable(message));
    return UsageOrFileError;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telma-cohort"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELMA_VERSION));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("predict"));
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("The cohort file (CSV)."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write to <file> instead of standard output."),
                                    QStringLiteral("file"));
    parser.addOption(output);
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return usageError(QStringLiteral("predict needs one input file"));

    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly))
        return usageError(QStringLiteral("Cannot read %1: %2.").arg(args.at(1), in.errorString()));

    CohortReadOptions options;
    CohortInput input(in, args.at(1), options);
    input.setProgressShown(isatty(STDERR_FILENO) && in.size() > (64 << 20));
    CohortPrediction prediction(options);

    std::unique_ptr<QFileDevice> out;
    if (parser.isSet(output)) {
        auto file = std::make_unique<QSaveFile>(parser.value(output));
        if (!file->open(QIODevice::WriteOnly))
            return usageError(QStringLiteral("Cannot write %1: %2.").arg(file->fileName(), file->errorString()));
        file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        out = std::move(file);
    } else {
        auto file = std::make_unique<QFile>();
        file->open(stdout, QIODevice::WriteOnly);
        out = std::move(file);
    }
    if (!prediction.run(input, *out))
        return usageError(prediction.error());
    if (auto *save = dynamic_cast<QSaveFile *>(out.get()); save && !save->commit())
        return usageError(QStringLiteral("Cannot write %1: %2.").arg(save->fileName(), save->errorString()));
    return input.rowsRefused() > 0 ? SomeRefused : AllPredicted;
}
