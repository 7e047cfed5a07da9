// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box of the program goes through MsgBox(), so tests can read each text, icon and
// title and give the answer. Without an installed handler a real QMessageBox is shown.

#include <QString>
#include <functional>

class QWidget;

namespace plakatron {

class RuntimeError;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
    QString text;  // as the program words it, line breaks as "\r\n"
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString title;
};

// title empty means the application title.
MsgAnswer MsgBox(const QString &text, MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
                 QWidget *parent = nullptr, const QString &title = QString());

using MessageHandler = std::function<MsgAnswer(const MessageRequest &)>;
// Replaces the handler (an empty one restores the real message box); returns the previous one.
MessageHandler installMessageHandler(MessageHandler handler);

// "description\r\nCode N": the warning form used by page rendering, printing and loading.
QString describeWithCode(const RuntimeError &error);
// "Error: N description": the critical form used by the preview and the print job.
QString errorWithNumber(const RuntimeError &error);

// Lets pending window events run (the classic DoEvents).
void DoEvents();

}  // namespace plakatron
