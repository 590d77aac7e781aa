// The login dialog: the server list, the keys, the password check by the
// database server, what a successful login leaves behind, and Esc.
#include "app/ctrlacceso.h"
#include "data/FbConnection.h"
#include "tests/app/test_login_entorno.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

using namespace entorno;

namespace {

struct CasoServidores {
    const char* nombre;
    QByteArray contenido; // empty: no file at all
    QStringList lineas;
};

class ListaServidores : public ::testing::TestWithParam<CasoServidores> {};

// SERVIDORES.cfg read byte by byte: CR LF and LF end lines, an empty line is
// an item, a last line without an end is left out, lines keep 255 characters.
TEST_P(ListaServidores, UnaLineaPorUbicacion) {
    const CasoServidores& caso = GetParam();
    QTemporaryDir dir;
    registro(dir.filePath(QStringLiteral("registro.ini")), dir.path(), QStringLiteral("001"));
    if (!caso.contenido.isEmpty())
        escribeArchivo(dir.filePath(QStringLiteral("SERVIDORES.cfg")), caso.contenido);
    ScriptedDialogs dialogos;
    Tfacceso acceso;
    QStringList items;
    for (int i = 0; i < acceso.Servidor->count(); ++i)
        items << acceso.Servidor->itemText(i);
    EXPECT_EQ(items, caso.lineas);
    EXPECT_EQ(acceso.Servidor->currentText(), caso.lineas.value(0));
    EXPECT_TRUE(dialogos.errors.isEmpty());
    qunsetenv("TEVANOR_REGISTRY");
}

const QString kLarga = QString(300, QLatin1Char('x'));

INSTANTIATE_TEST_SUITE_P(
    Archivos, ListaServidores,
    ::testing::Values(
        CasoServidores{"crlf", "srv1:/datos\r\nsrv2/3051:/otra\r\n", {"srv1:/datos", "srv2/3051:/otra"}},
        CasoServidores{"lf", "srv1:/datos\nsrv2:/otra\n", {"srv1:/datos", "srv2:/otra"}},
        CasoServidores{"ultima_sin_fin", "srv1:/datos\r\nsrv2:/otra", {"srv1:/datos"}},
        CasoServidores{"linea_vacia", "a\n\nb\r\n", {"a", "", "b"}},
        CasoServidores{"larga", kLarga.toLatin1() + "\r\n", {kLarga.left(255)}},
        CasoServidores{"sin_archivo", QByteArray(), {}}),
    [](const ::testing::TestParamInfo<CasoServidores>& p) { return std::string(p.param.nombre); });

class Acceso : public Escritorio {};

// Focus starts in Tusua, Enter walks the fields, Esc ends the program at
// once without touching either database.
TEST_F(Acceso, EscTerminaSinTocarLasBases) {
    principal->show();
    bool visto = false;
    cuando<Tfacceso>([&](Tfacceso* a) {
        visto = true;
        EXPECT_EQ(a->windowTitle(), QStringLiteral("Control de acceso"));
        EXPECT_EQ(a->TClave->echoMode(), QLineEdit::Password);
        EXPECT_FALSE(a->Panel->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), a->Tusua);
        QTest::keyClicks(a->Tusua, QStringLiteral("admin"));
        QTest::keyClick(a->Tusua, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), a->TClave);
        QTest::keyClick(a->TClave, Qt::Key_Return);
        EXPECT_TRUE(a->Servidor->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == a->Servidor);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter in Servidor: next control
        EXPECT_EQ(QApplication::focusWidget(), a->SBEntrar);
        QTest::keyClick(a->Tusua, Qt::Key_Escape);
    });
    principal->secuencia_inicio();
    EXPECT_TRUE(visto);
    EXPECT_FALSE(principal->isVisible()); // the program ended
    EXPECT_FALSE(fdm->ConGeneral.isOpen());
    EXPECT_FALSE(fdm->Zentavo.isOpen());
    EXPECT_TRUE(fdm->cod_usuario.isEmpty());
    EXPECT_FALSE(QFile::exists(raiz + QStringLiteral("/conexion.cfg")));
    EXPECT_TRUE(dialogos->errors.isEmpty());
}

// conexion.cfg that cannot be written: the error goes through the handler,
// the dialog stays open connected, and the login context stays unset.
TEST_F(Acceso, ConexionCfgNoEscribible) {
    ASSERT_TRUE(QDir().mkdir(raiz + QStringLiteral("/conexion.cfg"))); // a folder where the file should go
    bool aceptado = true;
    cuando<Tfacceso>([&](Tfacceso* a) {
        teclea(a->Tusua, QStringLiteral("admin"));
        teclea(a->TClave, QStringLiteral("x"));
        a->Servidor->setCurrentText(raiz);
        QTest::keyClick(a->Tusua, Qt::Key_F2);
        ASSERT_EQ(dialogos->errors.size(), 1);
        EXPECT_TRUE(dialogos->errors[0].startsWith(QStringLiteral("Se presento el siguiente error: ")))
            << dialogos->errors[0].toStdString();
        EXPECT_TRUE(dialogos->errors[0].contains(QStringLiteral("conexion.cfg")));
        EXPECT_TRUE(a->isVisible());
        EXPECT_TRUE(fdm->ConGeneral.isOpen());
        EXPECT_TRUE(fdm->cod_usuario.isEmpty());
        EXPECT_TRUE(principal->servidor.isEmpty());
        a->closeScreen();
    });
    Tfacceso acceso;
    acceso.execModal();
    aceptado = acceso.aceptado();
    EXPECT_FALSE(aceptado);
}

// A login of the database server: a wrong password is refused by the server
// and the dialog stays open with the panel up; the right one then gets in.
// The name typed in lower case reaches the server as typed and is kept in
// upper case for everything else.
TEST_F(Acceso, ClaveProbadaPorElServidor) {
    const QString host = TestDatabases::serverHost();
    if (host.isEmpty())
        GTEST_SKIP() << "sin servidor Firebird";
    const QString sufijo = QString::number(QRandomGenerator::global()->bounded(100000, 999999));
    const QString usuario = QStringLiteral("tml") + sufijo; // what the user types
    const QString codigo = usuario.toUpper();
    const QString remoto = TestDatabases::serverDir() + QStringLiteral("/login-") + sufijo;
    ASSERT_TRUE(QDir().mkpath(remoto + QStringLiteral("/datos")));
    for (const QString& d : {remoto, remoto + QStringLiteral("/datos")})
        QFile(d).setPermissions(QFileDevice::Permissions(0x7777));
    const QString servidor = host + QLatin1Char(':') + remoto;
    const QString general = servidor + QStringLiteral("/datos/general.fdb");
    FbConnection::createDatabase(general, QStringLiteral("SYSDBA"), TestDatabases::sysdbaPassword());
    Installation::runBundledScript(general, QStringLiteral("general.sql"));
    Installation::runBundledScript(general, QStringLiteral("demo_general.sql"));
    FbConnection sysdba;
    sysdba.setParam(QStringLiteral("Database"), general);
    sysdba.setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    sysdba.setParam(QStringLiteral("password"), TestDatabases::sysdbaPassword());
    sysdba.open();
    fdm->ejecutar(QStringLiteral("create user ") + codigo + QStringLiteral(" password 'bueno'"), &sysdba);
    struct Limpieza {
        std::function<void()> f;
        ~Limpieza() { f(); }
    } limpieza{[&] {
        fdm->ConGeneral.close();
        fdm->protect([&] { fdm->ejecutar(QStringLiteral("drop user ") + codigo, &sysdba); });
        sysdba.close();
        QDir(remoto).removeRecursively();
    }};
    fdm->ejecutar(QStringLiteral("insert into usuario (usua_cod, usua_nombre, usua_admin) values ('") + codigo +
                      QStringLiteral("', 'Usuaria de Prueba', 'N')"),
                  &sysdba);
    escribeArchivo(raiz + QStringLiteral("/SERVIDORES.cfg"), (servidor + QStringLiteral("\r\n")).toUtf8());

    cuando<Tfacceso>([&](Tfacceso* a) {
        EXPECT_EQ(a->Servidor->currentText(), servidor);
        teclea(a->Tusua, usuario);
        teclea(a->TClave, QStringLiteral("malo"));
        QTest::keyClick(a->TClave, Qt::Key_F2);
        EXPECT_EQ(dialogos->errors, QStringList{QStringLiteral("El nombre de Usuario o la clave son incorrectas.")});
        EXPECT_TRUE(a->isVisible());
        EXPECT_TRUE(a->Panel->isVisible());
        EXPECT_FALSE(fdm->ConGeneral.isOpen());
        EXPECT_TRUE(fdm->cod_usuario.isEmpty());
        teclea(a->TClave, QStringLiteral("bueno"));
        QTest::keyClick(a->TClave, Qt::Key_F2); // the user may try again at once
    });
    Tfacceso acceso;
    acceso.execModal();

    EXPECT_TRUE(acceso.aceptado());
    EXPECT_EQ(dialogos->errors.size(), 1);
    EXPECT_TRUE(fdm->ConGeneral.isOpen());
    EXPECT_EQ(fdm->ConGeneral.param(QStringLiteral("User_Name")), usuario);
    EXPECT_EQ(fdm->ConGeneral.param(QStringLiteral("Database")), general);
    EXPECT_EQ(fdm->cod_usuario, codigo);
    EXPECT_EQ(principal->clave, QStringLiteral("bueno"));
    EXPECT_EQ(principal->servidor, servidor);
    EXPECT_EQ(principal->EUsuario->text(), QStringLiteral("Usuaria de Prueba"));
    EXPECT_EQ(leeArchivo(raiz + QStringLiteral("/conexion.cfg")), (servidor + QStringLiteral("\r\n")).toUtf8());
    // the refusal was logged with an empty user
    EXPECT_TRUE(leeArchivo(raiz + QStringLiteral("/ERRORES.TXT")).contains(",,"));
}

} // namespace
