#ifndef CASESTORELOCATION_H
#define CASESTORELOCATION_H

#include <QString>

// Where the case book lives: the file named by the environment variable TELMA_DATABASE, or
// cases.sqlite in the user's application data folder.
class CaseStoreLocation
{
public:
    // TELMA_DATABASE, else the clinic server chosen under "Database…", else localFile().
    static QString defaultLocation();
    // The case book file in the user's application data folder.
    static QString localFile();
    // The folders it had to create, made 0700; the file itself, when missing, created empty
    // and 0600 so that SQLite's own files (-wal, -shm) follow that mode. False with a
    // message when the folder or file cannot be made, and, before anything opens it, when
    // the path (or its -wal, -shm or -journal beside it) is no regular file (a folder, named
    // pipe, device or socket, also behind a symbolic link), cannot be read, or can be reached
    // by other users and belongs to another account; a file of ours open to others is made
    // 0600. readOnly tells whether we may only read it.
    static bool prepareFile(const QString &path, bool *readOnly, QString *error);
};

#endif // CASESTORELOCATION_H
