#include "testsupport/modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>

namespace {
const char answeredProperty[] = "_varnel_test_answered";
}

QString ModalAnswerer::Seen::summary() const
{
    const QMetaObject &meta = QMessageBox::staticMetaObject;
    const QMetaEnum icons = meta.enumerator(meta.indexOfEnumerator("Icon"));
    const QMetaEnum standard = meta.enumerator(meta.indexOfEnumerator("StandardButtons"));
    // Each button by its own name: FirstButton and the like are other names for them.
    QStringList shown;
    QList<int> values;
    for (int i = 0; i < standard.keyCount(); ++i) {
        const int value = standard.value(i);
        if (value != 0 && (int(buttons) & value) == value && !values.contains(value)) {
            values << value;
            shown << QLatin1String(standard.key(i));
        }
    }
    return QStringList{QLatin1String(icons.valueToKey(icon)), title, text,
                       shown.join(QLatin1Char('|'))}
        .join(QLatin1String(" | "));
}

ModalAnswerer::ModalAnswerer()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

void ModalAnswerer::answerMessageBox(QMessageBox::StandardButton button)
{
    m_queue.append({QStringLiteral("QMessageBox"), [button](QWidget *widget) {
                        auto *box = static_cast<QMessageBox *>(widget);
                        if (QAbstractButton *b = box->button(button))
                            b->click();
                        else
                            box->reject();
                    }});
}

void ModalAnswerer::answerFileDialog(const QString &path, const QString &nameFilter)
{
    m_queue.append({QStringLiteral("QFileDialog"), [path, nameFilter](QWidget *widget) {
                        auto *dialog = static_cast<QFileDialog *>(widget);
                        if (path.isEmpty()) {
                            dialog->reject();
                            return;
                        }
                        if (!nameFilter.isEmpty())
                            dialog->selectNameFilter(nameFilter);
                        if (dialog->fileMode() == QFileDialog::Directory)
                            dialog->setDirectory(path);
                        else
                            dialog->selectFile(path);
                        // selectFile() leaves the name field alone while it has the
                        // focus, as it has in an open dialog; accept() reads that field.
                        if (auto *edit =
                                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                            edit && dialog->fileMode() != QFileDialog::Directory)
                            edit->setText(path);
                        // accept() is protected; the dialog's own slot is not.
                        QMetaObject::invokeMethod(dialog, "accept");
                    }});
}

bool ModalAnswerer::waitUntilAnswered()
{
    const int timeoutMs = 5000;
    QElapsedTimer clock;
    clock.start();
    while (!m_queue.isEmpty() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return m_queue.isEmpty();
}

void ModalAnswerer::poll()
{
    QWidget *widget = QApplication::activeModalWidget();
    if (!widget || !widget->isVisible() || widget->property(answeredProperty).toBool())
        return;

    Seen seen;
    if (auto *box = qobject_cast<QMessageBox *>(widget)) {
        seen.kind = QStringLiteral("QMessageBox");
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
    } else if (auto *dialog = qobject_cast<QFileDialog *>(widget)) {
        seen.kind = QStringLiteral("QFileDialog");
        seen.title = dialog->windowTitle();
        seen.directory = dialog->directory().absolutePath();
        seen.nameFilters = dialog->nameFilters();
        seen.acceptMode = dialog->acceptMode();
        seen.fileMode = dialog->fileMode();
    } else {
        return; // one of our own modal windows: not ours to answer
    }
    widget->setProperty(answeredProperty, true);
    if (m_queue.isEmpty() || m_queue.first().kind != seen.kind) {
        // Left open, it would block the test until its time runs out: close it and
        // leave it in seen() for the test to fail on.
        qWarning("ModalAnswerer: unexpected %s \"%s\" closed", qPrintable(seen.kind),
                 qPrintable(seen.text.isEmpty() ? seen.title : seen.text));
        seen.kind.prepend(QLatin1String("unexpected "));
        m_seen.append(seen);
        static_cast<QDialog *>(widget)->reject();
        return;
    }
    m_seen.append(seen);
    const Answer answer = m_queue.takeFirst();
    answer.act(widget);
}
