#include "model/classsnapshot.h"

#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"

namespace {

ClassSnapshot::Member member(const ArgAtt *record)
{
    return {record->name(), record->type(), record->defValue(), record->range()};
}

ArgAtt *record(const ClassSnapshot::Member &member)
{
    return new ArgAtt(member.name, member.type, member.defValue, member.range);
}

} // namespace

bool ClassSnapshot::Member::operator==(const Member &other) const
{
    return name == other.name && type == other.type && defValue == other.defValue
           && range == other.range;
}

bool ClassSnapshot::Method::operator==(const Method &other) const
{
    return name == other.name && returnType == other.returnType && range == other.range
           && args == other.args && linkedAttribute == other.linkedAttribute
           && linkedAttName == other.linkedAttName;
}

bool ClassSnapshot::operator==(const ClassSnapshot &other) const
{
    return name == other.name && comment == other.comment && parentName == other.parentName
           && includes == other.includes && attributes == other.attributes
           && methods == other.methods;
}

ClassSnapshot ClassSnapshot::of(const ClassModel &model)
{
    ClassSnapshot snapshot;
    snapshot.name = model.name();
    snapshot.comment = model.comment();
    snapshot.parentName = model.parentName();
    snapshot.includes = model.includes();
    const QList<ArgAtt *> attributes = model.attributes();
    for (const ArgAtt *attribute : attributes)
        snapshot.attributes.append(member(attribute));
    const QList<Function *> methods = model.methods();
    for (const Function *function : methods) {
        Method method{function->name(),
                      function->returnType(),
                      function->range(),
                      {},
                      int(attributes.indexOf(function->linkedAtt())),
                      function->linkedAttName()};
        const QList<ArgAtt *> args = function->args();
        for (const ArgAtt *arg : args)
            method.args.append(member(arg));
        snapshot.methods.append(method);
    }
    return snapshot;
}

void ClassSnapshot::applyTo(ClassModel &model) const
{
    QList<ArgAtt *> newAttributes;
    for (const Member &attribute : attributes)
        newAttributes.append(record(attribute));
    QList<Function *> newMethods;
    for (const Method &method : methods) {
        QList<ArgAtt *> args;
        for (const Member &arg : method.args)
            args.append(record(arg));
        auto *function = new Function(method.name, method.returnType, method.range, args);
        function->setLinkedAtt(newAttributes.value(method.linkedAttribute));
        function->setLinkedAttName(method.linkedAttName);
        newMethods.append(function);
    }

    const QList<Function *> oldMethods = model.methods();
    const QList<ArgAtt *> oldAttributes = model.attributes();
    model.setMethods(newMethods);
    model.setAttributes(newAttributes);
    qDeleteAll(oldMethods);
    qDeleteAll(oldAttributes);

    model.setName(name);
    model.setComment(comment);
    model.setParentName(parentName);
    model.setIncludes(includes);
    model.updateSize();
}
