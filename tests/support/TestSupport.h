#pragma once
// Helpers shared by the test suites.

#include "core/MessageBox.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <deque>
#include <vector>

namespace plakatron::test {

// The whole content of a file, or "<unreadable>".
QByteArray contentOf(const QString &path);
// Writes `bytes` to `path`, replacing what was there; a failure fails the calling test.
void writeFile(const QString &path, const QByteArray &bytes);

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
