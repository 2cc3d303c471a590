#ifndef SOURCESPLITTER_H
#define SOURCESPLITTER_H

#include <QList>
#include <QString>

// Cuts a C++ source file into the top-level pieces that regeneration moves around:
// definitions of one class's methods, preprocessor lines, and everything else. It
// understands comments, string and character literals (raw strings too) and digit
// separators, and gives up rather than guess: unbalanced brackets, an unterminated
// literal or comment, or a definition of the class it cannot read make split() fail.
class SourceSplitter
{
public:
    struct Unit
    {
        enum Kind { Other, Directive, Definition };
        Kind kind = Other;
        int begin = 0;     // where the blanks and comments before the unit start
        int codeBegin = 0; // its first character of code
        int bodyBegin = 0; // definitions: the "{" of the body
        int end = 0;       // one past its last character
        // Definitions: the method's name and its argument types, without names,
        // default values or blanks, as one key.
        QString name;
        QString key;
    };

    bool split(const QString &text, const QString &className);
    const QList<Unit> &units() const { return m_units; }

private:
    struct Token
    {
        enum Kind { Word, Literal, Punct, Directive };
        Kind kind;
        int begin;
        int end;
    };

    bool lex();
    bool splitUnits();
    bool readCodeUnit(int *index);
    bool readDirectiveGroup(int *index);
    bool classify(Unit *unit, int first, int body) const;
    QString argumentKey(int open, int close) const;

    QStringView text(const Token &token) const;
    bool isPunct(int index, char c) const;
    bool isClassScope(int index) const;
    QString directiveName(const Token &token) const;

    QString m_text;
    QString m_className;
    QList<Token> m_tokens;
    QList<Unit> m_units;
    // The token that opens the body of the unit readCodeUnit() just read, or -1.
    int m_bodyToken = -1;
};

#endif // SOURCESPLITTER_H
