// A second copy of the program, as the SQLite fault tests need it: it saves cases or holds
// the write lock in its own process, so that it can be killed or raced against.
//   casestorechild save LOCATION PREFIX COUNT   prints "opened", then "saved CODE" after each
//                                               save that returned
//   casestorechild hold LOCATION MILLISECONDS   prints "held" once it holds the write lock
//   casestorechild readonly LOCATION CODE       as an account without rights when run as root:
//                                               prints "opened COUNT read-only|writable",
//                                               then "refused REASON" or "saved" for CODE
//   casestorechild take LOCATION CODE NEW MILLISECONDS
//                                               copies the case CODE as NEW in a transaction,
//                                               prints "held", commits after MILLISECONDS
#include "casefields.h"
#include "casestore.h"
#include "casestorefixture.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QThread>

#include <unistd.h>

static void say(const QByteArray &line)
{
    // Unbuffered: a line written is a line the parent reads, even if killed right after.
    const QByteArray text = line + '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, text.constData(), text.size());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    if (args[1] == QLatin1String("readonly") && geteuid() == 0
        && (setgid(65534) != 0 || setuid(65534) != 0))
        return 2;
    CaseStore store;
    if (!store.open(args[2])) {
        say("failed " + store.lastError().message.toUtf8());
        return 1;
    }
    if (args[1] == QLatin1String("hold")) {
        QSqlQuery query(store.database());
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return 1;
        say("held");
        QThread::msleep(args[3].toULong());
        return query.exec(QStringLiteral("COMMIT")) ? 0 : 1;
    }
    if (args[1] == QLatin1String("take") && args.size() == 6) {
        QSqlQuery query(store.database());
        QStringList columns;
        if (!query.exec(QStringLiteral("PRAGMA table_info(cases)")))
            return 1;
        while (query.next()) {
            const QString column = query.value(1).toString();
            if (column != QLatin1String("id") && !column.startsWith(QLatin1String("code")))
                columns << column;
        }
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return 1;
        query.prepare(QStringLiteral("INSERT INTO cases (code, code_folded, %1) SELECT ?, ?, %1 "
                                     "FROM cases WHERE code = ?")
                          .arg(columns.join(QStringLiteral(", "))));
        query.addBindValue(args[4]);
        query.addBindValue(CaseFields::foldedCode(args[4]));
        query.addBindValue(args[3]);
        if (!query.exec() || query.numRowsAffected() != 1)
            return 1;
        say("held");
        QThread::msleep(args[5].toULong());
        return query.exec(QStringLiteral("COMMIT")) ? 0 : 1;
    }
    if (args[1] == QLatin1String("readonly")) {
        say("opened " + QByteArray::number(store.caseCount())
            + (store.readOnlyReason().isEmpty() ? " writable" : " read-only"));
        CaseRecord record = sampleCase(args[3]);
        say(store.addCase(&record) ? QByteArray("saved")
                                   : "refused " + store.lastError().message.toUtf8());
        return 0;
    }
    say("opened");
    const int count = args.value(4).toInt();
    for (int i = 0; i < count; ++i) {
        const QString code = args[3] + QString::number(i);
        CaseRecord record = sampleCase(code, i);
        if (store.addCase(&record))
            say("saved " + code.toUtf8());
        else
            say("failed " + store.lastError().message.toUtf8());
    }
    return 0;
}
