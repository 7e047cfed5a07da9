// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-vector: reads one PDF or SVG picture for the program, in a process of its own, and
// draws parts of it on request (input/VectorProtocol.h). The program starts it with the document
// as descriptor 3, asks on its standard input and reads the answers from its standard output;
// a crash or a hang here costs the program one picture, never itself.
#include "core/DescriptorIoPosix.h"
#include "input/PictureLoader.h"
#include "vector/VectorDocument.h"

#include <QFile>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLAKATRON_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PLAKATRON_SANITIZED 1
#endif

using namespace plakatron;
using platform::readAll;
using platform::writeAll;

namespace {

// The rows of an image (which may be a view into a wider one), as few calls as the system takes.
bool writeRows(int fd, const QImage &image)
{
    const std::size_t row = std::size_t(image.width()) * 4;
    std::vector<iovec> rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.push_back(iovec{const_cast<uchar *>(image.constScanLine(y)), row});
        if (rows.size() < 512 && y + 1 < image.height())
            continue;
        std::size_t left = rows.size() * row;
        std::size_t first = 0;
        while (left > 0) {
            const ssize_t n = ::writev(fd, rows.data() + first, int(rows.size() - first));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            left -= std::size_t(n);
            // Past the rows written whole; a row written in part goes on from where it stopped.
            for (std::size_t done = std::size_t(n); done > 0;) {
                const std::size_t step = std::min(done, rows[first].iov_len);
                rows[first].iov_base = static_cast<char *>(rows[first].iov_base) + step;
                rows[first].iov_len -= step;
                done -= step;
                if (rows[first].iov_len == 0)
                    ++first;
            }
        }
        rows.clear();
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
#ifdef __GLIBC__
    // Each page's megabytes of pixels are taken and given back again: kept in the heap, not given
    // back to the system and taken anew (and cleared) every time.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
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
        if (!answer.pixels.isNull() && !writeRows(STDOUT_FILENO, answer.pixels))
            return 0;
        // What comes next is drawn while the program works with this answer.
        if (answer.then)
            answer.then();
    }
}
