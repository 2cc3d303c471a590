#include "testsupport/modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaEnum>
#include <QTest>

const char answeredProperty[] = "_varnel_test_answered";

QString ModalAnswerer::Seen::summary() const
{
    // Each button by its first name: FirstButton and the like are other names for them.
    const QMetaEnum standard = QMetaEnum::fromType<QMessageBox::StandardButtons>();
    QStringList shown;
    for (int bit = 1; bit <= int(buttons); bit <<= 1) {
        if (int(buttons) & bit)
            shown << QLatin1String(standard.valueToKey(bit));
    }
    return QStringList{QLatin1String(QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(icon)),
                       title, text, shown.join(QLatin1Char('|'))}
        .join(QLatin1String(" | "));
}

ModalAnswerer::ModalAnswerer()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(10);
}

void ModalAnswerer::answerMessageBox(QMessageBox::StandardButton button)
{
    m_queue.append({QStringLiteral("QMessageBox"), [button](QWidget *widget) {
                        auto *box = static_cast<QMessageBox *>(widget);
                        box->button(button) ? box->button(button)->click() : box->reject();
                    }});
}

void ModalAnswerer::answerFileDialog(const QString &path, const QString &nameFilter)
{
    m_queue.append({QStringLiteral("QFileDialog"), [path, nameFilter](QWidget *widget) {
                        auto *dialog = static_cast<QFileDialog *>(widget);
                        if (path.isEmpty())
                            return dialog->reject();
                        if (!nameFilter.isEmpty())
                            dialog->selectNameFilter(nameFilter);
                        if (dialog->fileMode() == QFileDialog::Directory) {
                            dialog->setDirectory(path);
                        } else {
                            dialog->selectFile(path);
                            // selectFile() leaves the name field alone while it has the
                            // focus, as it has in an open dialog; accept() reads that field.
                            if (auto *edit =
                                    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                                edit->setText(path);
                        }
                        // accept() is protected; the dialog's own slot is not.
                        QMetaObject::invokeMethod(dialog, "accept");
                    }});
}

bool ModalAnswerer::waitUntilAnswered()
{
    return QTest::qWaitFor([this] { return m_queue.isEmpty(); }, 5000);
}

void ModalAnswerer::poll()
{
    QWidget *widget = QApplication::activeModalWidget();
    if (!widget || !widget->isVisible() || widget->property(answeredProperty).toBool())
        return;

    Seen seen;
    seen.title = widget->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(widget)) {
        seen.kind = QStringLiteral("QMessageBox");
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
    } else if (auto *dialog = qobject_cast<QFileDialog *>(widget)) {
        seen.kind = QStringLiteral("QFileDialog");
        seen.directory = dialog->directory().absolutePath();
        seen.nameFilters = dialog->nameFilters();
    } else {
        return; // one of our own modal windows: not ours to answer
    }
    widget->setProperty(answeredProperty, true);
    if (m_queue.isEmpty() || m_queue.first().first != seen.kind) {
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
    m_queue.takeFirst().second(widget);
}
