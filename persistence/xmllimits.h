#ifndef XMLLIMITS_H
#define XMLLIMITS_H

#include <QByteArray>
#include <QXmlStreamEntityDeclarations>

// Bounds on what a hostile or damaged XML file may cost us. Our files nest four
// levels deep and never declare entities; these limits only stop files that would
// otherwise exhaust the stack, the memory or the user's patience.
namespace XmlLimits {

// Deeper nesting is refused: QDom builds and destroys its tree recursively.
constexpr int maxDepth = 256;
// Characters that the declared entities may add to a document, all references counted.
constexpr qint64 maxEntityExpansion = 16 * 1024 * 1024;

// False when the entities of this DTD, referenced as often as the document could
// reference them, would expand beyond maxEntityExpansion characters.
bool entitiesWithinLimit(const QXmlStreamEntityDeclarations &declarations,
                         const QByteArray &document);

// Runs the document through a stream reader before a DOM parse: false when it nests
// deeper than maxDepth or its entities could expand too far. A document that is not
// well-formed passes; the DOM parse reports it.
bool withinLimits(const QByteArray &document);

} // namespace XmlLimits

#endif // XMLLIMITS_H
