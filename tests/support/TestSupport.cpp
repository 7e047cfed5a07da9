#include "support/TestSupport.h"

namespace plakatron::test {

MessageCapture::MessageCapture()
{
    previous_ = installMessageHandler([this](const MessageRequest &request) {
        messages_.push_back(request);
        if (!answers_.empty()) {
            const MsgAnswer a = answers_.front();
            answers_.pop_front();
            return a;
        }
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    });
}

MessageCapture::~MessageCapture() { installMessageHandler(previous_); }

}  // namespace plakatron::test
