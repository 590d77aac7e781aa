#include "agenda/dmcrm.h"
#include "app/principal.h"
#include "data/FbEnvironment.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    // The client library reads its configuration once; point it at ours first.
    FbEnvironment::prepareConfiguration();
    const QStringList args = [&] {
        QStringList a;
        for (int i = 0; i < argc; ++i)
            a << QString::fromLocal8Bit(argv[i]);
        return a;
    }();
    const int init = args.indexOf(QStringLiteral("--init-installation"));
    if (init >= 0) {
        QCoreApplication app(argc, argv);
        QTextStream err(stderr);
        if (init + 1 >= args.size()) {
            err << "Uso: tomamuestras --init-installation CARPETA\n";
            return 2;
        }
        try {
            Installation::create(args.at(init + 1));
        } catch (const std::exception& e) {
            err << QString::fromUtf8(e.what()) << '\n';
            return 1;
        }
        QTextStream(stdout) << "Instalación creada en " << args.at(init + 1) << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Toma de muestras laboratorio"));
    // The data modules first, the shared one before all others; they live
    // until the program ends.
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    TFprincipal principal;
    principal.showMaximized();
    return app.exec();
}
