#ifndef XMLSCANNER_H
#define XMLSCANNER_H

#include <QByteArrayView>
#include <QHash>
#include <QLatin1String>
#include <QList>
#include <QString>

#include <cstring>
#include <vector>

// Reads the plain XML that our writer produces several times faster than QXmlStreamReader:
// ASCII names, UTF-8 or ISO-8859-1, the predefined entities and character references,
// elements, attributes and white space between them. Anything else (a document type,
// comments, processing instructions, CDATA, other encodings) and any fault make it give up,
// so that the caller hands the whole document to QXmlStreamReader, which then decides.
// What it accepts, that reader accepts too, with the same elements and values.
class XmlScanner
{
public:
    enum Token { StartElement, EndElement, EndDocument, GaveUp };

    // A value is decoded only when asked for: many are numbers, read from the bytes.
    struct Attribute
    {
        QLatin1String name;
        // The value as it stands between the quotes, references unresolved.
        QLatin1String written;
        // The value when it held references (resolved while checking them), else null.
        QString resolved;
    };

    // The document must outlive the scanner: names point into it.
    explicit XmlScanner(QByteArrayView document);

    // Once it has given up, or reached the end, it stays there.
    Token readNext();

    // The element just started or ended; the attributes of the one just started.
    QLatin1String name() const { return m_name; }
    const std::vector<Attribute> &attributes() const { return m_attributes; }
    // The text of one of those values.
    QString value(const Attribute &attribute);
    // 1 inside the document element, 2 inside its children...
    int depth() const { return int(m_open.size()); }

private:
    // A short value as written. Most lookups find theirs: the bytes are compared in place
    // rather than through the general comparison.
    struct ValueKey
    {
        QByteArrayView bytes;
        friend bool operator==(ValueKey a, ValueKey b) noexcept
        {
            return a.bytes.size() == b.bytes.size()
                   && std::memcmp(a.bytes.data(), b.bytes.data(), size_t(a.bytes.size())) == 0;
        }
        friend size_t qHash(ValueKey key, size_t seed) noexcept { return qHash(key.bytes, seed); }
    };

    // What is left of the document.
    QByteArrayView rest() const { return QByteArrayView(m_at, m_end - m_at); }
    bool readDeclaration();
    // Passes the character at `at`, a byte or a UTF-8 sequence, if it is one that XML
    // allows and that every reader treats alike.
    bool passCharacter(const char *&at) const;
    // Passes the text between two tags, which the scanner does not deliver.
    bool passText(const char *at, const char *end) const;
    bool readName(QLatin1String *name);
    bool readAttributes(bool *empty);
    bool readEquals();
    bool readQuoted(QByteArrayView *text);
    bool readValue(Attribute *attribute);
    bool resolveReferences(QLatin1String written, QString *value) const;
    QString decode(QLatin1String text) const;
    void appendDecoded(QString *value, QLatin1String text) const;
    bool skipSpace();
    Token giveUp();

    const char *m_at;
    const char *m_end;
    bool m_latin1 = false;
    bool m_started = false;
    bool m_emptyElement = false; // "<a/>": its end comes next
    bool m_rootClosed = false;
    qint64 m_characters = 0;
    Token m_last = StartElement;
    QLatin1String m_name;
    std::vector<Attribute> m_attributes;
    QList<QLatin1String> m_open;
    // Names, types and ranges repeat from class to class: each short value is decoded
    // once and shared, which saves an allocation and its memory for most values.
    // Bounded, so that a hostile file of many distinct values cannot make it grow much.
    static constexpr qsizetype shortValue = 24;
    static constexpr qsizetype sharedValues = 4096;
    QHash<ValueKey, QString> m_values;
};

#endif // XMLSCANNER_H
