// What only a SQLite file has: file modes, the engine's settings, files that are not ours,
// and faults of the disk and of the process. The engine-neutral behaviour is in
// tst_casestore.
#include "casecsv.h"
#include "caseschema.h"
#include "casestore.h"
#include "casestorefixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QElapsedTimer>
#include <QTest>

#include <signal.h>
#include <unistd.h>

class TestCaseStoreSqlite : public QObject
{
    Q_OBJECT

private slots:
    void filesAreOwnerOnly();
    void keepsEngineSettings();
    void initialisesEmptyFile();
    void refusesFileUntouched_data();
    void refusesFileUntouched();
    void reportsUnwritableFolder();
    void backupIsOwnerOnly();
    void backupHoldsEveryCase();
    void exportIsOwnerOnly();
    void fullDiskKeepsEarlierCases();
    void waitsForAnotherWriter();
    void reportsWriterThatHoldsOn();
    void twoWritersLoseNothing();
    void killedWhileSavingLosesNothing();

private:
    static QFile::Permissions modeOf(const QString &path) { return QFileInfo(path).permissions(); }
    // Starts the second copy of the program and waits for its first line.
    static bool startChild(QProcess *child, const QStringList &args, QByteArray *firstLine);
    static bool integrityOk(CaseStore &store);
};

static const QFile::Permissions OwnerFile = QFile::ReadOwner | QFile::WriteOwner
                                            | QFile::ReadUser | QFile::WriteUser;
static const QFile::Permissions OwnerFolder = OwnerFile | QFile::ExeOwner | QFile::ExeUser;

bool TestCaseStoreSqlite::startChild(QProcess *child, const QStringList &args,
                                     QByteArray *firstLine)
{
    child->start(QStringLiteral(CASESTORE_CHILD), args);
    if (!child->waitForStarted(10000))
        return false;
    if (!firstLine)
        return true;
    while (!child->canReadLine()) {
        if (!child->waitForReadyRead(10000))
            return false;
    }
    *firstLine = child->readLine().trimmed();
    return true;
}

bool TestCaseStoreSqlite::integrityOk(CaseStore &store)
{
    QSqlQuery query(store.database());
    return query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next()
           && query.value(0).toString() == QLatin1String("ok");
}

void TestCaseStoreSqlite::filesAreOwnerOnly()
{
    QTemporaryDir top;
    const QString folder = top.filePath(QStringLiteral("made/for/cases"));
    const QString location = folder + QStringLiteral("/cases.sqlite");
    CaseStore store;
    QVERIFY(store.open(location));
    CaseRecord record = sampleCase(QStringLiteral("M-1"));
    QVERIFY(store.addCase(&record));
    // While open, SQLite keeps its journal (-wal) and shared memory (-shm) beside the file.
    for (const QString &file : {location, location + "-wal", location + "-shm"}) {
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        QCOMPARE(modeOf(file), OwnerFile);
    }
    for (const QString &made : {top.filePath("made"), top.filePath("made/for"), folder})
        QCOMPARE(modeOf(made), OwnerFolder);
    // A folder that was there before keeps its mode.
    QCOMPARE(modeOf(top.path()), QFileInfo(top.path()).permissions());
}

void TestCaseStoreSqlite::keepsEngineSettings()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    QSqlQuery query(store.database());
    const QList<QPair<QString, QString>> settings = {
        {"journal_mode", "wal"}, {"foreign_keys", "1"}, {"synchronous", "2"}};
    for (const auto &setting : settings) {
        QVERIFY(query.exec("PRAGMA " + setting.first) && query.next());
        QCOMPARE(query.value(0).toString(), setting.second);
    }
    QVERIFY(query.exec(QStringLiteral("PRAGMA busy_timeout")) && query.next());
    QVERIFY(query.value(0).toInt() >= 1000);
}

void TestCaseStoreSqlite::initialisesEmptyFile()
{
    const QString location = freshCaseBook();
    QVERIFY(QDir().mkpath(QFileInfo(location).absolutePath()));
    QFile empty(location);
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    CaseStore store;
    QVERIFY2(store.open(location), qPrintable(store.lastError().message));
    QCOMPARE(store.schemaVersion(), CaseSchema::latestVersion());
}

void TestCaseStoreSqlite::refusesFileUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("expected");
    QTest::newRow("random bytes") << "random" << int(CaseStoreError::NotCaseBook);
    QTest::newRow("a text file") << "text" << int(CaseStoreError::NotCaseBook);
    QTest::newRow("another program's database") << "foreign" << int(CaseStoreError::NotCaseBook);
    QTest::newRow("written by a newer version") << "newer" << int(CaseStoreError::NewerSchema);
    QTest::newRow("ours, damaged inside") << "damaged" << int(CaseStoreError::Damaged);
}

void TestCaseStoreSqlite::refusesFileUntouched()
{
    QFETCH(QString, kind);
    QFETCH(int, expected);
    const QString location = freshCaseBook();
    QVERIFY(QDir().mkpath(QFileInfo(location).absolutePath()));
    if (kind == "random" || kind == "text") {
        QFile file(location);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray bytes(8192, '\0');
        for (char &byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
        file.write(kind == "random" ? bytes : QByteArray("code,baseline_date\nA,2026-01-01\n"));
    } else if (kind == "foreign") {
        const QString name = QStringLiteral("foreign-program");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(location);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec("CREATE TABLE cases (id INTEGER, name TEXT)"));
            QVERIFY(query.exec("INSERT INTO cases VALUES (1, 'someone')"));
        }
        QSqlDatabase::removeDatabase(name);
    } else {
        CaseStore store;
        QVERIFY(store.open(location));
        for (int i = 0; i < 40; ++i) {
            CaseRecord record = sampleCase(QStringLiteral("D-%1").arg(i), i);
            QVERIFY(store.addCase(&record));
        }
        QSqlQuery query(store.database());
        if (kind == "newer")
            QVERIFY(query.exec("UPDATE telma_schema SET version = 1000"));
        // Closing checkpoints the journal into the file and removes it.
    }
    if (kind == "damaged") {
        // Keep the header and the first page (the list of tables), spoil every page after it.
        QFile file(location);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 3 * 4096);
        for (int i = 4096; i < bytes.size(); ++i)
            bytes[i] = char(0xA5 ^ i);
        file.seek(0);
        file.write(bytes);
    }
    QFile::setPermissions(location, OwnerFile);
    QFile before(location);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();

    CaseStore store;
    const bool opened = store.open(location);
    CaseRecord record = sampleCase(QStringLiteral("must not land"));
    // A damaged file may open; then reading or saving is what fails.
    if (opened && kind == "damaged") {
        QVector<CaseRecord> records;
        QVERIFY(!store.readCases({}, &records) || !store.addCase(&record));
    } else {
        QVERIFY(!opened);
    }
    QCOMPARE(int(store.lastError().kind), expected);
    QVERIFY(!store.lastError().message.isEmpty());
    store.close();

    QFile after(location);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QVERIFY2(after.readAll() == original, "the refused file was changed");
}

void TestCaseStoreSqlite::reportsUnwritableFolder()
{
    QTemporaryDir top;
    // A file where the folder would be: not even root can create the case book there.
    QFile blocker(top.filePath(QStringLiteral("not-a-folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const QString &location : {top.filePath("not-a-folder/cases.sqlite"),
                                    top.filePath("not-a-folder/deeper/cases.sqlite")}) {
        CaseStore store;
        QVERIFY(!store.open(location));
        QCOMPARE(store.lastError().kind, CaseStoreError::CannotCreate);
        QVERIFY(!store.lastError().message.isEmpty());
    }
    QCOMPARE(QFileInfo(blocker.fileName()).size(), 0);

    if (geteuid() == 0)
        return; // the owner-only check below is ignored for root
    QVERIFY(QDir().mkdir(top.filePath("locked")));
    QFile::setPermissions(top.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    CaseStore store;
    QVERIFY(!store.open(top.filePath("locked/cases.sqlite")));
    QCOMPARE(store.lastError().kind, CaseStoreError::CannotCreate);
}

void TestCaseStoreSqlite::backupIsOwnerOnly()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    CaseRecord record = sampleCase(QStringLiteral("K-1"));
    QVERIFY(store.addCase(&record));
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("backup.sqlite"));
    QFile existing(copy);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("older backup");
    existing.close();
    QVERIFY2(store.backup(copy), qPrintable(store.lastError().message));
    QCOMPARE(modeOf(copy), OwnerFile);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"backup.sqlite"});
}

void TestCaseStoreSqlite::backupHoldsEveryCase()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    QVector<CaseRecord> saved;
    for (int i = 0; i < 5; ++i) {
        saved.append(sampleCase(QStringLiteral("B-%1").arg(i), i));
        QVERIFY(store.addCase(&saved.last()));
    }
    const QString copy = freshCaseBook();
    CaseStore prepared; // makes the copy's folder, as a user would pick an existing one
    QVERIFY(prepared.open(copy));
    prepared.close();
    QVERIFY(QFile::remove(copy));
    QVERIFY2(store.backup(copy), qPrintable(store.lastError().message));
    CaseStore restored;
    QVERIFY2(restored.open(copy), qPrintable(restored.lastError().message));
    QVector<CaseRecord> read;
    QVERIFY(restored.readCases({}, &read));
    QCOMPARE(read.size(), saved.size());
    for (int i = 0; i < saved.size(); ++i)
        compareCaseValues(read[i], saved[i]);
}

void TestCaseStoreSqlite::exportIsOwnerOnly()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("cases.csv"));
    QString error;
    QVERIFY2(CaseCsv::save(fileName, {sampleCase(QStringLiteral("E-1"))}, &error),
             qPrintable(error));
    QCOMPARE(modeOf(fileName), OwnerFile);
    // A place that cannot be written: a message, and nothing left behind.
    QVERIFY(!CaseCsv::save(folder.filePath(QStringLiteral("cases.csv/inside.csv")),
                           {sampleCase(QStringLiteral("E-1"))}, &error));
    QVERIFY(error.contains(QStringLiteral("inside.csv")));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cases.csv"});
}

void TestCaseStoreSqlite::fullDiskKeepsEarlierCases()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    CaseRecord first = sampleCase(QStringLiteral("F-0"));
    QVERIFY(store.addCase(&first));
    // The database may not grow beyond its present pages: a full disk, as SQLite sees it.
    QSqlQuery query(store.database());
    QVERIFY(query.exec(QStringLiteral("PRAGMA page_count")) && query.next());
    QVERIFY(query.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(query.value(0).toInt())));
    int saved = 1;
    for (int i = 1; i < 2000; ++i) {
        CaseRecord record = sampleCase(QStringLiteral("F-%1").arg(i), i);
        record.sources[1] = QString(200, QLatin1Char('x')); // fills pages faster
        if (!store.addCase(&record))
            break;
        ++saved;
    }
    QCOMPARE(store.lastError().kind, CaseStoreError::DiskFull);
    QVERIFY(store.lastError().message.contains(QStringLiteral("full")));
    QCOMPARE(store.caseCount(), saved);
    QVERIFY(integrityOk(store));
    // The failed save left no trace: no answers or trail rows without their case.
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM case_audit")) && query.next());
    QCOMPARE(query.value(0).toInt(), saved);
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(DISTINCT case_id) FROM case_answers"))
            && query.next());
    QCOMPARE(query.value(0).toInt(), saved);
}

void TestCaseStoreSqlite::waitsForAnotherWriter()
{
    const QString location = freshCaseBook();
    { CaseStore prepare; QVERIFY(prepare.open(location)); }
    QProcess child;
    QByteArray line;
    QVERIFY(startChild(&child, {"hold", location, "700"}, &line));
    QCOMPARE(line, QByteArray("held"));
    CaseStore store;
    QVERIFY(store.open(location));
    CaseRecord record = sampleCase(QStringLiteral("W-1"));
    QElapsedTimer timer;
    timer.start();
    QVERIFY2(store.addCase(&record), qPrintable(store.lastError().message));
    QVERIFY(timer.elapsed() >= 100); // it did wait for the other copy
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(store.caseCount(), 1);
}

void TestCaseStoreSqlite::reportsWriterThatHoldsOn()
{
    const QString location = freshCaseBook();
    { CaseStore prepare; QVERIFY(prepare.open(location)); }
    QProcess child;
    QByteArray line;
    QVERIFY(startChild(&child, {"hold", location, "3000"}, &line));
    QCOMPARE(line, QByteArray("held"));
    CaseStore store;
    store.setBusyTimeout(200);
    QVERIFY(store.open(location));
    CaseRecord record = sampleCase(QStringLiteral("W-2"));
    QVERIFY(!store.addCase(&record));
    QCOMPARE(store.lastError().kind, CaseStoreError::Busy);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(store.caseCount(), 0);
    // Once the other copy is done, the same save goes through.
    QVERIFY(store.addCase(&record));
}

void TestCaseStoreSqlite::twoWritersLoseNothing()
{
    const QString location = freshCaseBook();
    { CaseStore prepare; QVERIFY(prepare.open(location)); }
    QProcess first, second;
    QVERIFY(startChild(&first, {"save", location, "one-", "40"}, nullptr));
    QVERIFY(startChild(&second, {"save", location, "two-", "40"}, nullptr));
    QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
    const QByteArray output = first.readAllStandardOutput() + second.readAllStandardOutput();
    QCOMPARE(output.count("saved "), 80);
    CaseStore store;
    QVERIFY(store.open(location));
    QCOMPARE(store.caseCount(), 80);
    QVERIFY(integrityOk(store));
}

void TestCaseStoreSqlite::killedWhileSavingLosesNothing()
{
    const QString location = freshCaseBook();
    { CaseStore prepare; QVERIFY(prepare.open(location)); }
    QStringList acknowledged;
    for (int run = 0; run < 100; ++run) {
        QProcess child;
        QByteArray line;
        QVERIFY(startChild(&child, {"save", location, QStringLiteral("k%1-").arg(run), "1000"},
                           &line));
        QCOMPARE(line, QByteArray("opened"));
        // Anywhere in the first few saves, mostly in the middle of one.
        QThread::usleep(QRandomGenerator::global()->bounded(0, 30000));
        ::kill(child.processId(), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            if (line.startsWith("saved "))
                acknowledged << QString::fromUtf8(line.mid(6));
        }
    }
    CaseStore store;
    QVERIFY2(store.open(location), qPrintable(store.lastError().message));
    QVERIFY(integrityOk(store));
    QVERIFY(!acknowledged.isEmpty());
    for (const QString &code : std::as_const(acknowledged)) {
        QVector<CaseSummary> found;
        QVERIFY(store.summaries(code, QString(), 2, &found));
        QVERIFY2(!found.isEmpty() && found[0].code == code, qPrintable(code));
        CaseRecord read;
        QVERIFY(store.readCase(found[0].id, &read));
        compareCaseValues(read, sampleCase(code, code.section('-', 1).toInt()));
    }
    // Every stored case is whole, acknowledged or not (one may have committed just as the
    // process died), and has its one trail entry.
    QVector<CaseRecord> all;
    QVERIFY(store.readCases({}, &all));
    QVERIFY(all.size() >= acknowledged.size());
    QSqlQuery query(store.database());
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM case_audit")) && query.next());
    QCOMPARE(query.value(0).toInt(), all.size());
    for (const CaseRecord &record : all)
        compareCaseValues(record, sampleCase(record.code, record.code.section('-', 1).toInt()));
    qInfo("%d saves acknowledged, %d cases stored", int(acknowledged.size()), int(all.size()));
}

QTEST_GUILESS_MAIN(TestCaseStoreSqlite)
#include "tst_casestoresqlite.moc"
