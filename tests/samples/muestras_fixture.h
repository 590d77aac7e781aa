#pragma once

// A company database with the demo rows, the data modules the sample screens
// use, scripted dialogs, and a label printing window that only records which
// sample it was asked for.
#include "agenda/dmcrm.h"
#include "common/ScriptedDialogs.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "tests/support/TestDatabases.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class MuestrasTest : public ::testing::Test {
protected:
    void SetUp() override {
        pantallas::olvidar_todas();
        pantallas::registrar(QStringLiteral("Fimprmuestra"), [this](ScreenBase*) { printed << Fdmips->id_muestra; });
        dm.diraplicacion = [this] { return dir.path(); };
        dm.cod_usuario = QStringLiteral("RECEPCION");
        dm.Zentavo.setParam(QStringLiteral("Database"), TestDatabases::freshCompany(dir));
        dm.Zentavo.setParam(QStringLiteral("User_Name"), dm.cod_usuario);
        dm.Zentavo.open();
        dm.cargue_configuracion();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<ScreenBase*>(w))
                s->closeScreen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pantallas::olvidar_todas();
    }
    // The rows of a select, each one's columns joined by '|'.
    QStringList rows(const QString& sql) {
        QStringList out;
        FbTransaction tx(dm.Zentavo, FbTransaction::Mode::ReadOnly);
        FbStatement st(tx, sql);
        auto cursor = st.openCursor();
        while (cursor->fetch()) {
            QStringList cells;
            for (const Value& v : cursor->values())
                cells << v.toString();
            out << cells.join(QLatin1Char('|'));
        }
        cursor->close();
        tx.commit();
        return out;
    }
    static void settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Tfdm dm;
    Tfdmcrm crm;
    Tfdmter ter;
    TFdmips ips;
    Tfdmcnt cnt;
    QStringList printed;
};
