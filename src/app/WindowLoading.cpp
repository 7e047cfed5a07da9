// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowLoading.h"

#include "core/Cancellation.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QShortcutEvent>
#include <QWidget>

namespace plakatron {

namespace {

// Lets through what keeps the window alive (painting, timers, the pointer's moves) and Quit;
// closing the window, by its close box or by Quit's action, asks the loading to stop instead.
class QuitWhileLoading : public QObject {
public:
    QuitWhileLoading(QWidget *window, Cancellation &stop) : window_(window), stop_(stop) { qApp->installEventFilter(this); }
    ~QuitWhileLoading() override { qApp->removeEventFilter(this); }
    bool asked() const { return asked_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Close:
            if (watched != window_)
                return false;
            asked_ = true;
            stop_.request();
            event->ignore();
            return true;
        case QEvent::Shortcut:  // Quit's action closes the window; no other shortcut runs
            return !quitKeys().contains(static_cast<QShortcutEvent *>(event)->key());
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

private:
    // The window's Quit keys: the platform's, Ctrl+Q where it has none.
    static QList<QKeySequence> quitKeys()
    {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Quit);
        return keys.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)} : keys;
    }

    QPointer<QWidget> window_;
    Cancellation &stop_;
    bool asked_ = false;
};

}  // namespace

std::optional<Picture> loadPictureForWindow(const QString &path, QWidget *window, const PictureRequest &request)
{
    Cancellation stop;
    QuitWhileLoading quit(window, stop);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    std::optional<Picture> picture;
    try {
        picture = loadPicture(path, IsolationWatch{&stop, [] { QCoreApplication::processEvents(); }}, request);
    } catch (const RuntimeError &e) {
        if (!quit.asked() || e.number() != err::UserInterrupt)
            throw;
    }
    if (!quit.asked())
        return picture;
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    return std::nullopt;
}

}  // namespace plakatron
