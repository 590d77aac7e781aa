// The modify-patient screen against a fresh demo company: saving signed by
// the user with option 10, no saving without it, a third party that is not
// there, a stored city no longer offered, a missing type, a save refused
// because the row changed meanwhile; and the screens' registration.
#include "patients/modtercerotm.h"
#include "patients/nvotercerotm.h"
#include "patients/registro_ficha.h"
#include "tests/patients/ficha_entorno.h"

#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
class ModificarPaciente : public FichaPaciente {
protected:
    Tfmodtercerotm* abrir(const QString& nit) {
        ter.nit_modificar = nit;
        return modificar = mostrar(new Tfmodtercerotm);
    }
    QString columna(const QString& nit, const char* col) {
        return valor(QStringLiteral("select %1 from terceros where terc_nit = '%2'").arg(QLatin1String(col), nit)).toString();
    }
    QPointer<Tfmodtercerotm> modificar;
};

template <class S> QList<S*> visibles() {
    QList<S*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<S*>(w); s && s->isVisible())
            out << s;
    return out;
}
} // namespace

TEST_F(ModificarPaciente, SavesSignedByTheUserAndStaysInEdit) {
    abrir(QStringLiteral("52345678"));
    EXPECT_EQ(modificar->windowTitle(), QStringLiteral("Modificar tercero"));
    EXPECT_EQ(modificar->SBGrabar->text(), QStringLiteral("F2: Guardar"));
    EXPECT_TRUE(modificar->SBGrabar->isEnabled()); // RECEPCION has option 10
    EXPECT_TRUE(modificar->DBEditNit->isReadOnly());
    EXPECT_EQ(modificar->DBEditNit->text(), QStringLiteral("52345678"));
    EXPECT_EQ(modificar->DBLookupTipoid->currentText(), QStringLiteral("CEDULA DE CIUDADANIA"));
    EXPECT_TRUE(modificar->RBActivo->isChecked());
    EXPECT_EQ(modificar->CTerceros->state(), ClientDataSet::State::Edit);
    EXPECT_TRUE(modificar->DBEditNom->hasFocus());

    escribir(modificar->DBEditApellido2, QStringLiteral("MARTINEZ-PAEZ"));
    modificar->RBInactivo->click();
    QTest::keyClick(modificar->DBEditNom, Qt::Key_F2);
    const QString nit = QStringLiteral("52345678");
    EXPECT_EQ(columna(nit, "terc_nom"), QStringLiteral("RODRIGUEZ MARTINEZ-PAEZ ANA MARIA"));
    EXPECT_EQ(columna(nit, "terc_estado"), QStringLiteral("N"));
    EXPECT_EQ(columna(nit, "terc_usuario"), QStringLiteral("RECEPCION"));
    EXPECT_EQ(modificar->CTerceros->state(), ClientDataSet::State::Edit);
    EXPECT_TRUE(modificar->DBEditNit->hasFocus());
    EXPECT_EQ(ter.nit_modificar, nit); // never cleared

    // the next save sends what changed since, and marks it a client once
    escribir(modificar->DBEditTel, QStringLiteral("6019998877"));
    modificar->CTerceros->setValue(QStringLiteral("TERC_CLIE"), Value(QStringLiteral("S")));
    EXPECT_TRUE(modificar->SBGrabarClick());
    EXPECT_TRUE(modificar->SBGrabarClick());
    EXPECT_EQ(columna(nit, "terc_tel"), QStringLiteral("6019998877"));
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from clientes where terc_nit = '52345678' and clie_estado = 'A'")), 1);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(ModificarPaciente, AnniversaryCanBeEmptiedAndTypedAgain) {
    const QString nit = QStringLiteral("79456123"); // born 11/02/1975
    abrir(nit);
    EXPECT_EQ(modificar->DBFechaAniv->text(), QStringLiteral("11/02/1975"));
    modificar->DBFechaAniv->setFocus();
    QTest::keyClick(modificar->DBFechaAniv, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(modificar->DBFechaAniv, Qt::Key_Delete);
    QTest::keyClick(modificar->DBFechaAniv, Qt::Key_Return);
    EXPECT_TRUE(modificar->DBFechaAniv->text().trimmed().isEmpty());
    EXPECT_TRUE(modificar->SBGrabarClick());
    EXPECT_TRUE(valor(QStringLiteral("select terc_aniv from terceros where terc_nit = '79456123'")).isNull());

    modificar->DBFechaAniv->setFocus(); // an empty one is typed over from the month on
    QTest::keyClicks(modificar->DBFechaAniv, QStringLiteral("07201976"));
    QTest::keyClick(modificar->DBFechaAniv, Qt::Key_Return);
    EXPECT_TRUE(modificar->SBGrabarClick());
    EXPECT_EQ(valor(QStringLiteral("select terc_aniv from terceros where terc_nit = '79456123'")).toDate(), QDate(1976, 7, 20));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(ModificarPaciente, WithoutOptionTenNothingIsSaved) {
    dm.ejecutar(QStringLiteral("update acceso_usuario set acus_si = 'N' where user_cod = 'RECEPCION' and "
                               "acus_modulo = 'CARTERA' and acus_opcion = 10"));
    abrir(QStringLiteral("79456123"));
    EXPECT_FALSE(modificar->SBGrabar->isEnabled());
    escribir(modificar->DBEditDir, QStringLiteral("OTRA DIRECCION"));
    QTest::keyClick(modificar->DBEditNom, Qt::Key_F2);
    EXPECT_FALSE(modificar->SBGrabarClick());
    EXPECT_EQ(columna(QStringLiteral("79456123"), "terc_dir"), QStringLiteral("CALLE 100 # 19-45"));
    EXPECT_TRUE(valor(QStringLiteral("select terc_usuario from terceros where terc_nit = '79456123'")).isNull());
    QTest::keyClick(modificar->DBEditNom, Qt::Key_Escape); // still leaves
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(modificar.isNull());
    EXPECT_EQ(columna(QStringLiteral("79456123"), "terc_dir"), QStringLiteral("CALLE 100 # 19-45"));
}

TEST_F(ModificarPaciente, LegalPersonOpensWithTheNamePartsEnabled) {
    abrir(QStringLiteral("900123456"));
    EXPECT_EQ(modificar->DBLookupTipoid->currentData().toString(), QStringLiteral("J"));
    for (QLineEdit* e : {modificar->DBEditApellido1, modificar->DBEditApellido2, modificar->DBEditNombre1,
                         modificar->DBEditNombre2})
        EXPECT_TRUE(e->isEnabled());
    elegir(modificar->DBLookupTipoid, QStringLiteral("N"));
    EXPECT_TRUE(modificar->DBEditApellido1->hasFocus());
    elegir(modificar->DBLookupTipoid, QStringLiteral("J"));
    EXPECT_TRUE(modificar->DBEditNom->hasFocus()); // the type rule moves the focus on this screen every time
    EXPECT_FALSE(modificar->DBEditApellido1->isEnabled());
}

TEST_F(ModificarPaciente, InactiveCityAndMissingType) {
    const QString nit = QStringLiteral("39678123"); // lives in SOACHA
    dm.ejecutar(QStringLiteral("update ciudades set ciud_activa = 'N' where ciud_cod = '25754'"));
    dm.ejecutar(QStringLiteral("update terceros set terc_tipoid = null where terc_nit = '39678123'"));
    abrir(nit);
    EXPECT_EQ(modificar->DBLookupCiudad->currentIndex(), -1); // shows no city until one is chosen
    EXPECT_EQ(modificar->CTerceros->text(QStringLiteral("TERC_CIU")), QStringLiteral("SOACHA"));

    escribir(modificar->DBEditNom, QStringLiteral("LUZ MARINA TORRES (HC 88)"));
    modificar->SBGrabarClick();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Falta ingresar el tipo de documento.")});
    EXPECT_EQ(modificar->DBEditNom->text(), QStringLiteral("LUZ MARINA TORRES (HC 88)")); // not replaced

    elegir(modificar->DBLookupTipoid, QStringLiteral("C"));
    EXPECT_TRUE(modificar->DBEditApellido1->hasFocus());
    EXPECT_TRUE(modificar->SBGrabarClick());
    EXPECT_EQ(columna(nit, "terc_tipoid"), QStringLiteral("C"));
    EXPECT_EQ(columna(nit, "terc_nom"), QStringLiteral("TORRES VARGAS LUZ MARINA"));
    EXPECT_EQ(columna(nit, "ciud_cod"), QStringLiteral("25754"));
    EXPECT_EQ(columna(nit, "terc_ciu"), QStringLiteral("SOACHA"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(ModificarPaciente, SaveRefusedBecauseTheRowChangedKeepsTheChanges) {
    const QString nit = QStringLiteral("80234567");
    abrir(nit);
    escribir(modificar->DBEditDir, QStringLiteral("NUEVA DIRECCION 123"));
    dm.ejecutar(QStringLiteral("update terceros set terc_tel = '6010000000' where terc_nit = '80234567'"));
    EXPECT_FALSE(modificar->SBGrabarClick());
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(modificar->CTerceros->state(), ClientDataSet::State::Edit);
    EXPECT_EQ(modificar->DBEditDir->text(), QStringLiteral("NUEVA DIRECCION 123"));
    EXPECT_EQ(modificar->CTerceros->text(QStringLiteral("TERC_DIR")), QStringLiteral("NUEVA DIRECCION 123"));
    EXPECT_EQ(columna(nit, "terc_dir"), QStringLiteral("CALLE 26 SUR # 50-12"));
    EXPECT_EQ(columna(nit, "terc_tel"), QStringLiteral("6010000000"));
}

TEST_F(ModificarPaciente, RegisteredOpenersShowTheScreensAndSkipAMissingThirdParty) {
    registrar_ficha_pacientes();
    ter.nit_modificar = QStringLiteral("000000");
    EXPECT_TRUE(pantallas::abrir(QStringLiteral("Fmodtercerotm")));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("No se encontró el NIT seleccionado.")});
    EXPECT_TRUE(visibles<Tfmodtercerotm>().isEmpty());

    ter.nit_modificar = QStringLiteral("52345678");
    EXPECT_TRUE(pantallas::abrir(QStringLiteral("Fmodtercerotm")));
    ASSERT_EQ(visibles<Tfmodtercerotm>().size(), 1);
    EXPECT_EQ(visibles<Tfmodtercerotm>()[0]->objectName(), QStringLiteral("Fmodtercerotm"));
    visibles<Tfmodtercerotm>()[0]->closeScreen();

    ter.nit_pendiente = QStringLiteral("900321");
    EXPECT_TRUE(pantallas::abrir(QStringLiteral("Fnvotercerotm")));
    ASSERT_EQ(visibles<Tfnvotercerotm>().size(), 1);
    Tfnvotercerotm* nuevo = visibles<Tfnvotercerotm>()[0];
    EXPECT_EQ(nuevo->objectName(), QStringLiteral("Fnvotercerotm"));
    EXPECT_EQ(nuevo->DBEditNit->text(), QStringLiteral("900321"));
    EXPECT_TRUE(ter.nit_pendiente.isEmpty());
    nuevo->closeScreen();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}
