// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The private CUPS server tools/test-cups starts: queues "Office" and "Office_2", each writing the
// PDF files of its jobs into its own folder.

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>

namespace plakatron::test {

// The folder holding one output folder per queue; empty without the server.
inline QString testCupsOut()
{
    return qEnvironmentVariableIsEmpty("CUPS_SERVER") ? QString() : qEnvironmentVariable("PLAKATRON_TEST_CUPS_OUT");
}

// Skips the test without the server, or fails it where PLAKATRON_REQUIRE_CUPS=1 asks for one.
#define PLAKATRON_REQUIRE_TEST_CUPS()                                                                           \
    do {                                                                                                        \
        if (plakatron::test::testCupsOut().isEmpty()) {                                                         \
            if (qEnvironmentVariable("PLAKATRON_REQUIRE_CUPS") == QLatin1String("1"))                           \
                FAIL() << "no test CUPS server";                                                                \
            GTEST_SKIP() << "no test CUPS server (run the tests through tools/test-cups, as tools/dev test does)"; \
        }                                                                                                       \
    } while (false)

// The PDF files the queues have written, once no job is pending or printing (or two minutes passed).
inline QStringList queueOutput()
{
    for (QDeadlineTimer deadline(120000); !deadline.hasExpired(); QThread::msleep(200)) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        if (lpstat.waitForFinished(30000) && lpstat.readAllStandardOutput().trimmed().isEmpty())
            break;
    }
    QStringList files;
    for (const char *queue : {"Office", "Office_2"})
        for (const QFileInfo &file : QDir(testCupsOut() + u'/' + QLatin1String(queue)).entryInfoList({QStringLiteral("*.pdf")}))
            files << file.filePath();
    return files;
}

}  // namespace plakatron::test
