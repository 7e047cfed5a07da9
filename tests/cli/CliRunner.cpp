#include "cli/CliRunner.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace plakatron::test {

CliRun runCli(const QStringList &arguments, const QStringList &extraEnvironment)
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

}  // namespace plakatron::test
