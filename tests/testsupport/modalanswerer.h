#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal message boxes and file dialogs that the code under test opens.
// They block in a nested event loop, so the answers come from a timer: queue them
// before triggering the action, then read back what the user was shown.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        // "QMessageBox" or "QFileDialog"; "unexpected ..." for one that came when no
        // answer of its kind was next, and was closed.
        QString kind;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString directory;
        QStringList nameFilters;

        // A message box in one line to compare: "Icon | title | text | Buttons".
        QString summary() const;
    };

    ModalAnswerer();

    // Presses this button of the next message box.
    void answerMessageBox(QMessageBox::StandardButton button);
    // Picks this path in the next file or folder dialog, after this name filter when one
    // is given; an empty path cancels it.
    void answerFileDialog(const QString &path, const QString &nameFilter = QString());

    const QList<Seen> &seen() const { return m_seen; }
    int pending() const { return int(m_queue.size()); }
    // Processes events until every queued answer was given; false on timeout.
    bool waitUntilAnswered();

private:
    void poll();

    QTimer m_timer;
    // Each answer with the kind of window it is for.
    QList<std::pair<QString, std::function<void(QWidget *)>>> m_queue;
    QList<Seen> m_seen;
};

#endif // MODALANSWERER_H
