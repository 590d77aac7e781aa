// The desk's whole flow with the real screens: an unknown identification
// leads to the new-patient screen, the patient is then picked in the patient
// search, the tubes and exams are chosen, F2 saves and a new record is ready.
#include "agenda/dmcrm.h"
#include "common/ScriptedDialogs.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "patients/nvotercerotm.h"
#include "patients/registro_busqueda.h"
#include "patients/registro_ficha.h"
#include "patients/tercerostm.h"
#include "samples/dmips.h"
#include "samples/registro_muestras.h"
#include "samples/tomamuest.h"
#include "tests/support/TestDatabases.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
template <typename T> T* abierta(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            if (auto* s = qobject_cast<T*>(w))
                return s;
    return nullptr;
}

void escribir(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void elegir(QComboBox* combo, const QString& value) {
    combo->setCurrentIndex(combo->findData(value));
    emit combo->activated(combo->currentIndex());
}
} // namespace

TEST(FlujoMostrador, PacienteNuevoBuscadoYMuestraGrabada) {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    dm.diraplicacion = [&] { return dir.path(); };
    dm.cod_usuario = QStringLiteral("RECEPCION");
    dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
    dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
    dm.Zentavo.open();
    dm.cargue_configuracion();
    pantallas::olvidar_todas();
    registrar_busqueda_pacientes();
    registrar_ficha_pacientes();
    registrar_pantallas_muestras();
    QStringList impresas;
    pantallas::registrar(QStringLiteral("Fimprmuestra"), [&](ScreenBase*) { impresas << Fdmips->id_muestra; });

    ASSERT_TRUE(pantallas::abrir(QStringLiteral("Ftomamuest")));
    auto* toma = abierta<Tftomamuest>(QStringLiteral("Ftomamuest"));
    ASSERT_TRUE(toma);

    // an unknown identification: Yes opens the new-patient screen with it
    const QString nit = QStringLiteral("77001122");
    dialogs.answers = {true};
    escribir(toma->DBEditNit, nit);
    auto* nuevo = abierta<Tfnvotercerotm>(QStringLiteral("Fnvotercerotm"));
    ASSERT_TRUE(nuevo) << dialogs.questions.join(QLatin1Char('|')).toStdString() << " / "
                       << dialogs.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(nuevo->DBEditNit->text(), nit);
    EXPECT_TRUE(fdmter->nit_pendiente.isEmpty());
    elegir(nuevo->DBLookupTipoid, QStringLiteral("C"));
    escribir(nuevo->DBEditApellido1, QStringLiteral("PEÑA"));
    escribir(nuevo->DBEditApellido2, QStringLiteral("O'BRIEN"));
    escribir(nuevo->DBEditNombre1, QStringLiteral("ANA"));
    ASSERT_TRUE(nuevo->SBGrabarClick()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString nombre = QStringLiteral("PEÑA O'BRIEN ANA ");
    EXPECT_EQ(fdmter->nom_tercero(nit), nombre);

    // picked in the patient search, the name fills in when sample taking is active again
    toma->SBPaciente->click();
    auto* busca = abierta<Tftercerostm>(QStringLiteral("Ftercerostm"));
    ASSERT_TRUE(busca);
    EXPECT_FALSE(busca->modoMantenimiento());
    ASSERT_TRUE(busca->CTerceros->locate({QStringLiteral("TERC_NIT")}, {Value(nit)}));
    busca->SBSelecClick();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(abierta<Tftercerostm>(QStringLiteral("Ftercerostm")));
    EXPECT_EQ(fdmter->nit_pendiente, nit);
    QEvent activa(QEvent::WindowActivate);
    QApplication::sendEvent(toma, &activa);
    EXPECT_TRUE(fdmter->nit_pendiente.isEmpty());
    EXPECT_EQ(toma->DBEditNom->text(), nombre);

    // two tubes with their exams, saved under a new number
    toma->CBNromues->setCurrentText(QStringLiteral("2"));
    elegir(toma->CBNromues, QStringLiteral("2"));
    elegir(toma->CBExamen[0], QStringLiteral("1"));
    elegir(toma->CBExamen[1], QStringLiteral("2"));
    ASSERT_TRUE(toma->SBGrabarClick()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(impresas.size(), 1);
    const QString id = impresas.first();
    EXPECT_EQ(dm.valor(QStringLiteral("select toma_nit from toma_muestra where toma_id = ") + id).toString(), nit);
    EXPECT_EQ(dm.valor(QStringLiteral("select toma_nromues from toma_muestra where toma_id = ") + id).toInt(), 2);
    EXPECT_EQ(dm.valor(QStringLiteral("select toma_examen2 from toma_muestra where toma_id = ") + id).toInt(), 2);
    EXPECT_EQ(dm.valor(QStringLiteral("select count(*) from impr_muestra(") + id + QStringLiteral(")")).toInt(), 2);
    // a new record is ready
    EXPECT_EQ(toma->CTomamuest->state(), ClientDataSet::State::Insert);
    EXPECT_TRUE(toma->DBEditNit->text().isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    toma->closeScreen();
    pantallas::olvidar_todas();
}
