// Writes the FHIR exports of a small case book into a folder, for the schema and profile
// check (fhir/checkbundle.py): the whole book, one chosen case, an empty book, and the book
// exported again after its own export was imported into an empty one.
#include "casestore.h"
#include "fhirbundlewriter.h"
#include "fhircasebook.h"
#include "fhirimport.h"
#include "fhirsamplebook.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool exportBook(CaseStore &store, const QString &fileName, const QString &onlyCode = QString())
{
    FhirCaseBook book(store);
    QVector<FhirCase> cases;
    if (!book.read({}, &cases))
        return false;
    if (!onlyCode.isEmpty())
        cases.erase(std::remove_if(cases.begin(), cases.end(),
                                   [&](const FhirCase &c) { return c.record.code != onlyCode; }),
                    cases.end());
    QString error;
    if (!FhirBundleWriter().save(fileName, cases, &error)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fhirsample FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    QTemporaryDir books;
    CaseStore small, empty, again;
    if (!small.open(books.filePath(QStringLiteral("small.sqlite"))) || !fillSmallBook(small)
        || !empty.open(books.filePath(QStringLiteral("empty.sqlite")))
        || !again.open(books.filePath(QStringLiteral("again.sqlite")))) {
        std::fprintf(stderr, "cannot make the case books\n");
        return 1;
    }
    const QString whole = out.filePath(QStringLiteral("small-book.json"));
    if (!exportBook(small, whole) || !exportBook(small, out.filePath(QStringLiteral("one-case.json")), QStringLiteral("C3"))
        || !exportBook(empty, out.filePath(QStringLiteral("empty-book.json"))))
        return 1;
    FhirCaseBook book(again);
    FhirImport import(book);
    if (import.runFile(whole) != FhirImport::Imported) {
        std::fprintf(stderr, "the export does not import: %s\n", qUtf8Printable(import.error()));
        return 1;
    }
    return exportBook(again, out.filePath(QStringLiteral("exported-again.json"))) ? 0 : 1;
}
