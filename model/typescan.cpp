#include "model/typescan.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace TypeScan {

QStringList primitiveTypes()
{
    return {QStringLiteral("int"),
            QStringLiteral("double"),
            QStringLiteral("float"),
            QStringLiteral("string"),
            QStringLiteral("void"),
            QStringLiteral("unsigned short int"),
            QStringLiteral("unsigned long int"),
            QStringLiteral("short int"),
            QStringLiteral("long int"),
            QStringLiteral("quint"),
            QStringLiteral("qint"),
            QStringLiteral("bool")};
}

static QSet<QString> wordSet(const char *words)
{
    const QStringList list = QString::fromLatin1(words).split(QLatin1Char(' '));
    return QSet<QString>(list.begin(), list.end());
}

static bool isFundamentalWord(const QString &word)
{
    static const QSet<QString> words = wordSet(
        "void bool char wchar_t char8_t char16_t char32_t short int long signed unsigned float "
        "double auto");
    return words.contains(word);
}

// The standard header of a name of the standard library, or an empty text when the name
// is not one that the generator knows. Size and fixed-width integer types are also known
// without their "std::".
static QString standardHeader(const QString &name)
{
    static const QHash<QString, QString> headers = [] {
        QHash<QString, QString> map;
        const auto add = [&map](const char *header, const char *names) {
            for (const QString &name : wordSet(names))
                map.insert(name, QLatin1String(header));
        };
        add("string", "string wstring u16string u32string");
        add("string_view", "string_view");
        add("vector", "vector");
        add("map", "map multimap");
        add("set", "set multiset");
        add("unordered_map", "unordered_map unordered_multimap");
        add("unordered_set", "unordered_set unordered_multiset");
        add("list", "list");
        add("deque", "deque");
        add("array", "array");
        add("utility", "pair");
        add("tuple", "tuple");
        add("optional", "optional");
        add("variant", "variant");
        add("functional", "function");
        add("memory", "unique_ptr shared_ptr weak_ptr");
        add("chrono", "chrono");
        add("cstddef", "size_t ptrdiff_t nullptr_t");
        for (const char *sign : {"", "u"}) {
            for (const char *kind : {"", "_least", "_fast"}) {
                for (const char *bits : {"8", "16", "32", "64"})
                    map.insert(
                        QStringLiteral("%1int%2%3_t")
                            .arg(QLatin1String(sign), QLatin1String(kind), QLatin1String(bits)),
                        QStringLiteral("cstdint"));
            }
            map.insert(QLatin1String(sign) + QStringLiteral("intmax_t"), QStringLiteral("cstdint"));
            map.insert(QLatin1String(sign) + QStringLiteral("intptr_t"), QStringLiteral("cstdint"));
        }
        return map;
    }();
    static const QString std = QStringLiteral("std::");
    if (name.startsWith(std)) {
        // "std::chrono::seconds" is known by its namespace.
        const QString first = name.mid(std.size()).section(QStringLiteral("::"), 0, 0);
        return isIdentifier(first) ? headers.value(first) : QString();
    }
    // Without "std::" only the C names are standard; "vector" could be anyone's class.
    const QString header = headers.value(name);
    return header == QLatin1String("cstddef") || header == QLatin1String("cstdint") ? header
                                                                                    : QString();
}

// Letters, digits and "_" only: what nearly every type piece of a diagram is.
static bool isWordOnly(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
              || u == '_'))
            return false;
    }
    return true;
}

// A text over the characters of the view, to look it up in a set without copying it. It
// must not outlive them.
static QString borrowed(QStringView view)
{
    return QString::fromRawData(view.constData(), view.size());
}

// Keywords and primitive types all start with a lower-case letter, and class names seldom
// do: most names are told apart from them without a lookup.
static bool startsInLowerCase(QStringView name)
{
    return !name.isEmpty() && name.front() >= QLatin1Char('a') && name.front() <= QLatin1Char('z');
}

bool isPrimitive(QStringView name)
{
    // So few that a search, which compares lengths first, is quicker than a hash.
    static const QStringList primitives = primitiveTypes();
    return startsInLowerCase(name) && primitives.contains(name);
}

static bool isKeyword(QStringView word)
{
    static const QSet<QString> keywords = wordSet(
        "alignas alignof and and_eq asm auto bitand bitor bool break case catch char char8_t "
        "char16_t char32_t class compl concept const consteval constexpr constinit const_cast "
        "continue co_await co_return co_yield decltype default delete do double dynamic_cast else "
        "enum explicit export extern false float for friend goto if inline int long mutable "
        "namespace new noexcept not not_eq nullptr operator or or_eq private protected public "
        "register reinterpret_cast requires return short signed sizeof static static_assert "
        "static_cast struct switch template this thread_local throw true try typedef typeid "
        "typename union unsigned using virtual void volatile wchar_t while xor xor_eq");
    return startsInLowerCase(word) && keywords.contains(borrowed(word));
}

// The piece without the blanks, "*", "&" and ">" around it when that leaves one plain word,
// as nearly every piece is; an empty view otherwise.
static QStringView plainWord(QStringView piece)
{
    const auto around = [](QChar c) {
        const char16_t u = c.unicode();
        return u == '*' || u == '&' || u == '>' || (u < 0x80 && c.isSpace());
    };
    qsizetype first = 0;
    qsizetype end = piece.size();
    while (first < end && around(piece.at(first)))
        ++first;
    while (end > first && around(piece.at(end - 1)))
        --end;
    const QStringView word = piece.sliced(first, end - first);
    return isWordOnly(word) ? word : QStringView();
}

// Whether a plain word names a class. Qualifiers and fundamental types are keywords: the
// word names one unless it starts with a digit, or is a keyword or a primitive type.
static bool namesClass(QStringView word)
{
    return !word.front().isDigit() && !isKeyword(word) && !isPrimitive(word);
}

static QString wordName(QStringView word)
{
    return namesClass(word) ? word.toString() : QString();
}

QString includableName(const QString &piece)
{
    // Most types are one plain word: the name is then the type itself, shared, not copied.
    const QStringView plain = plainWord(piece);
    if (!plain.isEmpty() && plain.size() == piece.size())
        return namesClass(plain) ? piece : QString();
    return includableName(QStringView(piece));
}

QString includableName(QStringView piece)
{
    // A plain word is told without a copy of the piece or an expression match.
    const QStringView plain = plainWord(piece);
    if (!plain.isEmpty())
        return wordName(plain);

    static const QSet<QString> qualifiers =
        wordSet("const volatile struct class enum union typename");
    QString text = piece.toString();
    text.remove(QLatin1Char('*'));
    text.remove(QLatin1Char('>'));
    text.remove(QLatin1Char('&'));
    // Marks inside a word ("Po*int") leave a plain word once removed.
    const QStringView word = plainWord(text);
    if (!word.isEmpty())
        return wordName(word);
    static const QRegularExpression bounds(QStringLiteral("\\[[^\\]]*\\]"));
    text.remove(bounds);

    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = text.split(blanks, Qt::SkipEmptyParts);
    words.removeIf([](const QString &word) { return qualifiers.contains(word); });
    if (words.isEmpty())
        return QString();

    bool fundamental = true;
    for (const QString &word : std::as_const(words))
        fundamental = fundamental && isFundamentalWord(word);
    if (fundamental)
        return QString();

    const QString name = words.join(QLatin1Char(' '));
    if (isPrimitive(name))
        return QString();
    if (name.contains(QStringLiteral("::")))
        return standardHeader(name).isEmpty() ? QString() : name;
    return isIdentifier(name) ? name : QString();
}

// Unicode case mapping is slow and, for plain ASCII, only maps A-Z.
static QChar lowerAscii(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 'A' && u <= 'Z' ? QChar(u + ('a' - 'A')) : c;
}

QString lowerName(const QString &name)
{
    QString lower(name.size(), Qt::Uninitialized);
    QChar *out = lower.data();
    for (const QChar c : name) {
        if (c.unicode() >= 0x80)
            return name.toLower();
        *out++ = lowerAscii(c);
    }
    return lower;
}

QStringView lowerName(QStringView name, NameBuffer &buffer)
{
    buffer.resize(name.size());
    QChar *out = buffer.data();
    for (const QChar c : name) {
        if (c.unicode() >= 0x80) {
            const QString lower = name.toString().toLower();
            buffer.resize(lower.size());
            std::copy(lower.cbegin(), lower.cend(), buffer.begin());
            break;
        }
        *out++ = lowerAscii(c);
    }
    return QStringView(buffer.constData(), buffer.size());
}

QString headerName(const QString &name)
{
    const QString standard = standardHeader(name);
    if (!standard.isEmpty())
        return standard;
    // Toolkit classes are included by their bare name.
    if (name.startsWith(QLatin1Char('Q')))
        return name;
    // Lowered on the stack, so that the file name is made in one allocation.
    NameBuffer buffer;
    return lowerName(name, buffer) + QLatin1String(".h");
}

bool isIdentifier(QStringView text)
{
    return !text.isEmpty() && !text.front().isDigit() && isWordOnly(text) && !isKeyword(text);
}

} // namespace TypeScan
