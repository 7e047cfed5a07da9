#include "support/TestSupport.h"

namespace plakatron::test {

QString dataPath(const QString &name) { return QStringLiteral(PLAKATRON_TEST_DATA_DIR "/") + name; }

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
