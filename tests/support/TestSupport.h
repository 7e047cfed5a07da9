// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the test suites.

#include "core/MessageBox.h"

#include <QByteArray>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace plakatron::test {

// The whole content of a file, or "<unreadable>".
QByteArray contentOf(const QString &path);
// Writes `bytes` to `path`, replacing what was there; a failure fails the calling test.
void writeFile(const QString &path, const QByteArray &bytes);
// Every name in `folder`, hidden ones included, and the names `added`, sorted and marked with what
// they are: "a.pdf dir/ fifo| link.pdf->a.pdf".
std::string listing(const QString &folder, QStringList added = {});
// A colour no line, number or hint is drawn in: qRgb(40, 120, 200).
inline constexpr QRgb PictureColour = 0xFF2878C8;
// Saves a picture of one colour at `path` (its format from the suffix) and returns the path; a
// failure fails the calling test.
QString writePicture(const QString &path, QSize size, QRgb colour = PictureColour);

// While alive, message boxes are not shown: each request is recorded and answered from the queue
// of answers (Ok, or Yes for a Yes/No box, once the queue is empty).
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    void answerNext(MsgAnswer answer) { answers_.push_back(answer); }
    const std::vector<MessageRequest> &messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    std::vector<MessageRequest> messages_;
    std::deque<MsgAnswer> answers_;
    MessageHandler previous_;
};

// Caps the address space of this process at what it uses now plus `headroom` bytes, so that the
// next larger allocation fails as it would on a machine out of memory; restoreAddressSpace()
// lifts the cap again. Only on Linux, and not under AddressSanitizer (which needs address space
// of its own): addressSpaceCanBeLimited() says whether it works here.
bool addressSpaceCanBeLimited();
void limitAddressSpace(std::size_t headroom);
void restoreAddressSpace();
// While alive, child processes (death tests) start with one heap arena that hands every large
// block straight to the system, so that a cap on their address space bites at their next large
// allocation rather than being met from memory the heap holds already.
class CappableChildren {
public:
    CappableChildren();
    ~CappableChildren();
    CappableChildren(const CappableChildren &) = delete;
    CappableChildren &operator=(const CappableChildren &) = delete;

private:
    QByteArray previous_;
    bool wasSet_;
};

}  // namespace plakatron::test
