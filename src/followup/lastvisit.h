#ifndef LASTVISIT_H
#define LASTVISIT_H

#include "visit.h"
#include "visitcomparison.h"

// A case's latest visit, set against its predicted course, as the case list shows it.
struct LastVisit {
    Visit visit;
    VisitComparison comparison;
};

#endif // LASTVISIT_H
