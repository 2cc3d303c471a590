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

constexpr bool isPrintableAscii(char c)
{
    return c >= 0x20 && c < 0x7F;
}

// What a byte means inside an attribute value. Characters other than printable ASCII are
// checked one by one, as they are met.
enum ValueByte : unsigned char { Text, Quote, Reference, Refused, Other };
constexpr auto valueBytes = [] {
    std::array<unsigned char, 256> kinds{};
    for (int c = 0; c < 256; ++c)
        kinds[size_t(c)] = isPrintableAscii(char(c)) ? Text : Other;
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
{
    // Sized once: growing them step by step cost more than the few kilobytes they take.
    m_values.reserve(sharedValues);
    m_attributes.reserve(8);
}

XmlScanner::Token XmlScanner::giveUp()
{
    return m_last = GaveUp;
}

// The scans below run for every attribute: they are inline, and their loops walk a local
// pointer, which the compiler keeps in a register where it could not keep a member.
inline bool XmlScanner::skipSpace()
{
    const char *at = m_at;
    while (at < m_end && isSpace(*at))
        ++at;
    const bool skipped = at != m_at;
    m_at = at;
    return skipped;
}

inline bool XmlScanner::readName(QLatin1String *name)
{
    const char *const from = m_at;
    if (from == m_end || !isNameStart(*from))
        return false;
    const char *at = from + 1;
    while (at < m_end && isNameChar(*at))
        ++at;
    m_at = at;
    *name = QLatin1String(from, at);
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

bool XmlScanner::passCharacter(const char *&at) const
{
    auto byte = reinterpret_cast<const unsigned char *>(at);
    char32_t code = *byte;
    if (m_latin1 || code < 0x80)
        ++byte;
    else if (!readUtf8(byte, reinterpret_cast<const unsigned char *>(m_end), &code))
        return false;
    if (!isPlainCharacter(code))
        return false;
    at = reinterpret_cast<const char *>(byte);
    return true;
}

inline bool XmlScanner::readEquals()
{
    // Our writer puts no space around '=': that case is tried first.
    if (m_at != m_end && *m_at == '=') {
        ++m_at;
    } else {
        skipSpace();
        if (m_at == m_end || *m_at != '=')
            return false;
        ++m_at;
    }
    if (m_at != m_end && isSpace(*m_at))
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

inline bool XmlScanner::readValue(Attribute *attribute)
{
    if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
        return false;
    const char quote = *m_at;
    const char *const begin = m_at + 1;
    const char *at = begin;
    bool references = false;
    while (at < m_end) {
        const unsigned char kind = valueBytes[static_cast<unsigned char>(*at)];
        if (kind == Text) {
            ++at;
        } else if (kind == Quote) {
            if (*at == quote)
                break;
            ++at;
        } else if (kind == Reference) {
            references = true;
            ++at;
        } else if (kind == Other) {
            if (!passCharacter(at))
                return false;
        } else {
            return false;
        }
    }
    if (at == m_end)
        return false;
    attribute->written = QLatin1String(begin, at);
    m_at = at + 1;
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
    // A reference is longer than what it stands for, and so is a UTF-8 sequence.
    value->reserve(written.size());
    for (const char *at = run; at < close; ++at) {
        if (*at != '&')
            continue;
        appendDecoded(value, QLatin1String(run, at));
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
    appendDecoded(value, QLatin1String(run, close));
    return true;
}

void XmlScanner::appendDecoded(QString *value, QLatin1String text) const
{
    if (m_latin1)
        value->append(text);
    else
        value->append(QString::fromUtf8(text.data(), text.size()));
}

QString XmlScanner::value(const Attribute &attribute)
{
    if (!attribute.resolved.isNull())
        return attribute.resolved;
    const QLatin1String written = attribute.written;
    // An empty value is decoded without an allocation, a long one rarely repeats.
    if (written.isEmpty() || written.size() > shortValue)
        return decode(written);
    const ValueKey key{QByteArrayView(written.data(), written.size())};
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
        if (!spaced)
            return false;
        // Read in place: on a fault the scanner gives up, and what it holds no longer counts.
        Attribute &attribute = m_attributes.emplace_back();
        if (!readName(&attribute.name))
            return false;
        const auto earlier = m_attributes.cend() - 1;
        for (auto other = m_attributes.cbegin(); other != earlier; ++other) {
            if (other->name == attribute.name)
                return false;
        }
        if (!readEquals() || !readValue(&attribute))
            return false;
        // Counted as written, which is never shorter than the decoded text: the limit
        // may only make the scanner give up sooner than the general reader would.
        m_characters += attribute.name.size() + attribute.written.size();
    }
}

bool XmlScanner::passText(const char *at, const char *end) const
{
    // Only white space outside the document element; references and CDATA ends are left
    // to the general reader.
    while (at < end) {
        if ((m_open.isEmpty() && !isSpace(*at)) || *at == '&'
            || (*at == ']' && QByteArrayView(at, end - at).startsWith("]]>")))
            return false;
        if (isPrintableAscii(*at) || isSpace(*at))
            ++at;
        else if (!passCharacter(at))
            return false;
    }
    return true;
}

XmlScanner::Token XmlScanner::readNext()
{
    if (m_last == GaveUp || m_last == EndDocument)
        return m_last;
    if (!m_started) {
        m_started = true;
        if (!readDeclaration())
            return giveUp();
    }
    if (!m_emptyElement) {
        // The text up to the next tag. Between our elements it is indentation only, which
        // is passed first.
        const char *const text = m_at;
        const char *open = text;
        while (open < m_end && isSpace(*open))
            ++open;
        if (open != m_end && *open != '<') {
            const char *const rest = open;
            open = find(rest, m_end, '<');
            if (!open)
                open = m_end;
            if (!passText(rest, open))
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
