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
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
    void refusesWhatIsNoFile_data();
    void refusesWhatIsNoFile();
    void narrowsFileOpenToOthers_data();
    void narrowsFileOpenToOthers();
    void opensReadOnlyBookAsItIs();
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

void TestCaseStoreSqlite::refusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("what");     // at the case book's place, or beside it
    QTest::addColumn<QString>("beside");   // suffix of the file made: "" for the book itself
    QTest::addColumn<QString>("message");  // part of the refusal
    QTest::newRow("named pipe") << "fifo" << "" << "is a named pipe (FIFO), not a case book file";
    QTest::newRow("folder") << "folder" << "" << "is a folder, not a case book file";
    QTest::newRow("socket") << "socket" << "" << "is a socket, not a case book file";
    QTest::newRow("link to a device") << "device" << "" << "is a symbolic link to a device";
    QTest::newRow("link to a pipe") << "link to fifo" << "" << "is a symbolic link to a named pipe";
    QTest::newRow("link to nothing") << "dangling" << "" << "symbolic link to a file that does not exist";
    QTest::newRow("pipe as journal") << "fifo" << "-wal" << "cases.sqlite-wal is a named pipe";
    QTest::newRow("device as shared memory") << "device" << "-shm" << "cases.sqlite-shm is a symbolic link to a device";
}

// What is no regular file is refused at once, before SQLite could hang on it or make files
// beside it, and is left as it was.
void TestCaseStoreSqlite::refusesWhatIsNoFile()
{
    QFETCH(QString, what);
    QFETCH(QString, beside);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString location = folder.filePath(QStringLiteral("cases.sqlite"));
    const QByteArray path = QFile::encodeName(location + beside);
    const QString pipe = folder.filePath(QStringLiteral("pipe"));
    if (what == "fifo") {
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    } else if (what == "folder") {
        QVERIFY(QDir().mkdir(location));
    } else if (what == "socket") {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        QCOMPARE(bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        close(fd);
    } else if (what == "device") {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), location + beside));
    } else if (what == "link to fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QFile::link(pipe, location));
    } else {
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("missing")), location));
    }
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    QElapsedTimer timer;
    timer.start();
    CaseStore store;
    QVERIFY(!store.open(location));
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(store.lastError().kind, CaseStoreError::CannotCreate);
    QVERIFY2(store.lastError().message.contains(message), qPrintable(store.lastError().message));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot), before);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/dev/null-journal")));
}

void TestCaseStoreSqlite::narrowsFileOpenToOthers_data()
{
    QTest::addColumn<QString>("beside");  // "" for the book itself
    QTest::addColumn<bool>("ours");
    QTest::newRow("empty file of ours") << "" << true;
    QTest::newRow("journal of ours") << "-wal" << true;
    QTest::newRow("another account's file") << "" << false;
}

// A file open to others is made ours alone when it is ours; another account's is refused
// with the reason and left as it was.
void TestCaseStoreSqlite::narrowsFileOpenToOthers()
{
    QFETCH(QString, beside);
    QFETCH(bool, ours);
    if (!ours && geteuid() != 0)
        QSKIP("only root can give a file to another account");
    QTemporaryDir folder;
    const QString location = folder.filePath(QStringLiteral("cases.sqlite"));
    const QString file = location + beside;
    QFile made(file);
    QVERIFY(made.open(QIODevice::WriteOnly));
    made.close();
    QCOMPARE(chmod(QFile::encodeName(file).constData(), 0644), 0);
    if (!ours)
        QCOMPARE(chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
    CaseStore store;
    QCOMPARE(store.open(location), ours);
    struct stat status;
    QCOMPARE(stat(QFile::encodeName(file).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, ours ? 0600u : 0644u);
    if (!ours) {
        QVERIFY2(store.lastError().message.contains(QStringLiteral("can be read by other users")),
                 qPrintable(store.lastError().message));
        QCOMPARE(QFileInfo(file).size(), 0);
    }
}

// A book its reader may not write opens to be read, leaves no -wal or -shm behind that would
// stop its owner's next write, and refuses a save in plain words.
void TestCaseStoreSqlite::opensReadOnlyBookAsItIs()
{
    QTemporaryDir folder;
    const QString location = folder.filePath(QStringLiteral("cases.sqlite"));
    {
        CaseStore store;
        QVERIFY(store.open(location));
        CaseRecord record = sampleCase(QStringLiteral("R-1"));
        QVERIFY(store.addCase(&record));
    }
    // Root may write anything: the reader is then an account without rights.
    const QByteArray path = QFile::encodeName(location);
    if (geteuid() == 0) {
        QCOMPARE(chown(QFile::encodeName(folder.path()).constData(), 65534, 65534), 0);
        QCOMPARE(chown(path.constData(), 65534, 65534), 0);
    }
    QCOMPARE(chmod(path.constData(), 0400), 0);
    QProcess child;
    QByteArray line;
    QVERIFY(startChild(&child, {"readonly", location, "R-2"}, &line));
    QCOMPARE(line, QByteArray("opened 1 read-only"));
    QVERIFY(child.waitForFinished(10000));
    const QByteArray refusal = child.readAll().trimmed();
    QVERIFY2(refusal.startsWith("refused The case book ") && refusal.contains("can only be read"), refusal);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cases.sqlite"});

    // Its owner writes it again once it may.
    QCOMPARE(chmod(path.constData(), 0600), 0);
    CaseStore store;
    QVERIFY(store.open(location));
    CaseRecord record = sampleCase(QStringLiteral("R-3"));
    QVERIFY2(store.addCase(&record), qPrintable(store.lastError().message));
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
