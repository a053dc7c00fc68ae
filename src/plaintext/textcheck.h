#ifndef TEXTCHECK_H
#define TEXTCHECK_H

#include <QString>

#include <string_view>

// Whether a text is one the program may store exactly as it came: valid UTF-8 (or UTF-16
// without lone surrogates), no NUL, no control characters but a tab or line break where the
// field may hold one, and no byte-order mark (U+FEFF), which a reader takes only at the start
// of a file and would otherwise vanish from sight. Nothing is ever repaired: a text is taken
// or refused with where and why.
class TextCheck
{
public:
    enum Allowed {
        Line = 0,        // one line of text, such as a code
        Tabs = 1,
        LineBreaks = 2,  // LF, CR, U+2028 and U+2029
        Paragraphs = Tabs | LineBreaks, // a note
    };

    struct Fault {
        // Where the offending character starts, in bytes of the text's UTF-8 form from 0;
        // -1 when the text passes.
        qsizetype offset = -1;
        // What it is, as the end of a clause: "invalid UTF-8 (byte 0xFF)", "a tab",
        // "the control character U+001B (ESC)".
        QString what;
        explicit operator bool() const { return offset >= 0; }
        // "holds invalid UTF-8 (byte 0xFF) at byte 3".
        QString clause() const;
    };

    static Fault check(std::string_view utf8, int allowed);
    static Fault check(const QString &text, int allowed);

    // The text fit to be shown on a terminal or in a message: each C0 control character as
    // its picture (U+2401 for U+0001), any other control or format character as U+FFFD.
    static QString visible(const QString &text);
};

#endif // TEXTCHECK_H
