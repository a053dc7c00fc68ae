#ifndef QUESTIONNAIRETABLE_H
#define QUESTIONNAIRETABLE_H

#include <vector>

// How the answer boxes' row keys are spelled: "1" to "20", or "1" to "9" then "A" to "D".
enum class RowKeys { Digits, LettersAfterNine };

// What keeps an incomplete form from being accepted.
enum class AnswerGate {
    None,               // OK always available
    CloseUntilComplete, // the only button is Close until every shown row is answered
    WholeButtonBox,     // OK and Cancel both disabled until every row is answered
};

// One scale of a questionnaire: its item texts (untranslated), or none where the form
// itself carries the texts.
struct QuestionnaireScale {
    const char *const *items;
    int itemCount;
};

template <int N>
constexpr QuestionnaireScale scaleOf(const char *const (&items)[N])
{
    return {items, N};
}

// Everything that sets one questionnaire apart from the others; the answer texts and the
// header labels are in its form.
struct QuestionnaireTable {
    const char *context;           // translation context of the item texts
    int rowCount;                  // item rows in the form, shown or not
    int optionCount;               // answer boxes per row
    RowKeys rowKeys;
    int lowestWeight;              // of the leftmost answer; each answer to its right adds 1
    std::vector<int> reverseKeyed; // items, counted from 1, weighted right to left
    AnswerGate gate;
    std::vector<QuestionnaireScale> scales;
};

#endif // QUESTIONNAIRETABLE_H
