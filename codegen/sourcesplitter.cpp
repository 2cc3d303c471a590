#include "codegen/sourcesplitter.h"

#include <QSet>

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

QChar closerOf(QChar opener)
{
    if (opener == QLatin1Char('('))
        return QLatin1Char(')');
    if (opener == QLatin1Char('['))
        return QLatin1Char(']');
    return QLatin1Char('}');
}

} // namespace

bool SourceSplitter::split(const QString &text, const QString &className)
{
    m_text = text;
    m_className = className;
    m_tokens.clear();
    m_units.clear();
    return lex() && splitUnits();
}

QStringView SourceSplitter::text(const Token &token) const
{
    return QStringView(m_text).mid(token.begin, token.end - token.begin);
}

bool SourceSplitter::isPunct(int index, char c) const
{
    if (index < 0 || index >= m_tokens.size())
        return false;
    const Token &token = m_tokens.at(index);
    if (token.kind != Token::Punct)
        return false;
    if (c == ':')
        return token.end - token.begin == 2; // "::" is one token, a lone ":" another
    return token.end - token.begin == 1 && m_text.at(token.begin) == QLatin1Char(c);
}

bool SourceSplitter::isClassScope(int index) const
{
    return index + 1 < m_tokens.size() && m_tokens.at(index).kind == Token::Word
           && text(m_tokens.at(index)) == m_className && isPunct(index + 1, ':');
}

QString SourceSplitter::directiveName(const Token &token) const
{
    int i = token.begin + 1;
    while (i < token.end && m_text.at(i).isSpace())
        ++i;
    const int start = i;
    while (i < token.end && m_text.at(i).isLetter())
        ++i;
    return m_text.mid(start, i - start);
}

bool SourceSplitter::lex()
{
    const QString &s = m_text;
    const int n = int(s.size());
    // Returns the index of the line end that closes a "//" comment starting at j.
    const auto lineCommentEnd = [&s, n](int j) {
        while (j < n && s.at(j) != QLatin1Char('\n'))
            j += (s.at(j) == QLatin1Char('\\') && j + 1 < n) ? 2 : 1;
        return j;
    };
    // One past the closing quote of the literal opened at j, or -1.
    const auto quotedEnd = [&s, n](int j) {
        const QChar quote = s.at(j);
        for (++j; j < n; ++j) {
            const QChar c = s.at(j);
            if (c == QLatin1Char('\\'))
                ++j;
            else if (c == QLatin1Char('\n'))
                return -1;
            else if (c == quote)
                return j + 1;
        }
        return -1;
    };
    const auto at = [&s, n](int j, char c) { return j < n && s.at(j) == QLatin1Char(c); };

    bool lineStart = true;
    int i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\n')) {
            lineStart = true;
            ++i;
            continue;
        }
        // A byte order mark counts as a blank.
        if (c.isSpace() || c == QChar(0xFEFF)) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('/') && at(i + 1, '/')) {
            i = lineCommentEnd(i);
            continue;
        }
        if (c == QLatin1Char('/') && at(i + 1, '*')) {
            const int close = int(s.indexOf(QLatin1String("*/"), i + 2));
            if (close < 0)
                return false;
            i = close + 2;
            continue;
        }
        const int start = i;
        if (c == QLatin1Char('#') && lineStart) {
            int j = i + 1;
            while (j < n && s.at(j) != QLatin1Char('\n')) {
                if (s.at(j) == QLatin1Char('\\')) {
                    j += 2;
                } else if (s.at(j) == QLatin1Char('/') && at(j + 1, '*')) {
                    const int close = int(s.indexOf(QLatin1String("*/"), j + 2));
                    if (close < 0)
                        return false;
                    j = close + 2;
                } else if (s.at(j) == QLatin1Char('/') && at(j + 1, '/')) {
                    j = lineCommentEnd(j);
                } else if (s.at(j) == QLatin1Char('"')) {
                    j = quotedEnd(j);
                    if (j < 0)
                        return false;
                } else {
                    ++j;
                }
            }
            i = qMin(j, n);
            m_tokens.append({Token::Directive, start, i});
            continue;
        }
        lineStart = false;
        if (isWordStart(c)) {
            int j = i + 1;
            while (j < n && isWordChar(s.at(j)))
                ++j;
            const QStringView word = QStringView(s).mid(i, j - i);
            if (at(j, '"')
                && (word == u"R" || word == u"u8R" || word == u"uR" || word == u"UR"
                    || word == u"LR")) {
                const int open = int(s.indexOf(QLatin1Char('('), j + 1));
                if (open < 0 || open - j - 1 > 16)
                    return false;
                const QString closing =
                    QLatin1Char(')') + s.mid(j + 1, open - j - 1) + QLatin1Char('"');
                const int close = int(s.indexOf(closing, open + 1));
                if (close < 0)
                    return false;
                i = close + int(closing.size());
                m_tokens.append({Token::Literal, start, i});
                continue;
            }
            if ((at(j, '"') || at(j, '\''))
                && (word == u"L" || word == u"u" || word == u"U" || word == u"u8")) {
                i = quotedEnd(j);
                if (i < 0)
                    return false;
                m_tokens.append({Token::Literal, start, i});
                continue;
            }
            i = j;
            m_tokens.append({Token::Word, start, i});
            continue;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s.at(i + 1).isDigit())) {
            int j = i + 1;
            while (j < n) {
                const QChar d = s.at(j);
                if (isWordChar(d) || d == QLatin1Char('.'))
                    ++j;
                else if (d == QLatin1Char('\'') && j + 1 < n && isWordChar(s.at(j + 1)))
                    j += 2; // a digit separator, not a character literal
                else if ((d == QLatin1Char('+') || d == QLatin1Char('-'))
                         && QStringLiteral("eEpP").contains(s.at(j - 1)))
                    ++j;
                else
                    break;
            }
            i = j;
            m_tokens.append({Token::Literal, start, i});
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            i = quotedEnd(i);
            if (i < 0)
                return false;
            m_tokens.append({Token::Literal, start, i});
            continue;
        }
        i += (c == QLatin1Char(':') && at(i + 1, ':')) ? 2 : 1;
        m_tokens.append({Token::Punct, start, i});
    }
    return true;
}

bool SourceSplitter::splitUnits()
{
    int index = 0;
    int previousEnd = 0;
    while (index < m_tokens.size()) {
        const int first = index;
        const Token &token = m_tokens.at(index);
        Unit unit;
        if (token.kind == Token::Directive) {
            const QString name = directiveName(token);
            if (name.startsWith(QLatin1String("if"))) {
                if (!readDirectiveGroup(&index))
                    return false;
            } else if (name.startsWith(QLatin1String("el")) || name == QLatin1String("endif")) {
                return false;
            } else {
                unit.kind = Unit::Directive;
                ++index;
            }
        } else if (!readCodeUnit(&index) || !classify(&unit, first, m_bodyToken)) {
            return false;
        }
        unit.begin = previousEnd;
        unit.codeBegin = m_tokens.at(first).begin;
        unit.end = m_tokens.at(index - 1).end;
        previousEnd = unit.end;
        m_units.append(unit);
    }
    // Comments after the last piece of code.
    int rest = previousEnd;
    while (rest < m_text.size() && m_text.at(rest).isSpace())
        ++rest;
    if (rest < m_text.size()) {
        Unit tail;
        tail.begin = previousEnd;
        tail.codeBegin = rest;
        tail.end = int(m_text.size());
        m_units.append(tail);
    }
    return true;
}

bool SourceSplitter::readDirectiveGroup(int *index)
{
    const QString opening = text(m_tokens.at(*index)).toString().simplified();
    // A block switched off is taken whole, whatever it holds: regeneration writes such
    // blocks itself.
    const bool disabled = opening == QLatin1String("#if 0");
    int depth = 0;
    QList<QChar> closers;
    for (int i = *index; i < m_tokens.size(); ++i) {
        const Token &token = m_tokens.at(i);
        if (token.kind == Token::Directive) {
            const QString name = directiveName(token);
            if (name.startsWith(QLatin1String("if")))
                ++depth;
            else if (name == QLatin1String("endif") && --depth == 0) {
                *index = i + 1;
                return disabled || closers.isEmpty();
            }
            continue;
        }
        if (disabled)
            continue;
        // A definition of the class inside a condition cannot be moved safely.
        if (isClassScope(i))
            return false;
        if (token.kind != Token::Punct || token.end - token.begin != 1)
            continue;
        const QChar c = m_text.at(token.begin);
        if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{'))
            closers.append(closerOf(c));
        else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (closers.isEmpty() || closers.takeLast() != c)
                return false;
        }
    }
    return false;
}

bool SourceSplitter::readCodeUnit(int *index)
{
    const int first = *index;
    const int count = int(m_tokens.size());
    const Token &lead = m_tokens.at(first);
    const QStringView leadWord = lead.kind == Token::Word ? text(lead) : QStringView();
    // Blocks whose closing brace ends them without a ";" after it.
    const bool blockLike = leadWord == u"namespace" || leadWord == u"extern"
                           || (leadWord == u"inline" && first + 1 < count
                               && text(m_tokens.at(first + 1)) == u"namespace");
    QList<QChar> closers;
    bool headParen = false;
    bool initList = false;
    m_bodyToken = -1;
    for (int i = first; i < count; ++i) {
        const Token &token = m_tokens.at(i);
        // A preprocessor line inside a declaration, outside any bracket, could hide or
        // change what the declaration is.
        if (token.kind == Token::Directive && closers.isEmpty())
            return false;
        if (token.kind != Token::Punct)
            continue;
        const QChar c = m_text.at(token.begin);
        const bool single = token.end - token.begin == 1;
        if (closers.isEmpty() && single) {
            if (c == QLatin1Char(';')) {
                *index = i + 1;
                m_bodyToken = -1;
                return true;
            }
            if (c == QLatin1Char('('))
                headParen = true;
            else if (c == QLatin1Char(':') && headParen)
                initList = true;
            else if (c == QLatin1Char('{') && m_bodyToken < 0 && (headParen || blockLike)) {
                // In a constructor's initialiser list, "m_a{1}" is not the body.
                const bool braceInit =
                    initList && (m_tokens.at(i - 1).kind == Token::Word || isPunct(i - 1, '>'));
                if (!braceInit)
                    m_bodyToken = i;
            }
        }
        if (!single)
            continue;
        if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            closers.append(closerOf(c));
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (closers.isEmpty() || closers.takeLast() != c)
                return false;
            if (closers.isEmpty() && c == QLatin1Char('}') && m_bodyToken >= 0) {
                *index = i + 1 + (isPunct(i + 1, ';') ? 1 : 0);
                return true;
            }
        }
    }
    // The text ends inside a declaration or a block.
    return false;
}

bool SourceSplitter::classify(Unit *unit, int first, int body) const
{
    unit->kind = Unit::Other;
    if (body < 0)
        return true;
    const Token &lead = m_tokens.at(first);
    if (lead.kind == Token::Word
        && (text(lead) == u"namespace" || text(lead) == u"extern" || text(lead) == u"inline")) {
        // A definition of the class inside a namespace block would be kept twice.
        int depth = 0;
        for (int i = body; i < m_tokens.size(); ++i) {
            if (isPunct(i, '{'))
                ++depth;
            else if (isPunct(i, '}') && --depth == 0)
                break;
            else if (depth == 1 && isClassScope(i))
                return false;
        }
        return true;
    }

    int open = -1;
    bool scoped = false;
    bool scopedLater = false; // after the first "(": "MACRO(x) void Class::f()" is unclear
    int depth = 0;
    for (int i = first; i < body; ++i) {
        if (depth == 0 && isClassScope(i)) {
            scoped = true;
            scopedLater = open >= 0;
        }
        if (isPunct(i, '(') || isPunct(i, '[')) {
            if (depth == 0 && open < 0 && isPunct(i, '('))
                open = i;
            ++depth;
        } else if (isPunct(i, ')') || isPunct(i, ']')) {
            --depth;
        }
    }
    if (!scoped || open < 0)
        return true;
    const auto word = [this](int i) {
        return i >= 0 && m_tokens.at(i).kind == Token::Word ? text(m_tokens.at(i)).toString()
                                                            : QString();
    };
    QString name = word(open - 1);
    int scope = open - 2;
    if (isPunct(scope, '~')) {
        name.prepend(QLatin1Char('~'));
        --scope;
    }
    if (name.isEmpty() || !isPunct(scope, ':') || word(scope - 1) != m_className) {
        // A free function that returns one of the class's types is no definition of it;
        // anything else naming the class's scope is not understood.
        return !scopedLater && !name.isEmpty() && !name.startsWith(QLatin1Char('~'))
               && !isPunct(scope, ':');
    }

    int close = open;
    for (depth = 0; close < body; ++close) {
        if (isPunct(close, '('))
            ++depth;
        else if (isPunct(close, ')') && --depth == 0)
            break;
    }
    unit->kind = Unit::Definition;
    unit->name = name;
    unit->key = name + QLatin1Char('(') + argumentKey(open, close) + QLatin1Char(')');
    unit->bodyBegin = m_tokens.at(body).begin;
    return true;
}

QString SourceSplitter::argumentKey(int open, int close) const
{
    static const QSet<QString> typeWords = {
        QStringLiteral("int"),     QStringLiteral("char"),     QStringLiteral("long"),
        QStringLiteral("short"),   QStringLiteral("double"),   QStringLiteral("float"),
        QStringLiteral("bool"),    QStringLiteral("void"),     QStringLiteral("unsigned"),
        QStringLiteral("signed"),  QStringLiteral("auto"),     QStringLiteral("wchar_t"),
        QStringLiteral("char8_t"), QStringLiteral("char16_t"), QStringLiteral("char32_t"),
        QStringLiteral("const"),   QStringLiteral("volatile")};
    static const QSet<QString> qualifiers = {QStringLiteral("const"),   QStringLiteral("volatile"),
                                             QStringLiteral("struct"),  QStringLiteral("class"),
                                             QStringLiteral("enum"),    QStringLiteral("union"),
                                             QStringLiteral("typename")};

    QStringList types;
    QList<int> current;
    const auto finish = [&]() {
        // The last word is the argument's name when a type stands before it.
        if (current.size() >= 2 && m_tokens.at(current.last()).kind == Token::Word
            && !typeWords.contains(text(m_tokens.at(current.last())).toString())
            && !isPunct(current.last() - 1, ':')) {
            bool typeLeft = false;
            for (int k = 0; k + 1 < current.size(); ++k) {
                const Token &token = m_tokens.at(current.at(k));
                typeLeft =
                    typeLeft
                    || (token.kind == Token::Word && !qualifiers.contains(text(token).toString()));
            }
            if (typeLeft)
                current.removeLast();
        }
        QString type;
        bool lastWasWord = false;
        for (const int k : std::as_const(current)) {
            const Token &token = m_tokens.at(k);
            const bool isWord = token.kind == Token::Word || token.kind == Token::Literal;
            if (isWord && lastWasWord)
                type += QLatin1Char(' ');
            type += text(token);
            lastWasWord = isWord;
        }
        if (!type.isEmpty())
            types.append(type);
        current.clear();
    };

    int depth = 0;
    int angles = 0;
    bool defaulted = false;
    for (int i = open + 1; i < close; ++i) {
        if (m_tokens.at(i).kind == Token::Directive)
            continue;
        if (depth == 0 && angles == 0 && isPunct(i, ',')) {
            finish();
            defaulted = false;
            continue;
        }
        if (isPunct(i, '(') || isPunct(i, '[') || isPunct(i, '{'))
            ++depth;
        else if (isPunct(i, ')') || isPunct(i, ']') || isPunct(i, '}'))
            --depth;
        else if (!defaulted && depth == 0 && isPunct(i, '<'))
            ++angles;
        else if (!defaulted && depth == 0 && angles > 0 && isPunct(i, '>'))
            --angles;
        else if (!defaulted && depth == 0 && angles == 0 && isPunct(i, '='))
            defaulted = true;
        if (!defaulted)
            current.append(i);
    }
    finish();
    if (types == QStringList{QStringLiteral("void")})
        types.clear();
    return types.join(QLatin1Char(','));
}
