// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole reads and writes on a pipe or a file descriptor: the system may move fewer bytes than asked
// and a signal may interrupt the call, and the processes talking over pipes need all or nothing.

#include <QtGlobal>
#include <cerrno>
#include <unistd.h>

namespace plakatron::platform {

namespace detail {
template <typename Bytes, typename Transfer>
bool transferAll(int fd, Bytes *data, qsizetype size, Transfer transfer)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = transfer(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;  // an error, or the other end gone
        done += n;
    }
    return true;
}
}  // namespace detail

inline bool readAll(int fd, char *data, qsizetype size) { return detail::transferAll(fd, data, size, ::read); }
inline bool writeAll(int fd, const char *data, qsizetype size)
{
    return detail::transferAll(fd, data, size, ::write);
}

}  // namespace plakatron::platform
