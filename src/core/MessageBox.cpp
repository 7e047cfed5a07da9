// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessageBox.h"

#include "core/ProgramWide.h"
#include "core/RuntimeError.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <utility>

namespace plakatron {

namespace {
MessageHandler &handlerSlot()
{
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer showReal(const MessageRequest &request, QWidget *parent)
{
    QString shown = request.text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(toQt(request.icon), request.title, shown,
                    request.buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    const int answer = box.exec();
    if (request.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}
}  // namespace

MsgAnswer MsgBox(const QString &text, MsgIcon icon, MsgButtons buttons, QWidget *parent, const QString &title)
{
    const MessageRequest request{text, icon, buttons, title.isEmpty() ? appTitle() : title};
    if (handlerSlot())
        return handlerSlot()(request);
    return showReal(request, parent);
}

MessageHandler installMessageHandler(MessageHandler handler)
{
    return std::exchange(handlerSlot(), std::move(handler));
}

QString describeWithCode(const RuntimeError &error)
{
    return error.description() + QStringLiteral("\r\n")
           + QCoreApplication::translate("MessageBox", "Code %1").arg(error.number());
}

QString errorWithNumber(const RuntimeError &error)
{
    return QCoreApplication::translate("MessageBox", "Error: %1 %2").arg(QString::number(error.number()), error.description());
}

void DoEvents() { QCoreApplication::processEvents(); }

}  // namespace plakatron
