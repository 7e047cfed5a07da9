// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the real plakatron-cli binary of this build.

#include <QProcess>
#include <QStringList>

namespace plakatron::test {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// extraEnvironment: "NAME=value" entries on top of the test's own environment.
inline CliRun runCli(const QStringList &arguments, const QStringList &extraEnvironment = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &kv : extraEnvironment)
        env.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-cli"), arguments);
    p.waitForFinished(600000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// "print -o %1/out.pdf --page 7" as arguments, "%1" replaced by `path` after the split, so paths
// may hold blanks.
inline QStringList words(const char *text, const QString &path = {})
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts).replaceInStrings(QStringLiteral("%1"), path);
}

}  // namespace plakatron::test
