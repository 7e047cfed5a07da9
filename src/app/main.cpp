#include "app/modXPManifest.h"
#include "core/ProgramWide.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(plakatron::appTitle());
    QApplication::setApplicationVersion(plakatron::versionText());
    if (!plakatron::modXPManifest::Main())
        return 1;
    return QApplication::exec();
}
