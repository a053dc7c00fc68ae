#ifndef COHORTPREDICTION_H
#define COHORTPREDICTION_H

#include "cohortinput.h"

#include <QString>

class QIODevice;

// The predict command: every row of a cohort file written back with the predicted BMI of
// months 1 to 6 and an error text added; a refused row keeps its fields and gets empty
// predictions and the reason.
class CohortPrediction
{
public:
    explicit CohortPrediction(const CohortReadOptions &options);

    // False on a file error (input or output), which error() states.
    bool run(CohortInput &input, QIODevice &output);

    QString error() const { return m_error; }

private:
    CohortReadOptions m_options;
    QString m_error;
};

#endif // COHORTPREDICTION_H
