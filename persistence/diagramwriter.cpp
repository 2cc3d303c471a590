#include "persistence/diagramwriter.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "persistence/filewriting.h"
#include "persistence/xmlwriter.h"

#include <QDomDocument>
#include <QDomElement>

namespace {

const XmlWriter &writer()
{
    static const XmlWriter instance(
        {{QStringLiteral("main"), {QStringLiteral("version"), QStringLiteral("name")}},
         {QStringLiteral("class"),
          {QStringLiteral("name"), QStringLiteral("comment"), QStringLiteral("parentName"),
           QStringLiteral("includes"), QStringLiteral("posX"), QStringLiteral("posY")}},
         {QStringLiteral("function"),
          {QStringLiteral("name"), QStringLiteral("returnType"), QStringLiteral("range"),
           QStringLiteral("linkedAtt")}},
         {QStringLiteral("arg-att"),
          {QStringLiteral("name"), QStringLiteral("range"), QStringLiteral("type"),
           QStringLiteral("defValue")}},
         {QStringLiteral("link"),
          {QStringLiteral("master"), QStringLiteral("slave"), QStringLiteral("type")}}});
    return instance;
}

} // namespace

QString DiagramWriter::number(double value)
{
    // Adding zero turns -0 into 0, which readers take for the same place anyway.
    return QString::number(value + 0.0, 'g', 16);
}

QByteArray DiagramWriter::toBytes(const QList<ClassItem *> &classes, const QList<Link *> &links)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("main"));
    root.setAttribute(QStringLiteral("version"), number(1.0));
    root.setAttribute(QStringLiteral("name"), QStringLiteral("DEFAULT"));

    for (const ClassItem *item : classes) {
        QDomElement element = item->getModel()->toXml(doc);
        element.setAttribute(QStringLiteral("posX"), number(item->pos().x()));
        element.setAttribute(QStringLiteral("posY"), number(item->pos().y()));
        root.appendChild(element);
    }
    for (const Link *link : links) {
        if (link->getModel()->isComplete())
            root.appendChild(link->getModel()->toXml(doc));
    }

    doc.appendChild(root);
    return writer().toLatin1(doc);
}

bool DiagramWriter::writeFile(const QString &path, const QList<ClassItem *> &classes,
                              const QList<Link *> &links)
{
    return FileWriting::save(path, toBytes(classes, links));
}
