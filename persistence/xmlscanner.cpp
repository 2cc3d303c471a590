#include "persistence/xmlscanner.h"

#include "persistence/xmllimits.h"

#include <array>
#include <cstring>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

// What each byte may be in a name: 1 anywhere, 2 after the first character only.
constexpr auto nameClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')
            classes[size_t(c)] = 1;
        else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            classes[size_t(c)] = 2;
    }
    return classes;
}();

bool isNameStart(char c)
{
    return nameClasses[static_cast<unsigned char>(c)] == 1;
}

bool isNameChar(char c)
{
    return nameClasses[static_cast<unsigned char>(c)] != 0;
}

// Characters that XML allows and that every reader treats alike: the controls after the
// ASCII range are allowed by XML 1.0 but left to the general reader, and so is the byte
// order mark, which Qt's decoder drops wherever it finds it.
bool isPlainCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xD7FF)
           || (c >= 0xE000 && c <= 0xFFFD && c != 0xFEFF) || (c >= 0x10000 && c <= 0x10FFFF);
}

// What a byte means inside an attribute value.
enum ValueByte : unsigned char { Text, Quote, Reference, Refused };
constexpr auto valueBytes = [] {
    std::array<unsigned char, 256> kinds{};
    kinds[size_t('"')] = Quote;
    kinds[size_t('\'')] = Quote;
    kinds[size_t('&')] = Reference;
    // White space in a value is normalized by a reader; our writer escapes it.
    for (const char refused : {'<', '\t', '\n', '\r'})
        kinds[size_t(refused)] = Refused;
    return kinds;
}();

// The code point of a well-formed, shortest UTF-8 sequence at `at`, which it passes.
bool readUtf8(const unsigned char *&at, const unsigned char *end, char32_t *code)
{
    const unsigned char lead = *at;
    int length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        length = 1;
        value = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return false;
    }
    if (end - at < length)
        return false;
    for (int i = 1; i < length; ++i) {
        if ((at[i] & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (at[i] & 0x3F);
    }
    if (value < least || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    at += length;
    *code = value;
    return true;
}

// The first `c` in [from, to), or null; an empty range may start at null.
const char *find(const char *from, const char *to, char c)
{
    return from == to ? nullptr
                      : static_cast<const char *>(std::memchr(from, c, size_t(to - from)));
}

} // namespace

XmlScanner::XmlScanner(QByteArrayView document)
    : m_at(document.data())
    , m_end(document.data() + document.size())
{}

XmlScanner::Token XmlScanner::giveUp()
{
    return m_last = GaveUp;
}

bool XmlScanner::skipSpace()
{
    const char *const from = m_at;
    while (m_at < m_end && isSpace(*m_at))
        ++m_at;
    return m_at != from;
}

bool XmlScanner::readName(QLatin1String *name)
{
    const char *const from = m_at;
    if (m_at == m_end || !isNameStart(*m_at))
        return false;
    while (++m_at < m_end && isNameChar(*m_at)) {
    }
    *name = QLatin1String(from, m_at);
    // Names starting with "xml" are reserved, and the general reader may treat them apart.
    return m_at - from < 3 || (from[0] | 0x20) != 'x' || (from[1] | 0x20) != 'm'
           || (from[2] | 0x20) != 'l';
}

bool XmlScanner::readDeclaration()
{
    const bool marked = m_end - m_at >= 3 && std::memcmp(m_at, "\xEF\xBB\xBF", 3) == 0;
    if (marked)
        m_at += 3;
    if (!rest().startsWith("<?xml") || rest().size() < 6 || !isSpace(m_at[5]))
        return true; // no declaration: UTF-8
    m_at += 5;
    const auto pseudoAttribute = [this](QByteArrayView name, QByteArrayView *value) {
        if (!rest().startsWith(name))
            return false;
        m_at += name.size();
        return readEquals() && readQuoted(value);
    };
    QByteArrayView value;
    skipSpace();
    if (!pseudoAttribute("version", &value) || value != "1.0")
        return false;
    bool spaced = skipSpace();
    if (spaced && rest().startsWith("encoding")) {
        if (!pseudoAttribute("encoding", &value))
            return false;
        const QLatin1String encoding(value.data(), value.size());
        m_latin1 = encoding.compare(QLatin1String("ISO-8859-1"), Qt::CaseInsensitive) == 0;
        // A byte order mark says UTF-8 whatever the declaration says.
        if ((m_latin1 && marked)
            || (!m_latin1 && encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0))
            return false;
        spaced = skipSpace();
    }
    if (spaced && rest().startsWith("standalone")) {
        if (!pseudoAttribute("standalone", &value) || (value != "yes" && value != "no"))
            return false;
        skipSpace();
    }
    if (!rest().startsWith("?>"))
        return false;
    m_at += 2;
    return true;
}

bool XmlScanner::validCharacters() const
{
    auto at = reinterpret_cast<const unsigned char *>(m_at);
    const auto end = reinterpret_cast<const unsigned char *>(m_end);
    const quint64 ones = 0x0101010101010101ULL;
    const quint64 highs = 0x8080808080808080ULL;
    while (at < end) {
        // Eight printable ASCII characters at a time: the lowest byte below 0x20 sets its
        // high bit when 0x20 is taken away, 0x7F sets it when 1 is added.
        if (end - at >= 8) {
            quint64 word = 0;
            std::memcpy(&word, at, 8);
            if ((((word - 0x20 * ones) | word | (word + ones)) & highs) == 0) {
                at += 8;
                continue;
            }
        }
        char32_t code = *at;
        if (m_latin1)
            ++at;
        else if (!readUtf8(at, end, &code))
            return false;
        if (!isPlainCharacter(code))
            return false;
    }
    return true;
}

bool XmlScanner::readEquals()
{
    skipSpace();
    if (m_at == m_end || *m_at != '=')
        return false;
    ++m_at;
    skipSpace();
    return true;
}

bool XmlScanner::readQuoted(QByteArrayView *text)
{
    if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
        return false;
    const char quote = *m_at++;
    const char *const close = find(m_at, m_end, quote);
    if (!close)
        return false;
    *text = QByteArrayView(m_at, close - m_at);
    m_at = close + 1;
    return true;
}

bool XmlScanner::readValue(Attribute *attribute)
{
    if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
        return false;
    const char quote = *m_at++;
    const char *const begin = m_at;
    bool references = false;
    for (; m_at < m_end; ++m_at) {
        const unsigned char kind = valueBytes[static_cast<unsigned char>(*m_at)];
        if (kind == Text)
            continue;
        if (kind == Refused)
            return false;
        if (kind == Reference)
            references = true;
        else if (*m_at == quote)
            break;
    }
    if (m_at == m_end)
        return false;
    attribute->written = QLatin1String(begin, m_at);
    ++m_at;
    return !references || resolveReferences(attribute->written, &attribute->resolved);
}

QString XmlScanner::decode(QLatin1String text) const
{
    return m_latin1 ? QString::fromLatin1(text.data(), text.size())
                    : QString::fromUtf8(text.data(), text.size());
}

bool XmlScanner::resolveReferences(QLatin1String written, QString *value) const
{
    const char *const close = written.data() + written.size();
    const char *run = written.data();
    for (const char *at = run; at < close; ++at) {
        if (*at != '&')
            continue;
        *value += decode(QLatin1String(run, at));
        const char *const semicolon = find(at, close, ';');
        if (!semicolon)
            return false;
        const QByteArrayView entity(at + 1, semicolon - at - 1);
        if (entity == "lt") {
            *value += QLatin1Char('<');
        } else if (entity == "gt") {
            *value += QLatin1Char('>');
        } else if (entity == "amp") {
            *value += QLatin1Char('&');
        } else if (entity == "quot") {
            *value += QLatin1Char('"');
        } else if (entity == "apos") {
            *value += QLatin1Char('\'');
        } else {
            if (!entity.startsWith('#'))
                return false;
            const bool hex = entity.startsWith("#x");
            const QByteArrayView digits = entity.sliced(hex ? 2 : 1);
            if (digits.isEmpty() || digits.size() > 7)
                return false;
            char32_t code = 0;
            for (const char c : digits) {
                int digit = -1;
                if (c >= '0' && c <= '9')
                    digit = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    digit = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    digit = c - 'A' + 10;
                if (digit < 0)
                    return false;
                code = code * (hex ? 16 : 10) + char32_t(digit);
            }
            if (!isPlainCharacter(code))
                return false;
            if (QChar::requiresSurrogates(code)) {
                *value += QChar(QChar::highSurrogate(code));
                *value += QChar(QChar::lowSurrogate(code));
            } else {
                *value += QChar(char16_t(code));
            }
        }
        at = semicolon;
        run = semicolon + 1;
    }
    *value += decode(QLatin1String(run, close));
    return true;
}

QString XmlScanner::value(const Attribute &attribute)
{
    if (!attribute.resolved.isNull())
        return attribute.resolved;
    // Bounded, so that a hostile file of many distinct values cannot make it grow much.
    constexpr qsizetype shortValue = 24;
    constexpr qsizetype sharedValues = 4096;
    const QLatin1String written = attribute.written;
    if (written.size() > shortValue)
        return decode(written);
    const QByteArrayView key(written.data(), written.size());
    const auto known = m_values.constFind(key);
    if (known != m_values.cend())
        return *known;
    const QString text = decode(written);
    if (m_values.size() < sharedValues)
        m_values.insert(key, text);
    return text;
}

bool XmlScanner::readAttributes(bool *empty)
{
    m_attributes.clear();
    for (;;) {
        const bool spaced = skipSpace();
        if (m_at == m_end)
            return false;
        if (*m_at == '>' || *m_at == '/') {
            *empty = *m_at == '/';
            if (*empty && (++m_at == m_end || *m_at != '>'))
                return false;
            ++m_at;
            return true;
        }
        Attribute attribute;
        if (!spaced || !readName(&attribute.name))
            return false;
        for (const Attribute &earlier : std::as_const(m_attributes)) {
            if (earlier.name == attribute.name)
                return false;
        }
        if (!readEquals() || !readValue(&attribute))
            return false;
        // Counted as written, which is never shorter than the decoded text: the limit
        // may only make the scanner give up sooner than the general reader would.
        m_characters += attribute.name.size() + attribute.written.size();
        m_attributes.append(std::move(attribute));
    }
}

XmlScanner::Token XmlScanner::readNext()
{
    if (m_last == GaveUp || m_last == EndDocument)
        return m_last;
    if (!m_started) {
        m_started = true;
        if (!readDeclaration() || !validCharacters())
            return giveUp();
    }
    if (!m_emptyElement) {
        // The text up to the next tag: only white space outside the document element;
        // references and CDATA ends are left to the general reader.
        const char *const text = m_at;
        const char *open = find(m_at, m_end, '<');
        if (!open)
            open = m_end;
        for (const char *at = text; at < open; ++at) {
            if ((m_open.isEmpty() && !isSpace(*at)) || *at == '&'
                || (*at == ']' && QByteArrayView(at, open - at).startsWith("]]>")))
                return giveUp();
        }
        m_characters += open - text;
        if (m_characters > XmlLimits::maxCharacters)
            return giveUp();
        m_at = open;
        if (m_at == m_end)
            return m_rootClosed ? (m_last = EndDocument) : giveUp();
        ++m_at;
        if (m_at != m_end && *m_at == '/') {
            ++m_at;
            QLatin1String name;
            if (m_open.isEmpty() || !readName(&name) || name != m_open.last())
                return giveUp();
            skipSpace();
            if (m_at == m_end || *m_at != '>')
                return giveUp();
            ++m_at;
        } else {
            // Names and attributes; "<!" and "<?" are not names.
            if (m_rootClosed || !readName(&m_name) || !readAttributes(&m_emptyElement))
                return giveUp();
            m_open.append(m_name);
            m_characters += m_name.size();
            if (m_open.size() > XmlLimits::maxDepth || m_characters > XmlLimits::maxCharacters)
                return giveUp();
            return m_last = StartElement;
        }
    }
    m_emptyElement = false;
    m_name = m_open.takeLast();
    m_rootClosed = m_open.isEmpty();
    return m_last = EndElement;
}
