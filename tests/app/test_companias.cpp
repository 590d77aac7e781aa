// The working companies: the list with its rights, choosing and leaving,
// the new company (code check, creation, refusals and failures half way),
// the company record and the deletion of a company.
#include "app/companias.h"
#include "app/conscompania.h"
#include "app/ctrlacceso.h"
#include "app/fichacompania.h"
#include "app/nvacompania.h"
#include "data/DataSetModel.h"
#include "tests/app/test_login_entorno.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

using namespace entorno;

namespace {

// Fails when a dialog of type T shows up within `ms`; closes it if it does.
template <class T>
void nunca(int ms) {
    auto* timer = new QTimer;
    auto* reloj = new QElapsedTimer;
    reloj->start();
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, reloj, ms] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "se abrió " << T::staticMetaObject.className();
            w->close();
        } else if (reloj->elapsed() <= ms) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        delete reloj;
    });
    timer->start();
}

class Companias : public Escritorio {
protected:
    // Runs the company list with `paso` acting on it once it is up.
    void lista(std::function<void(Tfcompanias*)> paso) {
        cuando<Tfcompanias>(std::move(paso));
        Tfcompanias companias;
        companias.execModal();
    }
    // Puts a pure template in sop/ (the demo installation's holds demo rows).
    void plantillaLimpia() {
        const QString sop = raiz + QStringLiteral("/sop/zentavo.fdb");
        QFile::remove(sop);
        ASSERT_TRUE(QFile::copy(plantilla(), sop));
        QFile(sop).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                                  QFileDevice::WriteOther);
    }
    QString cuenta(const QString& sql) { return general(QStringLiteral("select count(*) from ") + sql); }
};

// A user who is not an administrator sees the three buttons disabled and
// their keys do nothing; Enter and F10 still choose the company.
TEST_F(Companias, NoAdministradorSoloEscoge) {
    conecta(QStringLiteral("RECEPCION"));
    for (const int tecla : {int(Qt::Key_Return), int(Qt::Key_F10)}) {
        principal->cod_compania.clear();
        principal->conectar_compania = false;
        principal->NomCia->clear();
        lista([&](Tfcompanias* l) {
            EXPECT_EQ(l->windowTitle(), QStringLiteral("Compañías de trabajo"));
            EXPECT_FALSE(l->SBNuevo->isEnabled());
            EXPECT_FALSE(l->SBModificar->isEnabled());
            EXPECT_FALSE(l->SBBorrar->isEnabled());
            EXPECT_TRUE(l->SBSelec->isEnabled());
            EXPECT_TRUE(l->SBSalir->isEnabled());
            ASSERT_EQ(l->DCompanias->rowCount(), 1);
            QStringList titulos;
            QList<int> anchos;
            for (int c = 0; c < l->DCompanias->columnCount(); ++c) {
                titulos << l->DCompanias->headerData(c, Qt::Horizontal).toString();
                anchos << l->Grid->columnWidth(c);
            }
            EXPECT_EQ(titulos, QStringList({QStringLiteral("Código"), QStringLiteral("Nombre"), QStringLiteral("NIT"),
                                            QStringLiteral("Dirección"), QStringLiteral("Teléfonos"),
                                            QStringLiteral("Encabezado")}));
            EXPECT_EQ(anchos.mid(1), QList<int>({180, 100, 180, 180, 180}));

            nunca<Tfnvacompania>(300);
            QTest::keyClick(l->Grid, Qt::Key_F5);
            nunca<Tfconscompania>(300);
            QTest::keyClick(l->Grid, Qt::Key_F4);
            QTest::keyClick(l->Grid, Qt::Key_F3, Qt::AltModifier);
            QTest::qWait(350);
            EXPECT_EQ(QApplication::activeModalWidget(), l);
            EXPECT_TRUE(dialogos->questions.isEmpty());
            EXPECT_TRUE(principal->cod_compania.isEmpty());
            QTest::keyClick(l->Grid, Qt::Key(tecla));
        });
        EXPECT_EQ(principal->cod_compania, QStringLiteral("001"));
        EXPECT_EQ(principal->NomCia->text(), QStringLiteral("LABORATORIO CLINICO DEMO"));
        EXPECT_TRUE(principal->conectar_compania);
    }
    EXPECT_EQ(cuenta(QStringLiteral("compania")), QStringLiteral("1"));
    EXPECT_TRUE(QFile::exists(raiz + QStringLiteral("/datos/001/zentavo.fdb")));
    EXPECT_TRUE(dialogos->errors.isEmpty());
}

// Esc never connects; it ends the program only when no company is set.
TEST_F(Companias, EscTerminaSinCompania) {
    conecta(QStringLiteral("RECEPCION"));
    principal->primera_activacion = false; // no start-up sequence on showing it
    principal->show();
    for (const QString& codigo : {QStringLiteral("001"), QString()}) {
        principal->cod_compania = codigo;
        principal->conectar_compania = true;
        lista([](Tfcompanias* l) { QTest::keyClick(l->Grid, Qt::Key_Escape); });
        EXPECT_FALSE(principal->conectar_compania);
        EXPECT_EQ(principal->isVisible(), !codigo.isEmpty()) << codigo.toStdString();
    }
}

// The code of a new company: three letters or digits, no blanks, not taken.
// Each refusal empties the code; code and name are both required.
TEST_F(Companias, CodigoDeNuevaCompania) {
    conecta(QStringLiteral("ADMIN"));
    const QString tres = QStringLiteral("El código debe incluir tres dígitos o letras.");
    const QString espacios = QStringLiteral("El nombre de la compañía no debe incluir espacios.");
    const QString registrada = QStringLiteral("Error, compañía ya registrada.");
    const QString faltan = QStringLiteral("Debe indicar el código y el nombre de la compañía.");
    const std::pair<QString, QString> casos[] = {
        {QStringLiteral("01"), tres},       {QStringLiteral("0 1"), espacios}, {QStringLiteral(" 01"), espacios},
        {QStringLiteral("01 "), espacios},  {QStringLiteral("0/1"), tres},     {QStringLiteral(".."), tres},
        {QStringLiteral("001"), registrada}};
    cuando<Tfnvacompania>([&](Tfnvacompania* n) {
        EXPECT_EQ(n->windowTitle(), QStringLiteral("Nueva compañía"));
        EXPECT_FALSE(n->PProgreso->isVisible());
        for (const auto& [codigo, mensaje] : casos) {
            dialogos->errors.clear();
            teclea(n->Ficha->ECodigo, codigo);
            EXPECT_EQ(dialogos->errors, QStringList{mensaje}) << codigo.toStdString();
            EXPECT_TRUE(n->Ficha->ECodigo->text().isEmpty()) << codigo.toStdString();
            EXPECT_TRUE(n->CCompania.isNull(QStringLiteral("COMP_COD")));
        }
        dialogos->errors.clear();
        teclea(n->Ficha->ENombre, QStringLiteral("SIN CODIGO"));
        QTest::keyClick(n->Ficha->ENombre, Qt::Key_F2);
        teclea(n->Ficha->ECodigo, QStringLiteral("0A2"));
        teclea(n->Ficha->ENombre, QString());
        QTest::keyClick(n->Ficha->ENombre, Qt::Key_F2);
        EXPECT_EQ(dialogos->errors, QStringList({faltan, faltan}));
        EXPECT_TRUE(n->isVisible());
        QTest::keyClick(n->Ficha->ENombre, Qt::Key_Escape);
    });
    Tfnvacompania nueva;
    nueva.execModal();
    EXPECT_FALSE(nueva.grabado());
    EXPECT_FALSE(QFileInfo::exists(raiz + QStringLiteral("/datos/0A2")));
    EXPECT_EQ(cuenta(QStringLiteral("compania")), QStringLiteral("1"));
}

// A new company from the list: the template is copied and prepared, the
// creating user gets a profile and a link, the COMPANIA row carries the
// logo; a later login works in it.
TEST_F(Companias, NuevaCompaniaSePuedeAbrir) {
    plantillaLimpia();
    conecta(QStringLiteral("ADMIN"));
    const QString nombre = QStringLiteral("LABORATORIO D'ORIENTE");
    const QString logo = dir.filePath(QStringLiteral("logo.bmp"));
    QImage imagen(48, 24, QImage::Format_RGB32);
    imagen.fill(QColor(200, 30, 40));
    ASSERT_TRUE(imagen.save(logo, "BMP"));
    dialogos->fileNames.push_back(logo);

    lista([&](Tfcompanias* l) {
        EXPECT_EQ(l->DCompanias->rowCount(), 1);
        cuando<Tfnvacompania>([&](Tfnvacompania* n) {
            teclea(n->Ficha->ECodigo, QStringLiteral("002"));
            teclea(n->Ficha->ENombre, nombre);
            teclea(n->Ficha->ENit, QStringLiteral("900777888"));
            teclea(n->Ficha->EDireccion, QStringLiteral("CALLE 1 # 2-3"));
            teclea(n->Ficha->ETelefonos, QStringLiteral("555 1234"));
            teclea(n->Ficha->EEncabezado, QStringLiteral("SEDE ORIENTE"), false); // still being typed
            QTest::mouseClick(n->Ficha->ILogo, Qt::LeftButton);
            EXPECT_FALSE(n->Ficha->ILogo->pixmap().isNull());
            QTest::keyClick(n->Ficha->EEncabezado, Qt::Key_F2);
        });
        QTest::keyClick(l->Grid, Qt::Key_F5);
        EXPECT_EQ(l->DCompanias->rowCount(), 2); // refreshed
        l->closeScreen();
    });
    EXPECT_TRUE(dialogos->errors.isEmpty()) << dialogos->errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dialogos->questions.size(), 0);
    ASSERT_TRUE(QFile::exists(raiz + QStringLiteral("/datos/002/zentavo.fdb")));
    EXPECT_EQ(general(QStringLiteral("select com_nombre from compania where comp_cod = '002'")), nombre);
    EXPECT_EQ(general(QStringLiteral("select comp_encabezado from compania where comp_cod = '002'")),
              QStringLiteral("SEDE ORIENTE"));
    EXPECT_EQ(fdm->valor(QStringLiteral("select comp_logo from compania where comp_cod = '002'"), &fdm->ConGeneral)
                  .toBytes(),
              leeArchivo(logo));
    EXPECT_EQ(cuenta(QStringLiteral("compania_usuario where comp_cod = '002' and usua_cod = 'ADMIN'")),
              QStringLiteral("1"));
    EXPECT_EQ(cuenta(QStringLiteral("compania_usuario where comp_cod = '002'")), QStringLiteral("1"));

    // A second login, with the new company as the registry's company.
    registro(ini, raiz, QStringLiteral("002"));
    fdm->ConGeneral.close();
    bool iniciada = false;
    QObject::connect(principal.get(), &TFprincipal::sesionIniciada, [&] { iniciada = true; });
    cuando<Tfacceso>([&](Tfacceso* a) {
        teclea(a->Tusua, QStringLiteral("admin"));
        teclea(a->TClave, QStringLiteral("clave"));
        a->Servidor->setCurrentText(raiz);
        QTest::keyClick(a->Tusua, Qt::Key_F2);
    });
    principal->show();
    principal->secuencia_inicio();
    ASSERT_TRUE(iniciada) << dialogos->errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(principal->cod_compania, QStringLiteral("002"));
    EXPECT_EQ(principal->NomCia->text(), nombre);
    EXPECT_EQ(fdm->configuracion(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"), QStringLiteral("NIT COMPAÑIA")),
              QStringLiteral("900777888"));
    EXPECT_EQ(fdm->valor(QStringLiteral("select sucu_nombre || '|' || sucu_direccion || '|' || sucu_telefonos from "
                                        "sucursales where sucu_id = 1"))
                  .toString(),
              nombre + QStringLiteral("|CALLE 1 # 2-3|555 1234"));
    EXPECT_EQ(fdm->valor(QStringLiteral("select count(*) from sucursales")).toString(), QStringLiteral("1"));
    EXPECT_EQ(fdm->valor(QStringLiteral("select terc_nom || '|' || ciud_cod || terc_clie || terc_prov || terc_empl || "
                                        "terc_exento from terceros where terc_nit = '900777888'"))
                  .toString(),
              nombre + QStringLiteral("|11001NNNN"));
    EXPECT_EQ(fdm->valor(QStringLiteral("select user_anocnt || '/' || user_percnt from usuario where user_cod = 'ADMIN'"))
                  .toString(),
              QStringLiteral("2006/1"));
    EXPECT_EQ(principal->logo_compania.size(), QSize(48, 24));
}

// Over a company folder that already holds a database nothing is created:
// not the database, not the rows; the dialog stays open.
TEST_F(Companias, BaseExistenteNoSeTocaNiSeRegistra) {
    plantillaLimpia();
    conecta(QStringLiteral("ADMIN"));
    ASSERT_TRUE(QDir().mkpath(raiz + QStringLiteral("/datos/003")));
    const QString base = raiz + QStringLiteral("/datos/003/zentavo.fdb");
    escribeArchivo(base, "datos de otra compañía");
    cuando<Tfnvacompania>([&](Tfnvacompania* n) {
        teclea(n->Ficha->ECodigo, QStringLiteral("003"));
        teclea(n->Ficha->ENombre, QStringLiteral("TERCERA"));
        QTest::keyClick(n->Ficha->ENombre, Qt::Key_F2);
        EXPECT_EQ(dialogos->errors, QStringList{QStringLiteral("Error. Ya existe la base datos.")});
        EXPECT_TRUE(n->isVisible());
        EXPECT_FALSE(n->PProgreso->isVisible());
        EXPECT_EQ(n->Ficha->ENombre->text(), QStringLiteral("TERCERA"));
        QTest::keyClick(n->Ficha->ENombre, Qt::Key_Escape);
    });
    Tfnvacompania nueva;
    nueva.execModal();
    EXPECT_EQ(leeArchivo(base), QByteArray("datos de otra compañía"));
    EXPECT_EQ(cuenta(QStringLiteral("compania where comp_cod = '003'")), QStringLiteral("0"));
    EXPECT_EQ(cuenta(QStringLiteral("compania_usuario where comp_cod = '003'")), QStringLiteral("0"));
}

// A step that fails after the copy: the failure is reported, the copied
// database and its folder are removed, nobody else's row is touched, the
// dialog keeps what was typed, and once corrected the company is created.
struct CasoFalla {
    const char* nombre;
    const char* nit;
    // Done before F2 (someone else registers the code meanwhile)...
    bool codigoTomado;
    const char* mensaje;
};

class FallaAMitad : public Companias, public ::testing::WithParamInterface<CasoFalla> {};

TEST_P(FallaAMitad, SeDeshaceYSePuedeReintentar) {
    const CasoFalla& caso = GetParam();
    plantillaLimpia();
    conecta(QStringLiteral("ADMIN"));
    cuando<Tfnvacompania>([&](Tfnvacompania* n) {
        teclea(n->Ficha->ECodigo, QStringLiteral("004"));
        teclea(n->Ficha->ENombre, QStringLiteral("CUARTA"));
        teclea(n->Ficha->ENit, QString::fromLatin1(caso.nit));
        if (caso.codigoTomado)
            fdm->ejecutar(QStringLiteral("insert into compania (comp_cod, com_nombre) values ('004', 'DE OTRO')"),
                          &fdm->ConGeneral);
        QTest::keyClick(n->Ficha->ENit, Qt::Key_F2);
        ASSERT_EQ(dialogos->errors.size(), 1);
        EXPECT_TRUE(dialogos->errors[0].startsWith(QString::fromUtf8(caso.mensaje))) << dialogos->errors[0].toStdString();
        EXPECT_TRUE(n->isVisible());
        EXPECT_FALSE(n->PProgreso->isVisible());
        EXPECT_EQ(n->Ficha->ENombre->text(), QStringLiteral("CUARTA"));
        EXPECT_FALSE(QFileInfo::exists(raiz + QStringLiteral("/datos/004")));
        EXPECT_EQ(general(QStringLiteral("select com_nombre from compania where comp_cod = '004'")),
                  caso.codigoTomado ? QStringLiteral("DE OTRO") : QString());
        EXPECT_EQ(cuenta(QStringLiteral("compania_usuario where comp_cod = '004'")), QStringLiteral("0"));

        // corrected, F2 again
        dialogos->errors.clear();
        if (caso.codigoTomado)
            teclea(n->Ficha->ECodigo, QStringLiteral("005"));
        else
            teclea(n->Ficha->ENit, QStringLiteral("900777888"));
        QTest::keyClick(n->Ficha->ENombre, Qt::Key_F2);
    });
    Tfnvacompania nueva;
    nueva.execModal();
    EXPECT_TRUE(nueva.grabado());
    EXPECT_TRUE(dialogos->errors.isEmpty()) << dialogos->errors.join(QLatin1Char('|')).toStdString();
    const QString codigo = caso.codigoTomado ? QStringLiteral("005") : QStringLiteral("004");
    EXPECT_TRUE(QFile::exists(raiz + QStringLiteral("/datos/") + codigo + QStringLiteral("/zentavo.fdb")));
    EXPECT_EQ(general(QStringLiteral("select com_nombre from compania where comp_cod = '") + codigo + QLatin1Char('\'')),
              QStringLiteral("CUARTA"));
    EXPECT_EQ(cuenta(QStringLiteral("compania_usuario where usua_cod = 'ADMIN' and comp_cod = '") + codigo +
                     QLatin1Char('\'')),
              QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(
    Pasos, FallaAMitad,
    ::testing::Values(
        // the company's NIT is already a third party of the template
        CasoFalla{"sentencia_rechazada", "99", false, "Se presento el siguiente error: "},
        CasoFalla{"registro_rechazado", "900777888", true, "Ya existe el registro en la tabla Compania"}),
    [](const ::testing::TestParamInfo<CasoFalla>& p) { return std::string(p.param.nombre); });

// The company record from F4: every field editable; a change the database
// refuses is reported and stays in the dialog; a good one is stored.
TEST_F(Companias, FichaGuardaOInformaElRechazo) {
    conecta(QStringLiteral("ADMIN"));
    fdm->ejecutar(QStringLiteral("insert into compania (comp_cod, com_nombre) values ('009', 'OTRA')"), &fdm->ConGeneral);
    lista([&](Tfcompanias* l) {
        cuando<Tfconscompania>([&](Tfconscompania* f) {
            EXPECT_EQ(f->windowTitle(), QStringLiteral("Consulta de compañías"));
            EXPECT_EQ(f->Ficha->ECodigo->text(), QStringLiteral("001"));
            EXPECT_EQ(f->Ficha->ENombre->text(), QStringLiteral("LABORATORIO CLINICO DEMO"));
            EXPECT_FALSE(f->Ficha->ILogo->pixmap().isNull());
            teclea(f->Ficha->ECodigo, QStringLiteral("009"));
            QTest::keyClick(f->Ficha->ENombre, Qt::Key_F2);
            EXPECT_EQ(dialogos->errors, QStringList{QStringLiteral("Ya existe el registro en la tabla Compania")});
            EXPECT_TRUE(f->isVisible());
            EXPECT_EQ(f->Ficha->ECodigo->text(), QStringLiteral("009"));
            teclea(f->Ficha->ECodigo, QStringLiteral("001"));
            teclea(f->Ficha->ENombre, QStringLiteral("LABORATORIO RENOMBRADO"), false);
            QTest::keyClick(f->Ficha->ENombre, Qt::Key_F2);
        });
        QTest::keyClick(l->Grid, Qt::Key_F4);
        EXPECT_EQ(principal->cod_compania, QStringLiteral("001"));
        ASSERT_EQ(l->DCompanias->rowCount(), 1);
        EXPECT_EQ(l->CCompanias.text(QStringLiteral("COM_NOMBRE")), QStringLiteral("LABORATORIO RENOMBRADO"));
        l->closeScreen();
    });
    EXPECT_EQ(dialogos->errors.size(), 1);
    EXPECT_EQ(general(QStringLiteral("select com_nombre from compania where comp_cod = '001'")),
              QStringLiteral("LABORATORIO RENOMBRADO"));
    EXPECT_EQ(general(QStringLiteral("select com_nombre from compania where comp_cod = '009'")), QStringLiteral("OTRA"));
}

// Deleting a company: two questions; the rows go whatever the second answer,
// the database and its folder only on Yes.
struct CasoBorrado {
    const char* nombre;
    std::deque<bool> respuestas;
    bool filasBorradas;
    bool carpetaBorrada;
};

class Borrado : public Companias, public ::testing::WithParamInterface<CasoBorrado> {};

TEST_P(Borrado, PreguntaYBorra) {
    const CasoBorrado& caso = GetParam();
    conecta(QStringLiteral("ADMIN"));
    dialogos->answers = caso.respuestas;
    lista([&](Tfcompanias* l) {
        QTest::mouseClick(l->SBBorrar, Qt::LeftButton); // the button only tells how
        EXPECT_EQ(dialogos->informations,
                  QStringList{QStringLiteral("Para eliminar completamente la compañía presione ALT + F3")});
        EXPECT_TRUE(dialogos->questions.isEmpty());
        QTest::keyClick(l->Grid, Qt::Key_F3, Qt::AltModifier);
        EXPECT_EQ(l->DCompanias->rowCount(), caso.filasBorradas ? 0 : 1);
        l->closeScreen();
    });
    QStringList preguntas{QStringLiteral("Esta seguro de borrar el registro de la compañía 001.Después de eliminada no "
                                         "podrá volver a ingresar a ella."),
                          QStringLiteral("Desea eliminar la carpeta con todos los datos de la compañía 001?")};
    EXPECT_EQ(dialogos->questions, preguntas.mid(0, int(caso.respuestas.size())));
    const QString filas = caso.filasBorradas ? QStringLiteral("0") : QStringLiteral("1");
    EXPECT_EQ(cuenta(QStringLiteral("compania where comp_cod = '001'")), filas);
    EXPECT_EQ(cuenta(QStringLiteral("compania_usuario where comp_cod = '001'")),
              caso.filasBorradas ? QStringLiteral("0") : QStringLiteral("2"));
    EXPECT_EQ(QFileInfo::exists(raiz + QStringLiteral("/datos/001/zentavo.fdb")), !caso.carpetaBorrada);
    EXPECT_EQ(QFileInfo::exists(raiz + QStringLiteral("/datos/001")), !caso.carpetaBorrada);
    EXPECT_TRUE(QFileInfo::exists(raiz + QStringLiteral("/datos/general.fdb")));
    EXPECT_TRUE(dialogos->errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Respuestas, Borrado,
                         ::testing::Values(CasoBorrado{"todo", {true, true}, true, true},
                                           CasoBorrado{"sin_carpeta", {true, false}, true, false},
                                           CasoBorrado{"nada", {false}, false, false}),
                         [](const ::testing::TestParamInfo<CasoBorrado>& p) { return std::string(p.param.nombre); });

} // namespace
