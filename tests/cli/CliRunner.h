#pragma once
// Runs the real plakatron-cli binary of this build.

#include <QByteArray>
#include <QStringList>

namespace plakatron::test {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList &arguments, const QStringList &extraEnvironment = {});

}  // namespace plakatron::test
