#include "model/typescan.h"

#include <QRegularExpression>

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

static bool isFundamentalWord(const QString &word)
{
    static const QStringList words = {
        QStringLiteral("void"),     QStringLiteral("bool"),    QStringLiteral("char"),
        QStringLiteral("wchar_t"),  QStringLiteral("char8_t"), QStringLiteral("char16_t"),
        QStringLiteral("char32_t"), QStringLiteral("short"),   QStringLiteral("int"),
        QStringLiteral("long"),     QStringLiteral("signed"),  QStringLiteral("unsigned"),
        QStringLiteral("float"),    QStringLiteral("double"),  QStringLiteral("auto")};
    return words.contains(word);
}

QString includableName(const QString &piece, const QStringList &primitives)
{
    QString text = piece;
    text.remove(QLatin1Char('*'));
    text.remove(QLatin1Char('>'));
    text.remove(QLatin1Char('&'));

    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = text.split(blanks, Qt::SkipEmptyParts);
    words.removeAll(QStringLiteral("const"));
    words.removeAll(QStringLiteral("volatile"));
    if (words.isEmpty())
        return QString();

    bool fundamental = true;
    for (const QString &word : std::as_const(words))
        fundamental = fundamental && isFundamentalWord(word);
    if (fundamental)
        return QString();

    const QString name = words.join(QLatin1Char(' '));
    if (primitives.contains(name) || name.contains(QStringLiteral("::")))
        return QString();
    return name;
}

} // namespace TypeScan
