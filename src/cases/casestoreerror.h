#ifndef CASESTOREERROR_H
#define CASESTOREERROR_H

#include <QString>

// Why the case book refused or failed, with a message for the user in plain words.
struct CaseStoreError {
    enum Kind {
        None,
        CannotCreate,  // the folder or file cannot be made or written
        NotCaseBook,   // another program's file, or not a database at all
        NewerSchema,   // written by a newer version of this program
        Damaged,       // a database of ours that cannot be read
        Busy,          // another copy of the program kept the database locked too long
        DiskFull,
        InvalidInput,  // a value outside what a case accepts; nothing was stored
        DuplicateCode,
        NotFound,
        Conflict,      // changed by someone else since it was read
        ServerUnavailable, // the clinic server cannot be reached or refused us (message says why)
        ConnectionLost, // the clinic server went away in the middle; nothing was saved, retry
        NoPermission,  // the server account may not do this
        ReadOnly,      // the book may only be read now (message says why); nothing was changed
        Failed,        // anything else the database reported
    };

    Kind kind = None;
    QString message;

    explicit operator bool() const { return kind != None; }
};

#endif // CASESTOREERROR_H
