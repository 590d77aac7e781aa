#include "agenda/dmcrm.h"
#include "app/ctrlacceso.h"
#include "app/principal.h"
#include "data/FbEnvironment.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "patients/registro_busqueda.h"
#include "patients/registro_ficha.h"
#include "samples/registro_muestras.h"
#include "ui/Pantallas.h"
#include "samples/dmips.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QElapsedTimer inicio;
    inicio.start();
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
    // Every screen that can be opened by name.
    registrar_busqueda_pacientes();
    registrar_ficha_pacientes();
    registrar_pantallas_muestras();
    // --usuario, --clave and --servidor fill the login dialog; --entrar
    // presses "F2: &Entrar"; --medir-inicio prints the time from start to the
    // main window with its company and user, then ends.
    auto option = [&](const char* name) {
        const int i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
    };
    const bool entrar = args.contains(QStringLiteral("--entrar"));
    if (!option("--usuario").isEmpty() || entrar) {
        principal.al_crear_acceso = [&](Tfacceso& acceso) {
            acceso.Tusua->setText(option("--usuario"));
            acceso.TClave->setText(option("--clave"));
            if (!option("--servidor").isEmpty())
                acceso.Servidor->setCurrentText(option("--servidor"));
            if (entrar)
                QTimer::singleShot(0, &acceso, [&acceso] { acceso.SBEntrarClick(); });
        };
    }
    // --abrir NAME opens a screen by name once the session has started.
    QObject::connect(&principal, &TFprincipal::sesionIniciada, &principal, [&] {
        for (int i = 0; i + 1 < args.size(); ++i)
            if (args.at(i) == QStringLiteral("--abrir"))
                pantallas::abrir(args.at(i + 1));
    });
    if (args.contains(QStringLiteral("--medir-inicio"))) {
        QObject::connect(&principal, &TFprincipal::sesionIniciada, &principal, [&] {
            QApplication::processEvents(); // the window with its company and user is drawn
            QTextStream(stdout) << "inicio_ms " << inicio.elapsed() << Qt::endl;
            QTimer::singleShot(0, &principal, [&] { principal.close(); });
        });
    }
    // Maximized; the whole available screen where no window manager does it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        principal.setGeometry(screen->availableGeometry());
    principal.showMaximized();
    return app.exec();
}
