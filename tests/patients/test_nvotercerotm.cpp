// The new-patient screen against a fresh demo company: the defaults of a new
// record, the pickers, the identification check and its check digit, the
// hand-over from sample taking, the type rule, the name composed at the save,
// the rows a save creates and a save the database refuses.
#include "patients/nvotercerotm.h"
#include "tests/patients/ficha_entorno.h"

#include <QDateEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <cstring>

namespace {
class NuevoPaciente : public FichaPaciente {
protected:
    Tfnvotercerotm* abrir() { return nuevo = mostrar(new Tfnvotercerotm); }
    QString campo(const char* nombre) const { return nuevo->CTerceros->text(QString::fromLatin1(nombre)); }
    QString columna(const QString& nit, const char* col) {
        return valor(QStringLiteral("select %1 from terceros where terc_nit = '%2'").arg(QLatin1String(col), nit)).toString();
    }
    void grabar() { QTest::keyClick(nuevo->DBEditNom, Qt::Key_F2); }
    QPointer<Tfnvotercerotm> nuevo;
};
} // namespace

TEST_F(NuevoPaciente, NewRecordStartsWithItsDefaultsAndOffersActiveCitiesOnly) {
    abrir();
    EXPECT_EQ(nuevo->windowTitle(), QStringLiteral("Nuevo tercero"));
    EXPECT_EQ(nuevo->size(), QSize(437, 421));
    EXPECT_EQ(nuevo->CTerceros->state(), ClientDataSet::State::Insert);
    for (const char* f : {"TERC_CLIE", "TERC_PROV", "TERC_EMPL", "TERC_EXENTO"})
        EXPECT_EQ(campo(f), QStringLiteral("N")) << f;
    EXPECT_EQ(campo("TERC_TIPOID"), QStringLiteral("J"));
    EXPECT_EQ(nuevo->DBLookupTipoid->currentText(), QStringLiteral("NIT PERSONA JURIDICA"));
    EXPECT_EQ(campo("TERC_ESTADO"), QStringLiteral("S"));
    EXPECT_EQ(campo("PAIS_ID"), QStringLiteral("169"));
    EXPECT_EQ(nuevo->DBLookupPais->currentText(), QStringLiteral("COLOMBIA"));
    EXPECT_EQ(campo("CIUD_COD"), QStringLiteral("11001"));
    EXPECT_EQ(campo("TERC_CIU"), QStringLiteral("BOGOTA D.C."));
    EXPECT_EQ(nuevo->DBLookupCiudad->currentText(), QStringLiteral("BOGOTA D.C."));
    for (QLineEdit* e : {nuevo->DBEditApellido1, nuevo->DBEditApellido2, nuevo->DBEditNombre1, nuevo->DBEditNombre2})
        EXPECT_FALSE(e->isEnabled());
    EXPECT_TRUE(nuevo->DBEditDv->isReadOnly()); // the demo company does not let it be typed
    EXPECT_TRUE(nuevo->DBEditNit->hasFocus());

    // types sorted by name; only active cities
    QStringList tipos;
    for (int i = 0; i < nuevo->DBLookupTipoid->count(); ++i)
        tipos << nuevo->DBLookupTipoid->itemText(i);
    QStringList ordenados = tipos;
    ordenados.sort();
    EXPECT_EQ(tipos, ordenados);
    EXPECT_EQ(nuevo->DBLookupCiudad->count(), cuantos(QStringLiteral("select count(*) from ciudades where ciud_activa = 'S'")));
    EXPECT_LT(nuevo->DBLookupCiudad->findData(QStringLiteral("94001")), 0); // inactive: not offered
    EXPECT_LT(nuevo->DBLookupCiudad->findData(QStringLiteral("95001")), 0);

    // the city's name follows its code
    elegir(nuevo->DBLookupCiudad, QStringLiteral("05001"));
    EXPECT_EQ(campo("CIUD_COD"), QStringLiteral("05001"));
    EXPECT_EQ(campo("TERC_CIU"), QStringLiteral("MEDELLIN"));

    // the small buttons open the cities and countries screens; a city added
    // there is offered when the screen is active again
    nuevo->SBCiudades->click();
    nuevo->SBPaises->click();
    EXPECT_EQ(abiertas, (QStringList{QStringLiteral("Fciudades"), QStringLiteral("Fpaises")}));
    dm.ejecutar(QStringLiteral("insert into ciudades (ciud_cod, ciud_nom, ciud_activa, pais_id) values ('99773', 'ZIPAQUIRA NUEVA', 'S', '169')"));
    QWidget otra;
    otra.show();
    otra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
    nuevo->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(nuevo));
    EXPECT_GE(nuevo->DBLookupCiudad->findData(QStringLiteral("99773")), 0);
    EXPECT_EQ(nuevo->DBLookupCiudad->currentText(), QStringLiteral("MEDELLIN")); // the choice is kept
    EXPECT_TRUE(nuevo->DBEditNit->hasFocus());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(NuevoPaciente, SuggestedCityThatIsNotOfferedIsLeftOut) {
    ajustar(QStringLiteral("CODIGO DE CIUDAD A SUGERIR"), QStringLiteral("94001")); // inactive
    abrir();
    EXPECT_TRUE(nuevo->CTerceros->isNull(QStringLiteral("CIUD_COD")));
    EXPECT_TRUE(nuevo->CTerceros->isNull(QStringLiteral("TERC_CIU")));
    EXPECT_EQ(nuevo->DBLookupCiudad->currentIndex(), -1);
    EXPECT_EQ(campo("PAIS_ID"), QStringLiteral("169"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(NuevoPaciente, TakenIdentificationIsEmptiedAndMissingDataStopsTheSave) {
    abrir();
    const qint64 antes = cuantos(QStringLiteral("select count(*) from terceros"));
    const QString inactivo = valor(QStringLiteral("select first 1 terc_nit from terceros where terc_estado = 'N'")).toString();
    ASSERT_FALSE(inactivo.isEmpty());
    for (const QString& nit : {QStringLiteral("52345678"), inactivo}) {
        dialogs.informations.clear();
        escribir(nuevo->DBEditNit, nit);
        EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("El Nit ya está Registrado.")}) << nit.toStdString();
        EXPECT_TRUE(nuevo->DBEditNit->text().isEmpty());
        EXPECT_TRUE(nuevo->CTerceros->isNull(QStringLiteral("TERC_NIT")));
        EXPECT_TRUE(nuevo->DBEditDv->text().isEmpty());
        EXPECT_TRUE(nuevo->DBEditNit->hasFocus()); // back to the identification, not on to the next field
    }
    // identification first, then the name (the type is never missing here)
    escribir(nuevo->DBEditNom, QStringLiteral("LABORATORIO SIN NIT"));
    dialogs.informations.clear();
    grabar();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Falta ingresar el NIT o identificación del tercero.")});
    escribir(nuevo->DBEditNit, QStringLiteral("900555000"));
    escribir(nuevo->DBEditNom, QString());
    dialogs.informations.clear();
    grabar();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Falta ingresar el nombre del tercero.")});
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from terceros")), antes);
    EXPECT_EQ(nuevo->DBEditNit->text(), QStringLiteral("900555000")); // still there to go on typing
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(NuevoPaciente, CheckDigitOfTypedIdentifications) {
    abrir();
    const struct {
        const char* nit;
        const char* dv;
    } casos[] = {
        {"12345", "8"},           {"4", "1"}, {"0", "0"}, {"11", "1"}, {"800197268", "4"},
        {"123456789012345", "2"}, // fifteen digits, all weights
        {"100000000000000", "6"}, // the leftmost digit weighs 71
    };
    for (const auto& c : casos) {
        escribir(nuevo->DBEditNit, QString::fromLatin1(c.nit));
        EXPECT_EQ(nuevo->DBEditDv->text(), QString::fromLatin1(c.dv)) << c.nit;
        EXPECT_EQ(campo("TERC_DV"), QString::fromLatin1(c.dv)) << c.nit;
    }
    // the editor takes digits only, fifteen at most
    escribir(nuevo->DBEditNit, QStringLiteral("12a3-45 6"));
    EXPECT_EQ(campo("TERC_NIT"), QStringLiteral("123456"));
    escribir(nuevo->DBEditNit, QStringLiteral("1234567890123456789"));
    EXPECT_EQ(campo("TERC_NIT"), QStringLiteral("123456789012345"));
    EXPECT_EQ(campo("TERC_DV"), QStringLiteral("2"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(NuevoPaciente, HandedOverIdentificationIsTakenOnceAndChecked) {
    const qint64 antes = cuantos(QStringLiteral("select count(*) from terceros"));
    const struct {
        const char* nit;
        const char* mostrado; // identification shown afterwards
        const char* dv;
        const char* mensaje;  // what the user is told, if anything
    } casos[] = {
        {"900777", "900777", "6", nullptr},
        {"52345678", "", "", "El Nit ya está Registrado."},
        {"1234567890123456", "1234567890123456", "",
         "La identificación tiene más de quince dígitos; no se puede calcular el dígito de verificación."},
        {"HC-2041", "HC-2041", "", "La identificación debe tener solo dígitos para calcular el dígito de verificación."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nit);
        dialogs.errors.clear();
        dialogs.informations.clear();
        ter.nit_pendiente = QString::fromLatin1(c.nit);
        abrir();
        EXPECT_TRUE(ter.nit_pendiente.isEmpty());
        EXPECT_EQ(nuevo->DBEditNit->text(), QString::fromUtf8(c.mostrado));
        EXPECT_EQ(nuevo->DBEditDv->text(), QString::fromLatin1(c.dv));
        const QStringList dicho = dialogs.errors + dialogs.informations;
        EXPECT_EQ(dicho, c.mensaje ? QStringList{QString::fromUtf8(c.mensaje)} : QStringList{});
        if (std::strlen(c.dv) == 0 && std::strlen(c.mostrado) > 0) {
            // such an identification is not stored; what was typed stays
            escribir(nuevo->DBEditNom, QStringLiteral("PACIENTE DE TOMA"));
            dialogs.informations.clear();
            grabar();
            EXPECT_EQ(dialogs.informations,
                      QStringList{QStringLiteral("La identificación debe tener solo dígitos, máximo quince.")});
            EXPECT_EQ(nuevo->DBEditNom->text(), QStringLiteral("PACIENTE DE TOMA"));
            EXPECT_EQ(nuevo->DBEditNit->text(), QString::fromUtf8(c.mostrado));
        }
        nuevo->closeScreen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from terceros")), antes);
}

TEST_F(NuevoPaciente, TypeRuleEnablesOrEmptiesTheNameParts) {
    abrir();
    elegir(nuevo->DBLookupTipoid, QStringLiteral("C"));
    for (QLineEdit* e : {nuevo->DBEditApellido1, nuevo->DBEditApellido2, nuevo->DBEditNombre1, nuevo->DBEditNombre2})
        EXPECT_TRUE(e->isEnabled());
    EXPECT_TRUE(nuevo->DBEditApellido1->hasFocus());
    escribir(nuevo->DBEditApellido1, QStringLiteral("PEREZ"));
    escribir(nuevo->DBEditNombre2, QStringLiteral("ANA"));
    elegir(nuevo->DBLookupTipoid, QStringLiteral("J"));
    EXPECT_TRUE(nuevo->DBEditNom->hasFocus());
    for (QLineEdit* e : {nuevo->DBEditApellido1, nuevo->DBEditApellido2, nuevo->DBEditNombre1, nuevo->DBEditNombre2}) {
        EXPECT_FALSE(e->isEnabled());
        EXPECT_TRUE(e->text().isEmpty());
    }
    for (const char* f : {"TERC_APELLIDO1", "TERC_NOMBRE2"})
        EXPECT_TRUE(nuevo->CTerceros->isNull(QString::fromLatin1(f))) << f;
}

TEST_F(NuevoPaciente, NameOfANaturalPersonIsComposedAtTheSave) {
    abrir();
    const struct {
        const char *ap1, *ap2, *nom1, *nom2, *nombre;
    } casos[] = {
        {"PEREZ", "GOMEZ", "ANA", "MARIA", "PEREZ GOMEZ ANA MARIA"},
        {"PEREZ", "", "ANA", "", "PEREZ  ANA "}, // two blanks between, one at the end
        {"", "", "", "", "   "},                 // nothing typed still passes the name check
        {"", "ROJAS", "", "LUIS", " ROJAS  LUIS"},
    };
    int n = 0;
    for (const auto& c : casos) {
        const QString nit = QStringLiteral("7000100%1").arg(++n);
        SCOPED_TRACE(nit.toStdString());
        escribir(nuevo->DBEditNit, nit);
        elegir(nuevo->DBLookupTipoid, QStringLiteral("C"));
        escribir(nuevo->DBEditApellido1, QString::fromLatin1(c.ap1));
        escribir(nuevo->DBEditApellido2, QString::fromLatin1(c.ap2));
        escribir(nuevo->DBEditNombre1, QString::fromLatin1(c.nom1));
        escribir(nuevo->DBEditNombre2, QString::fromLatin1(c.nom2));
        escribir(nuevo->DBEditNom, QStringLiteral("LO QUE SE ESCRIBA AQUI"));
        grabar();
        EXPECT_EQ(columna(nit, "terc_nom"), QString::fromLatin1(c.nombre));
        EXPECT_EQ(columna(nit, "terc_tipoid"), QStringLiteral("C"));
        EXPECT_EQ(columna(nit, "terc_apellido1"), QString::fromLatin1(c.ap1));
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(QLatin1Char('|')).toStdString();

    // parts too long together for the name are refused before the database, nothing cut
    escribir(nuevo->DBEditNit, QStringLiteral("700019999"));
    elegir(nuevo->DBLookupTipoid, QStringLiteral("C"));
    escribir(nuevo->DBEditApellido1, QString(40, QLatin1Char('A')));
    escribir(nuevo->DBEditApellido2, QString(30, QLatin1Char('B')));
    grabar();
    ASSERT_EQ(dialogs.informations.size(), 1);
    EXPECT_TRUE(dialogs.informations[0].contains(QStringLiteral("60 caracteres")));
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from terceros where terc_nit = '700019999'")), 0);
    EXPECT_EQ(nuevo->DBEditApellido1->text(), QString(40, QLatin1Char('A')));
    EXPECT_EQ(nuevo->DBEditApellido2->text(), QString(30, QLatin1Char('B')));
}

TEST_F(NuevoPaciente, SaveStoresTheRecordWithItsRolesAndStartsTheNext) {
    abrir();
    escribir(nuevo->DBEditNit, QStringLiteral("900555111"));
    escribir(nuevo->DBEditNom, QStringLiteral("CLINICA EJEMPLO S.A.S."));
    escribir(nuevo->DBEditDir, QStringLiteral("CALLE 1 # 2-3"));
    elegir(nuevo->DBLookupCiudad, QStringLiteral("05001"));
    escribir(nuevo->DBEditTel, QStringLiteral("6041234567"));
    // passing through the empty anniversary with Enter leaves it empty
    nuevo->DBFechaAniv->setFocus();
    QTest::keyClick(nuevo->DBFechaAniv, Qt::Key_Return);
    nuevo->DBMemoObs->setFocus();
    QTest::keyClicks(nuevo->DBMemoObs, QStringLiteral("Convenio 2024"));
    QTest::keyClick(nuevo->DBMemoObs, Qt::Key_Return); // moves on, no new line
    QTest::keyClick(nuevo->DBEditNom, Qt::Key_F2, Qt::ControlModifier); // not a save
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from terceros where terc_nit = '900555111'")), 0);
    grabar();
    const QString nit = QStringLiteral("900555111");
    EXPECT_EQ(columna(nit, "terc_nom"), QStringLiteral("CLINICA EJEMPLO S.A.S."));
    EXPECT_EQ(columna(nit, "terc_dv"), QString::number(Tfdmter::dv(nit)));
    EXPECT_EQ(columna(nit, "terc_tipoid"), QStringLiteral("J"));
    EXPECT_EQ(columna(nit, "ciud_cod"), QStringLiteral("05001"));
    EXPECT_EQ(columna(nit, "terc_ciu"), QStringLiteral("MEDELLIN"));
    EXPECT_EQ(columna(nit, "pais_id"), QStringLiteral("169"));
    EXPECT_EQ(columna(nit, "terc_estado"), QStringLiteral("S"));
    EXPECT_EQ(columna(nit, "terc_clie") + columna(nit, "terc_prov"), QStringLiteral("NN"));
    EXPECT_EQ(columna(nit, "terc_obs"), QStringLiteral("Convenio 2024"));
    EXPECT_TRUE(valor(QStringLiteral("select terc_aniv from terceros where terc_nit = '900555111'")).isNull());
    EXPECT_TRUE(valor(QStringLiteral("select terc_usuario from terceros where terc_nit = '900555111'")).isNull());
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from clientes where terc_nit = '900555111'")) +
                  cuantos(QStringLiteral("select count(*) from proveedores where terc_nit = '900555111'")),
              0);

    // the next record is ready with the defaults again
    EXPECT_EQ(nuevo->CTerceros->state(), ClientDataSet::State::Insert);
    EXPECT_TRUE(nuevo->DBEditNit->text().isEmpty());
    EXPECT_TRUE(nuevo->DBEditNom->text().isEmpty());
    EXPECT_TRUE(nuevo->DBEditNit->hasFocus());
    EXPECT_EQ(campo("TERC_TIPOID"), QStringLiteral("J"));
    EXPECT_EQ(campo("CIUD_COD"), QStringLiteral("11001"));
    EXPECT_EQ(nuevo->DBLookupCiudad->currentText(), QStringLiteral("BOGOTA D.C."));
    EXPECT_EQ(campo("PAIS_ID"), QStringLiteral("169"));

    // a third party marked as client and creditor gets both rows
    escribir(nuevo->DBEditNit, QStringLiteral("900555222"));
    escribir(nuevo->DBEditNom, QStringLiteral("PROVEEDOR Y CLIENTE"));
    nuevo->DBFechaAniv->setFocus();
    QTest::keyClicks(nuevo->DBFechaAniv, QStringLiteral("03141980"));
    QTest::keyClick(nuevo->DBFechaAniv, Qt::Key_Return);
    nuevo->CTerceros->setValue(QStringLiteral("TERC_CLIE"), Value(QStringLiteral("S")));
    nuevo->CTerceros->setValue(QStringLiteral("TERC_PROV"), Value(QStringLiteral("S")));
    grabar();
    EXPECT_EQ(valor(QStringLiteral("select terc_aniv from terceros where terc_nit = '900555222'")).toDate(), QDate(1980, 3, 14));
    EXPECT_EQ(valor(QStringLiteral("select clie_cod || '|' || clie_estado from clientes where terc_nit = '900555222'")).toString(),
              QStringLiteral("900555222|A"));
    EXPECT_EQ(valor(QStringLiteral("select grpr_cod || '|' || prov_simplificado from proveedores where terc_nit = '900555222'"))
                  .toString(),
              QStringLiteral("01|N"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(QLatin1Char('|')).toStdString();
}

TEST_F(NuevoPaciente, IdentificationWithLettersWhenTheCompanyAllowsThem) {
    ajustar(QStringLiteral("PERMITIR LETRAS Y CARACTERES ADICIONALES EN NIT"), QStringLiteral("SI"));
    ajustar(QStringLiteral("PERMITIR MODIFICAR DIGITO DE VERIFICACION DEL NIT"), QStringLiteral("SI"));
    ajustar(QStringLiteral("CODIGO DE GRUPO PROVEEDORES"), QStringLiteral("G''1"));
    abrir();
    EXPECT_FALSE(nuevo->DBEditDv->isReadOnly());
    const QString nit = QStringLiteral("O'Brien-7");
    escribir(nuevo->DBEditNit, nit);
    EXPECT_EQ(nuevo->DBEditNit->text(), nit);
    EXPECT_TRUE(nuevo->DBEditDv->text().isEmpty()); // no computed check digit
    escribir(nuevo->DBEditDv, QStringLiteral("5"));
    escribir(nuevo->DBEditNom, QStringLiteral("O'BRIEN & CIA"));
    nuevo->CTerceros->setValue(QStringLiteral("TERC_CLIE"), Value(QStringLiteral("S")));
    nuevo->CTerceros->setValue(QStringLiteral("TERC_PROV"), Value(QStringLiteral("S")));
    grabar();
    EXPECT_EQ(columna(QStringLiteral("O''Brien-7"), "terc_dv"), QStringLiteral("5"));
    EXPECT_EQ(valor(QStringLiteral("select clie_cod from clientes where terc_nit = 'O''Brien-7'")).toString(), nit);
    EXPECT_EQ(valor(QStringLiteral("select grpr_cod from proveedores where terc_nit = 'O''Brien-7'")).toString(),
              QStringLiteral("G'1"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('|')).toStdString();
}

TEST_F(NuevoPaciente, SaveRefusedByTheDatabaseKeepsWhatWasTyped) {
    abrir();
    escribir(nuevo->DBEditNit, QStringLiteral("900444333"));
    elegir(nuevo->DBLookupTipoid, QStringLiteral("C"));
    escribir(nuevo->DBEditApellido1, QStringLiteral("LOPEZ"));
    escribir(nuevo->DBEditNombre1, QStringLiteral("MARTA"));
    escribir(nuevo->DBEditDir, QStringLiteral("CRA 9 # 9-99"));
    // meanwhile another desk registers the same identification
    dm.ejecutar(QStringLiteral("insert into terceros (terc_nit, terc_nom) values ('900444333', 'OTRA TAQUILLA')"));
    EXPECT_FALSE(nuevo->SBGrabarClick());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Ya existe el registro en la tabla"))) << dialogs.errors[0].toStdString();
    EXPECT_NE(nuevo->CTerceros->state(), ClientDataSet::State::Browse);
    EXPECT_EQ(nuevo->DBEditNit->text(), QStringLiteral("900444333"));
    EXPECT_EQ(nuevo->DBEditApellido1->text(), QStringLiteral("LOPEZ"));
    EXPECT_EQ(nuevo->DBEditDir->text(), QStringLiteral("CRA 9 # 9-99"));
    EXPECT_EQ(nuevo->DBEditNom->text(), QStringLiteral("LOPEZ  MARTA "));
    EXPECT_EQ(columna(QStringLiteral("900444333"), "terc_nom"), QStringLiteral("OTRA TAQUILLA"));

    // corrected, the same record goes in once with everything typed
    escribir(nuevo->DBEditNit, QStringLiteral("900444334"));
    EXPECT_TRUE(nuevo->SBGrabarClick());
    EXPECT_EQ(columna(QStringLiteral("900444334"), "terc_nom"), QStringLiteral("LOPEZ  MARTA "));
    EXPECT_EQ(columna(QStringLiteral("900444334"), "terc_dir"), QStringLiteral("CRA 9 # 9-99"));
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from terceros where terc_dir = 'CRA 9 # 9-99'")), 1);
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(NuevoPaciente, EscapeDropsTheRecordWithoutAQuestion) {
    abrir();
    const qint64 antes = cuantos(QStringLiteral("select count(*) from terceros"));
    escribir(nuevo->DBEditNit, QStringLiteral("900666777"));
    escribir(nuevo->DBEditNom, QStringLiteral("A MEDIO ESCRIBIR"));
    QTest::keyClick(nuevo->DBEditNom, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(nuevo.isNull());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(cuantos(QStringLiteral("select count(*) from terceros")), antes);
}
