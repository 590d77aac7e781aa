// One workstation of the two-workstation test: saves samples through the
// sample-taking screen against a database on the server, as fast as it can.
// Usage: estacion_muestras DATABASE USER PASSWORD COUNT
#include "agenda/dmcrm.h"
#include "common/ScriptedDialogs.h"
#include "data/FbEnvironment.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "samples/tomamuest.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    FbEnvironment::prepareConfiguration();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 5)
        return 2;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    dm.cod_usuario = QString::fromLocal8Bit(argv[2]);
    dm.Zentavo.setParam(QStringLiteral("Database"), QString::fromLocal8Bit(argv[1]));
    dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
    dm.Zentavo.setParam(QStringLiteral("password"), QString::fromLocal8Bit(argv[3]));
    dm.Zentavo.open();
    dm.cargue_configuracion();
    QStringList saved;
    pantallas::registrar(QStringLiteral("Fimprmuestra"), [&](ScreenBase*) { saved << Fdmips->id_muestra; });
    const QString nit = dm.valor(QStringLiteral("select first 1 terc_nit from terceros where terc_estado = 'S'")).toString();
    auto* screen = new Tftomamuest;
    screen->show();
    const int count = QString::fromLocal8Bit(argv[4]).toInt();
    for (int i = 0; i < count; ++i) {
        screen->DBEditNit->setFocus();
        screen->DBEditNit->setText(nit);
        QTest::keyClick(screen->DBEditNit, Qt::Key_Return);
        QComboBox* exam = screen->CBExamen[0];
        exam->setCurrentIndex(i % exam->count());
        emit exam->activated(exam->currentIndex());
        if (!screen->SBGrabarClick())
            fprintf(stderr, "save %d refused: %s\n", i, qPrintable(dialogs.errors.join(QLatin1Char('|'))));
    }
    for (const QString& id : saved)
        printf("%s\n", qPrintable(id));
    screen->closeScreen();
    return dialogs.errors.isEmpty() ? 0 : 1;
}
