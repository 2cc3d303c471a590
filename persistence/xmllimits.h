#ifndef XMLLIMITS_H
#define XMLLIMITS_H

#include <QByteArray>
#include <QXmlStreamReader>

// Bounds on what a hostile or damaged XML file may cost us. Our files nest four
// levels deep, are written in ISO-8859-1, UTF-8 or UTF-16 and never declare entities
// nor attribute defaults; these limits only stop files that would otherwise exhaust
// the stack, the memory or the user's patience.
namespace XmlLimits {

// Deeper nesting is refused: QDom builds and destroys its tree recursively.
constexpr int maxDepth = 256;
// Characters the reader may deliver in all, names and values counted: a diagram of
// 20,000 classes takes a few million, and this many still fit in memory.
constexpr qint64 maxCharacters = qint64(64) * 1024 * 1024;

// Follows a stream reader token by token and says when the document must be refused:
// too deep, too much text delivered, an encoding we do not write, or a document type
// that declares entities or attribute defaults (which multiply what a few bytes say).
class Guard
{
public:
    // Call with each token that readNext() returned; false means refuse the document.
    bool admit(const QXmlStreamReader &xml, QXmlStreamReader::TokenType token);
    // 1 inside the document element, 2 inside its children...
    int depth() const { return m_depth; }

private:
    int m_depth = 0;
    qint64 m_characters = 0;
};

// Runs the whole document through a Guard before a DOM parse. A document that is not
// well-formed passes; the DOM parse reports it.
bool withinLimits(const QByteArray &document);

} // namespace XmlLimits

#endif // XMLLIMITS_H
