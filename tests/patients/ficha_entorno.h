#pragma once

// What the patient entry tests share: the data modules over a fresh demo
// company, scripted dialogs, stand-ins for the screens the patient screens
// open, and typing helpers that go through the real controls.
#include "agenda/dmcrm.h"
#include "common/ScriptedDialogs.h"
#include "data/ClientDataSet.h"
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
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

class FichaPaciente : public ::testing::Test {
protected:
    void SetUp() override {
        pantallas::olvidar_todas();
        pantallas::registrar(QStringLiteral("Fciudades"), [this](ScreenBase*) { abiertas << QStringLiteral("Fciudades"); });
        pantallas::registrar(QStringLiteral("Fpaises"), [this](ScreenBase*) { abiertas << QStringLiteral("Fpaises"); });
        dm.diraplicacion = [this] { return dir.path(); };
        dm.cod_usuario = QStringLiteral("RECEPCION");
        dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
        dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
        dm.Zentavo.open();
        dm.cargue_configuracion();
    }
    void TearDown() override {
        if (screen)
            screen->closeScreen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pantallas::olvidar_todas();
    }

    // Shows a screen as the active window, as the user would meet it.
    template <class S> S* mostrar(S* s) {
        screen = s;
        s->show();
        s->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(s));
        return s;
    }
    // Changes a setting of the third party screens (before the screen opens).
    void ajustar(const QString& propiedad, const QString& valor) {
        dm.ejecutar(QStringLiteral("update configuracion set conf_valor = '%1' where conf_modulo = 'CONTABILIDAD' and "
                                   "conf_categoria = 'TERCEROS' and conf_propiedad = '%2'")
                        .arg(valor, propiedad));
        dm.cargue_configuracion();
    }
    // Types into an editor and presses Enter, as at the desk.
    static void escribir(QLineEdit* e, const QString& texto) {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, texto);
        QTest::keyClick(e, Qt::Key_Return);
    }
    // Picks the row that stores `codigo`, as a click in the list would.
    static void elegir(QComboBox* c, const QString& codigo) {
        c->setFocus();
        const int i = c->findData(codigo);
        ASSERT_GE(i, 0) << codigo.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    Value valor(const QString& sql) { return dm.valor(sql); }
    qint64 cuantos(const QString& sql) { return dm.valor(sql).toInt(); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    QPointer<ScreenBase> screen;
    QStringList abiertas;
};
