#pragma once
// What the login and company tests share: a fresh installation with the
// registry pointing at it, the data modules and the main window built as the
// program builds them, scripted dialogs, and a way to act on a modal dialog
// once it is up.
#include "agenda/dmcrm.h"
#include "app/principal.h"
#include "common/ScriptedDialogs.h"
#include "data/Installation.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "tests/support/TestDatabases.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace entorno {

inline void escribeArchivo(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

inline QByteArray leeArchivo(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The registry stand-in: installation folder and default company.
inline void registro(const QString& ini, const QString& directorio, const QString& compania) {
    escribeArchivo(ini, QStringLiteral("[General]\nDirectorio=%1\nCompania=%2\n").arg(directorio, compania).toUtf8());
    qputenv("TEVANOR_REGISTRY", ini.toLocal8Bit());
}

// Runs `paso` on the modal dialog of type T as soon as it is the active
// modal widget. A dialog that never comes is a failure, and whatever modal
// widget is up then is closed so the test does not hang.
template <class T>
void cuando(std::function<void(T*)> paso, int limite = 15000) {
    auto* timer = new QTimer;
    auto* reloj = new QElapsedTimer;
    reloj->start();
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, reloj, paso, limite] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            delete reloj;
            // keys move the focus, and leaving an edit stores it: the
            // dialog has to be the active window first
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w));
            paso(w);
        } else if (reloj->elapsed() > limite) {
            timer->stop();
            timer->deleteLater();
            delete reloj;
            ADD_FAILURE() << "no apareció el diálogo " << T::staticMetaObject.className();
            while (QWidget* m = QApplication::activeModalWidget())
                m->close();
        }
    });
    timer->start();
}

// Types into an edit as the user does: focus, text, Enter to move on.
inline void teclea(QLineEdit* edit, const QString& texto, bool enter = true) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, texto);
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
}

// terminar() leaves the application's event loops refusing to run; an
// application loop that starts and stops clears that for the next test.
inline void reanudaEventos() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// A pure company template (no demo rows), built once per test program.
inline QString plantilla() {
    static QTemporaryDir dir;
    static const QString archivo = [] {
        const QString f = dir.filePath(QStringLiteral("plantilla.fdb"));
        Installation::createTemplate(f);
        return f;
    }();
    return archivo;
}

// One installation with the program's modules around it.
class Escritorio : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        raiz = TestDatabases::freshInstallation(dir);
        ini = dir.filePath(QStringLiteral("registro.ini"));
        registro(ini, raiz, QString());
        dialogos = std::make_unique<ScriptedDialogs>();
        dm = std::make_unique<Tfdm>();
        crm = std::make_unique<Tfdmcrm>();
        ter = std::make_unique<Tfdmter>();
        ips = std::make_unique<TFdmips>();
        cnt = std::make_unique<Tfdmcnt>();
        principal = std::make_unique<TFprincipal>();
        // A dialog left open by a failed step must not hang the program.
        reloj.start();
        guardia.setInterval(200);
        QObject::connect(&guardia, &QTimer::timeout, [this] {
            if (reloj.elapsed() < kLimite)
                return;
            ADD_FAILURE() << "diálogo abierto después de " << kLimite / 1000 << " s";
            while (QWidget* m = QApplication::activeModalWidget())
                m->close();
            reloj.restart();
        });
        guardia.start();
    }

    void TearDown() override {
        guardia.stop();
        while (QWidget* m = QApplication::activeModalWidget())
            m->close();
        principal.reset();
        cnt.reset();
        ips.reset();
        ter.reset();
        crm.reset();
        dm.reset();
        dialogos.reset();
        qunsetenv("TEVANOR_REGISTRY");
        reanudaEventos();
    }

    // The general database open as after a login of `usuario` on the
    // embedded installation.
    void conecta(const QString& usuario) {
        fdm->ConGeneral.close();
        fdm->ConGeneral.setParam(QStringLiteral("Database"), raiz + QStringLiteral("/datos/general.fdb"));
        fdm->ConGeneral.setParam(QStringLiteral("User_Name"), usuario);
        fdm->ConGeneral.setParam(QStringLiteral("password"), QStringLiteral("clave"));
        fdm->ConGeneral.open();
        fdm->cod_usuario = usuario.toUpper();
        principal->servidor = raiz;
        principal->clave = QStringLiteral("clave");
    }

    // First column of the first row on the general database, as text.
    QString general(const QString& sql) { return fdm->valor(sql, &fdm->ConGeneral).toString(); }

    static constexpr qint64 kLimite = 90000;
    QTimer guardia;
    QElapsedTimer reloj;
    QTemporaryDir dir;
    QString raiz, ini;
    std::unique_ptr<ScriptedDialogs> dialogos;
    std::unique_ptr<Tfdm> dm;
    std::unique_ptr<Tfdmcrm> crm;
    std::unique_ptr<Tfdmter> ter;
    std::unique_ptr<TFdmips> ips;
    std::unique_ptr<Tfdmcnt> cnt;
    std::unique_ptr<TFprincipal> principal;
};

} // namespace entorno
