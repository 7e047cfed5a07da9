// plakatron-vector: reads one PDF or SVG picture for the program, in a process of its own, and
// draws parts of it on request (input/VectorProtocol.h). The program starts it with the document
// as descriptor 3, asks on its standard input and reads the answers from its standard output;
// a crash or a hang here costs the program one picture, never itself.
#include "input/PictureLoader.h"
#include "vector/VectorDocument.h"

#include <QFile>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLAKATRON_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PLAKATRON_SANITIZED 1
#endif

using namespace plakatron;

namespace {

bool readAll(int fd, char *data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::read(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The address space this process may take: what it has once Qt is up, and the helper's memory
// beyond it. A document that wants more fails here, not on the machine. (The sanitizers reserve
// terabytes of address space for themselves: no limit under them.)
void limitMemory()
{
#ifndef PLAKATRON_SANITIZED
    qint64 pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        long long size = 0;
        if (std::fscanf(statm, "%lld", &size) == 1)
            pages = size;
        std::fclose(statm);
    }
    const qint64 used = pages * ::sysconf(_SC_PAGESIZE);
    const rlimit limit{rlim_t(used + PictureLimits::vectorHelperMemory), rlim_t(used + PictureLimits::vectorHelperMemory)};
    if (used > 0)
        ::setrlimit(RLIMIT_AS, &limit);
#endif
}

}  // namespace

int main(int argc, char **argv)
{
    // Its libraries' notes go nowhere: the program's message says what matters.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // SVG text is drawn with fonts, which need a GUI application, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    limitMemory();
    QFile file;
    if (!file.open(3, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return 2;
    std::unique_ptr<VectorDocument> document;
    for (;;) {
        QByteArray request(1, '\0');
        if (!readAll(STDIN_FILENO, request.data(), 1))
            return 0;  // the program is done with the picture
        const qsizetype length = request[0] == 'O'   ? vectorprotocol::OpenRequestBytes
                                 : request[0] == 'D' ? vectorprotocol::DrawRequestBytes
                                                     : 1;
        request.resize(length);
        if (!readAll(STDIN_FILENO, request.data() + 1, length - 1))
            return 0;
        const VectorAnswer answer = answerVectorRequest(request, document, file);
        if (!writeAll(STDOUT_FILENO, answer.head.constData(), answer.head.size()))
            return 0;
        const QImage &pixels = answer.pixels;
        for (int y = 0; y < pixels.height(); ++y)
            if (!writeAll(STDOUT_FILENO, reinterpret_cast<const char *>(pixels.constScanLine(y)), qsizetype(pixels.width()) * 4))
                return 0;
    }
}
