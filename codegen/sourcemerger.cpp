#include "codegen/sourcemerger.h"

#include "codegen/sourcesplitter.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {

using Unit = SourceSplitter::Unit;

const QString emptyBody = QStringLiteral("{\n\n}");

// A piece of the old file without the blank lines around it.
QString trimmed(QStringView text)
{
    int start = 0;
    for (int i = 0; i < text.size() && text.at(i).isSpace(); ++i) {
        if (text.at(i) == QLatin1Char('\n'))
            start = i + 1;
    }
    int end = int(text.size());
    while (end > start && text.at(end - 1).isSpace())
        --end;
    return text.mid(start, end - start).toString();
}

// Bodies the generator writes: an accessor's body the user never touched follows the
// diagram (a renamed attribute), anything else is the user's.
bool isGeneratedBody(const QString &oldBody, const QString &freshBody)
{
    static const QRegularExpression accessor(QStringLiteral(
        "\\A\\{\\n    (return [A-Za-z_]\\w*|[A-Za-z_]\\w* = [A-Za-z_]\\w*);\\n\\}\\z"));
    return oldBody == emptyBody || (freshBody != emptyBody && accessor.match(oldBody).hasMatch());
}

// The old file's text before its first definition that the generator does not write:
// the banner and the class comment that open it and the lines of the fresh preamble go.
QString extraPreamble(const QString &oldText, const QList<Unit> &units, int count,
                      const QString &freshText, const QStringList &freshDirectives)
{
    int skip = 0;
    const int bannerEnd = int(freshText.indexOf(QLatin1String("*/")));
    if (freshText.startsWith(QLatin1String("/*")) && bannerEnd > 0
        && oldText.startsWith(QStringView(freshText).left(bannerEnd + 2))) {
        skip = bannerEnd + 2;
        while (skip < oldText.size() && oldText.at(skip).isSpace())
            ++skip;
        if (QStringView(oldText).mid(skip).startsWith(QLatin1String("/*"))) {
            const int close = int(oldText.indexOf(QLatin1String("*/"), skip + 2));
            skip = close < 0 ? skip : close + 2;
        }
    }
    QString extra;
    for (int i = 0; i < count; ++i) {
        const Unit &unit = units.at(i);
        if (unit.end <= skip)
            continue;
        const QStringView code =
            QStringView(oldText).mid(unit.codeBegin, unit.end - unit.codeBegin);
        if (unit.kind == Unit::Directive && freshDirectives.contains(code.toString().simplified()))
            continue;
        const int begin = qMax(unit.begin, skip);
        extra += QStringView(oldText).mid(begin, unit.end - begin);
    }
    return trimmed(extra);
}

} // namespace

namespace SourceMerger {

bool merge(const QString &oldText, const QString &freshText, const QString &className,
           QString *merged)
{
    SourceSplitter oldSplit;
    SourceSplitter freshSplit;
    if (!oldSplit.split(oldText, className) || !freshSplit.split(freshText, className))
        return false;
    const QList<Unit> &oldUnits = oldSplit.units();
    QList<Unit> fresh;
    QStringList freshDirectives;
    for (const Unit &unit : freshSplit.units()) {
        if (unit.kind == Unit::Definition)
            fresh.append(unit);
        else if (unit.kind == Unit::Directive && fresh.isEmpty())
            freshDirectives.append(
                freshText.mid(unit.codeBegin, unit.end - unit.codeBegin).simplified());
    }

    // Same name and argument types first; then a name left alone on both sides.
    QList<int> claimed(oldUnits.size(), -1);
    QList<int> source(fresh.size(), -1);
    QHash<QString, QList<int>> byKey;
    QHash<QString, QList<int>> byName;
    for (int i = 0; i < oldUnits.size(); ++i) {
        if (oldUnits.at(i).kind == Unit::Definition) {
            byKey[oldUnits.at(i).key].append(i);
            byName[oldUnits.at(i).name].append(i);
        }
    }
    for (int k = 0; k < fresh.size(); ++k) {
        QList<int> &candidates = byKey[fresh.at(k).key];
        if (!candidates.isEmpty()) {
            source[k] = candidates.takeFirst();
            claimed[source.at(k)] = k;
        }
    }
    QHash<QString, QList<int>> unmatchedByName;
    for (int k = 0; k < fresh.size(); ++k) {
        if (source.at(k) < 0)
            unmatchedByName[fresh.at(k).name].append(k);
    }
    for (auto it = unmatchedByName.cbegin(); it != unmatchedByName.cend(); ++it) {
        QList<int> left;
        for (const int i : byName.value(it.key())) {
            if (claimed.at(i) < 0)
                left.append(i);
        }
        if (it.value().size() == 1 && left.size() == 1) {
            source[it.value().constFirst()] = left.constFirst();
            claimed[left.constFirst()] = it.value().constFirst();
        }
    }

    // Other code after the first definition travels with the next definition kept, so
    // that a helper stays above the method that uses it.
    int firstDefinition = 0;
    while (firstDefinition < oldUnits.size()
           && oldUnits.at(firstDefinition).kind != Unit::Definition)
        ++firstDefinition;
    QList<QStringList> before(fresh.size());
    QStringList pending;
    QStringList removed;
    int runBegin = -1;
    int runEnd = -1;
    const auto closeRun = [&]() {
        if (runBegin >= 0)
            pending.append(trimmed(QStringView(oldText).mid(runBegin, runEnd - runBegin)));
        runBegin = -1;
    };
    for (int i = firstDefinition; i < oldUnits.size(); ++i) {
        const Unit &unit = oldUnits.at(i);
        if (unit.kind != Unit::Definition) {
            if (runBegin < 0)
                runBegin = unit.begin;
            runEnd = unit.end;
            continue;
        }
        closeRun();
        if (claimed.at(i) >= 0) {
            before[claimed.at(i)] = pending;
            pending.clear();
        } else {
            removed.append(QStringLiteral("// No longer in the diagram.\n")
                           + trimmed(QStringView(oldText).mid(unit.begin, unit.end - unit.begin)));
        }
    }
    closeRun();

    const int preambleEnd = fresh.isEmpty() ? int(freshText.size()) : fresh.first().codeBegin;
    QString text = freshText.left(preambleEnd);
    const QString extra =
        extraPreamble(oldText, oldUnits, firstDefinition, freshText, freshDirectives);
    if (!extra.isEmpty())
        text += extra + QStringLiteral("\n\n");
    for (int k = 0; k < fresh.size(); ++k) {
        const Unit &unit = fresh.at(k);
        for (const QString &other : std::as_const(before.at(k)))
            text += other + QStringLiteral("\n\n");
        const QString freshBody = freshText.mid(unit.bodyBegin, unit.end - unit.bodyBegin);
        if (source.at(k) < 0) {
            text += freshText.mid(unit.codeBegin, unit.end - unit.codeBegin);
        } else {
            const Unit &old = oldUnits.at(source.at(k));
            const QString comments =
                trimmed(QStringView(oldText).mid(old.begin, old.codeBegin - old.begin));
            if (!comments.isEmpty())
                text += comments + QLatin1Char('\n');
            text += freshText.mid(unit.codeBegin, unit.bodyBegin - unit.codeBegin);
            const QString oldBody = oldText.mid(old.bodyBegin, old.end - old.bodyBegin);
            text += isGeneratedBody(oldBody, freshBody) ? freshBody : oldBody;
        }
        const int next = k + 1 < fresh.size() ? fresh.at(k + 1).codeBegin : int(freshText.size());
        text += QStringView(freshText).mid(unit.end, next - unit.end);
    }
    for (const QString &other : std::as_const(pending))
        text += other + QStringLiteral("\n\n");
    // The file ends with one line end after the user's code, as it is read back.
    if (!pending.isEmpty() && removed.isEmpty())
        text.chop(1);
    if (!removed.isEmpty()) {
        // Kept out of the build: the file still compiles, and nothing the user wrote is lost.
        text += QStringLiteral("#if 0\n") + removed.join(QStringLiteral("\n\n"))
                + QStringLiteral("\n#endif\n");
    }
    *merged = text;
    return true;
}

} // namespace SourceMerger
