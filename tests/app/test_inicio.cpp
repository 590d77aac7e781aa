// The start-up sequence with real windows and the real databases: login,
// company from the registry or from the list, the user's profile checks, and
// the main window's buttons.
#include "agenda/dmcrm.h"
#include "app/companias.h"
#include "app/ctrlacceso.h"
#include "app/principal.h"
#include "common/ScriptedDialogs.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "tests/support/TestDatabases.h"
#include "ui/Pantallas.h"
#include "ui/ScreenBase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
class Inicio : public ::testing::Test {
protected:
    void SetUp() override {
        root = TestDatabases::freshInstallation(dir);
        qputenv("TEVANOR_REGISTRY", dir.filePath(QStringLiteral("registro.ini")).toLocal8Bit());
        pantallas::olvidar_todas();
        principal = std::make_unique<TFprincipal>();
        principal->primera_activacion = false; // the tests run the sequence themselves
        principal->timerCompromisos.stop();
        principal->timerMensajes.stop();
        principal->timerCitas.stop();
    }
    void TearDown() override {
        principal.reset();
        qunsetenv("TEVANOR_REGISTRY");
        pantallas::olvidar_todas();
    }
    void registro(const QString& compania) {
        QSettings s(dir.filePath(QStringLiteral("registro.ini")), QSettings::IniFormat);
        s.setValue(QStringLiteral("Directorio"), root);
        s.setValue(QStringLiteral("Compania"), compania);
    }
    // Logs in as `usuario` when the login dialog shows; `companias` runs on
    // the company list if it shows.
    void iniciar(const QString& usuario, std::function<void(Tfcompanias*)> companias = {}) {
        principal->al_crear_acceso = [this, usuario](Tfacceso& acceso) {
            acceso.Tusua->setText(usuario);
            acceso.TClave->setText(QStringLiteral("x"));
            acceso.Servidor->setCurrentText(root);
            QTimer::singleShot(0, &acceso, [&acceso] { acceso.SBEntrarClick(); });
        };
        QTimer poll;
        if (companias) {
            poll.setInterval(20);
            QObject::connect(&poll, &QTimer::timeout, [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* c = qobject_cast<Tfcompanias*>(w); c && c->isVisible()) {
                        poll.stop();
                        companias(c);
                        return;
                    }
            });
            poll.start();
        }
        principal->primera_activacion = true;
        principal->show();
        principal->secuencia_inicio();
    }

    QTemporaryDir dir;
    QString root;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    std::unique_ptr<TFprincipal> principal;
};
} // namespace

TEST_F(Inicio, CompanyFromTheRegistry) {
    registro(QStringLiteral("001"));
    bool listaMostrada = false;
    iniciar(QStringLiteral("admin"), [&](Tfcompanias* c) {
        listaMostrada = true;
        c->closeScreen();
    });
    EXPECT_FALSE(listaMostrada);
    EXPECT_FALSE(principal->primera_activacion);
    EXPECT_TRUE(principal->isVisible());
    EXPECT_EQ(principal->NomCia->text(), dm.configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                          QStringLiteral("NOMBRE COMPAÑIA")));
    EXPECT_EQ(principal->EUsuario->text(), QStringLiteral("ADMINISTRADOR DEL SISTEMA"));
    EXPECT_EQ(dm.cod_usuario, QStringLiteral("ADMIN"));
    EXPECT_TRUE(principal->es_administrador);
    EXPECT_EQ(principal->cod_asesor, QStringLiteral("1"));
    EXPECT_FALSE(principal->logo_compania.isNull());
    EXPECT_EQ(dm.duracion_busqueda % 1000, 0);
    EXPECT_GT(dm.duracion_busqueda, 0);
    EXPECT_TRUE(dm.Zentavo.isOpen());
    EXPECT_FALSE(dm.ConGeneral.isOpen()); // reopened on demand by later readers
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(Inicio, CompanyFromTheListOrEscEnds) {
    registro(QString());
    iniciar(QStringLiteral("recepcion"), [](Tfcompanias* c) {
        QTest::keyClick(c, Qt::Key_F10);
    });
    EXPECT_EQ(principal->cod_compania, QStringLiteral("001"));
    EXPECT_FALSE(principal->primera_activacion);
    EXPECT_EQ(principal->EUsuario->text(), QStringLiteral("RECEPCION TOMA DE MUESTRAS"));
    EXPECT_FALSE(principal->es_administrador);

    // a fresh run where the user leaves the list with Esc ends the program
    principal->cod_compania.clear();
    iniciar(QStringLiteral("recepcion"), [](Tfcompanias* c) { QTest::keyClick(c, Qt::Key_Escape); });
    EXPECT_FALSE(principal->isVisible());
}

TEST_F(Inicio, UnknownUsersEndTheProgram) {
    registro(QStringLiteral("001"));
    // known to the database engine but not in the general users
    iniciar(QStringLiteral("fulano"));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Usuario no registrado.")});
    EXPECT_FALSE(principal->isVisible());
    EXPECT_FALSE(principal->primera_activacion);

    // in the general users but without a profile in the company
    dm.ejecutar(QStringLiteral("insert into usuario (usua_cod, usua_nombre, usua_admin) values ('OTRO', 'OTRO USUARIO', 'N')"),
                &dm.ConGeneral);
    dm.ConGeneral.close();
    iniciar(QStringLiteral("otro"));
    EXPECT_EQ(dialogs.errors.last(), QStringLiteral("Nombre de usuario incorrecto"));
    EXPECT_FALSE(principal->isVisible());
}

TEST_F(Inicio, MissingCompanyDatabaseIsReportedAndTheSequenceRunsAgain) {
    registro(QStringLiteral("002"));
    iniciar(QStringLiteral("admin"));
    EXPECT_EQ(dialogs.errors.last(), QStringLiteral("No se encontró el archivo o la ruta ") + root +
                                         QStringLiteral("/datos/002/zentavo.fdb"));
    EXPECT_TRUE(principal->primera_activacion); // the next activation starts over with the login
}

TEST_F(Inicio, PatientsButtonBringsTheOpenSearchToTheFront) {
    int creadas = 0;
    pantallas::registrar(QStringLiteral("Ftercerostm"), [&](ScreenBase* owner) {
        ++creadas;
        auto* s = new ScreenBase(owner, false);
        s->setObjectName(QStringLiteral("Ftercerostm"));
        s->setWindowTitle(QStringLiteral("Busqueda de Terceros"));
        s->showAsChild();
    });
    pantallas::registrar(QStringLiteral("Ftomamuest"), [&](ScreenBase* owner) {
        auto* s = new ScreenBase(owner, false);
        s->setObjectName(QStringLiteral("Ftomamuest"));
        s->showAsChild();
    });
    principal->show();
    principal->SBPacientesClick();
    EXPECT_TRUE(dm.solo_consulta);
    principal->SBTomamuestraClick();
    principal->SBTomamuestraClick(); // each press a new window
    EXPECT_EQ(principal->childCount(), 3);
    principal->SBPacientesClick();
    EXPECT_EQ(creadas, 1);
    EXPECT_EQ(principal->childCount(), 3);
    EXPECT_EQ(principal->mdiArea()->activeSubWindow()->widget()->objectName(), QStringLiteral("Ftercerostm"));
    principal->SBFormatoClick();
    EXPECT_EQ(dm.tipo_formato, QStringLiteral("99"));
    EXPECT_EQ(dm.prefijo_formato, QStringLiteral("0000"));
    principal->mdiArea()->closeAllSubWindows();
}
