#pragma once
// Helpers shared by the test suites.

#include "core/MessageBox.h"

#include <QString>
#include <deque>
#include <vector>

namespace plakatron::test {

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

}  // namespace plakatron::test
