// Instant messages and the main window's reminders, on a real installation:
// messages written in the message window by one user and read, answered and
// marked in the message alert by another; the appointment window of a doctor;
// the commitments due for an adviser; the alert window itself.
#include "agenda/dmcrm.h"
#include "app/avisos.h"
#include "app/mensaje.h"
#include "app/principal.h"
#include "common/ScriptedDialogs.h"
#include "common/SqlText.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "tests/support/TestDatabases.h"
#include "ui/AlertWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

void asentar() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

QToolButton* boton(AlertWindow* a, const char* nombre) {
    return a->findChild<QToolButton*>(QLatin1String(nombre));
}

class Alertas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        raiz = TestDatabases::freshInstallation(dir);
        const QString ini = dir.filePath(QStringLiteral("registro.ini"));
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[General]\nDirectorio=%1\nCompania=001\n").arg(raiz).toUtf8());
        f.close();
        qputenv("TEVANOR_REGISTRY", ini.toLocal8Bit());

        dialogos = std::make_unique<ScriptedDialogs>();
        dm = std::make_unique<Tfdm>();
        crm = std::make_unique<Tfdmcrm>();
        ter = std::make_unique<Tfdmter>();
        ips = std::make_unique<TFdmips>();
        cnt = std::make_unique<Tfdmcnt>();
        principal = std::make_unique<TFprincipal>();
        callaRelojes();
        principal->primera_activacion = false; // no login dialog: the test logs in itself
        principal->servidor = raiz;
        principal->cod_compania = QStringLiteral("001");
        principal->color_prioridad_normal = QColor(QStringLiteral("#C0FFC0"));
        principal->color_prioridad_media = QColor(QStringLiteral("#FFFF80"));
        principal->color_prioridad_alta = QColor(QStringLiteral("#FF8080"));
        fdm->ConGeneral.setParam(QStringLiteral("Database"), raiz + QStringLiteral("/datos/general.fdb"));
        principal->resize(1100, 800);
        principal->show();
        avisos = principal->avisos();
        entra(QStringLiteral("RECEPCION"));
    }

    void TearDown() override {
        while (QWidget* m = QApplication::activeModalWidget())
            m->close();
        principal.reset();
        cnt.reset();
        ips.reset();
        ter.reset();
        crm.reset();
        dm.reset();
        dialogos.reset();
        asentar();
    }

    // The checks run when the test says so, not when a timer fires.
    void callaRelojes() {
        principal->timerCompromisos.stop();
        principal->timerMensajes.stop();
        principal->timerCitas.stop();
    }

    // Works as `usuario`: the company database opened with his login, as the
    // start-up sequence does.
    void entra(const QString& usuario) {
        fdm->cod_usuario = usuario;
        fdm->Zentavo.close();
        fdm->Zentavo.setParam(QStringLiteral("Database"), raiz + QStringLiteral("/datos/001/zentavo.fdb"));
        fdm->Zentavo.setParam(QStringLiteral("User_Name"), usuario);
        fdm->Zentavo.setParam(QStringLiteral("password"), QStringLiteral("masterkey"));
        fdm->Zentavo.open();
        fdm->cargue_configuracion();
        fdm->ConGeneral.close();
        fdm->ConGeneral.setParam(QStringLiteral("User_Name"), usuario);
    }

    QList<Tfmensaje*> ventanas() const {
        QList<Tfmensaje*> out;
        for (QMdiSubWindow* s : principal->mdiArea()->subWindowList())
            if (auto* m = qobject_cast<Tfmensaje*>(s->widget()); m && m->objectName() == QLatin1String("fmensaje"))
                out << m;
        return out;
    }

    Tfmensaje* abreMensaje() {
        principal->SBMensajeriaClick();
        asentar();
        const auto v = ventanas();
        return v.isEmpty() ? nullptr : v.last();
    }

    // Writes a message in the message window as the user does and presses F2.
    void escribe(Tfmensaje* w, const QString& para, const QString& texto, const QString& prioridad) {
        w->DBLPara->setCurrentIndex(para.isEmpty() ? -1 : w->DBLPara->findData(para));
        w->DBMMensaje->setFocus();
        w->DBMMensaje->clear();
        QTest::keyClicks(w->DBMMensaje, texto);
        w->DBCPrioridad->setCurrentIndex(w->DBCPrioridad->findText(prioridad));
        QTest::keyClick(w->DBMMensaje, Qt::Key_F2);
        asentar();
        principal->timerMensajes.stop(); // a warning on the status bar restarts the poll
    }

    void envia(const QString& para, const QString& texto, const QString& prioridad) {
        Tfmensaje* w = abreMensaje();
        ASSERT_NE(w, nullptr);
        escribe(w, para, texto, prioridad);
    }

    QString valor(const QString& sql) { return fdm->valor(sql).toString(); }
    int mensajes() { return int(fdm->valor(QStringLiteral("select count(*) from mensajeria")).toInt()); }

    QTemporaryDir dir;
    QString raiz;
    std::unique_ptr<ScriptedDialogs> dialogos;
    std::unique_ptr<Tfdm> dm;
    std::unique_ptr<Tfdmcrm> crm;
    std::unique_ptr<Tfdmter> ter;
    std::unique_ptr<TFdmips> ips;
    std::unique_ptr<Tfdmcnt> cnt;
    std::unique_ptr<TFprincipal> principal;
    Avisos* avisos = nullptr;
};

} // namespace

// ADMIN writes two messages to RECEPCION; RECEPCION's message alert lists them,
// marks the one clicked, shows the rest at the next check and answers it.
TEST_F(Alertas, MessagesBetweenTwoUsers) {
    entra(QStringLiteral("ADMIN"));
    Tfmensaje* w = abreMensaje();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Mensaje instantáneo"));
    EXPECT_EQ(w->subWindow()->size(), QSize(Tfmensaje::kAncho, Tfmensaje::kAlto));
    QStringList nombres;
    for (int i = 0; i < w->DBLPara->count(); ++i)
        nombres << w->DBLPara->itemText(i);
    EXPECT_EQ(nombres, (QStringList{QStringLiteral("ADMINISTRADOR DEL SISTEMA"), QStringLiteral("RECEPCION TOMA DE MUESTRAS")}));
    EXPECT_EQ(w->DBLPara->currentIndex(), -1);
    EXPECT_EQ(w->DBCPrioridad->currentText(), QStringLiteral("Normal"));
    escribe(w, QStringLiteral("RECEPCION"), QStringLiteral("Resultados <i>listos</i> & 'hoy'"), QStringLiteral("Alta"));
    EXPECT_TRUE(ventanas().isEmpty());
    envia(QStringLiteral("RECEPCION"), QStringLiteral("Segundo aviso"), QStringLiteral("Normal"));
    EXPECT_TRUE(ventanas().isEmpty());
    EXPECT_EQ(dialogos->errors, QStringList());
    const QString primero = valor(QStringLiteral("select mens_id from mensajeria where mens_mensaje starting with 'Resultados'"));
    const QString segundo = valor(QStringLiteral("select mens_id from mensajeria where mens_mensaje = 'Segundo aviso'"));
    ASSERT_FALSE(primero.isEmpty());
    ASSERT_FALSE(segundo.isEmpty());
    EXPECT_NE(primero, segundo);
    // numbered and signed by the database
    EXPECT_EQ(valor(QStringLiteral("select mens_autor || '/' || mens_destino || '/' || mens_nivel || '/' || mens_leido || "
                                   "'/' || mens_respuesta from mensajeria where mens_id = ") + primero),
              QStringLiteral("ADMIN/RECEPCION/1/N/0"));

    entra(QStringLiteral("RECEPCION"));
    principal->timerCitas.start();
    avisos->verificar_mensajes();
    AlertWindow* alerta = avisos->alertaMensajes();
    ASSERT_TRUE(alerta->isShowing());
    ASSERT_EQ(alerta->count(), 2);
    EXPECT_FALSE(principal->timerCitas.isActive()); // no appointment check while the messages show
    EXPECT_EQ(alerta->messageText(0), primero + QStringLiteral("<br><b>Resultados &lt;i&gt;listos&lt;/i&gt; &amp; 'hoy'"
                                                               "<br>De : ADMIN</b><br>Haga clic para marcar como leído"));
    EXPECT_EQ(alerta->plainText(0), primero + QStringLiteral("\nResultados <i>listos</i> & 'hoy'\nDe : ADMIN\n"
                                                             "Haga clic para marcar como leído"));
    EXPECT_TRUE(alerta->messageText(1).startsWith(segundo + QStringLiteral("<br><b>Segundo aviso<br>")));
    EXPECT_EQ(alerta->messageColor(0), QColor(255, 128, 255));
    EXPECT_EQ(alerta->messageColor(1), QColor(128, 255, 255));
    EXPECT_EQ(alerta->windowColor(), QColor(Qt::white));
    EXPECT_EQ(alerta->counterText(), QStringLiteral("1 of 2"));

    // a click on the message marks only that one read
    QTest::mouseClick(alerta->findChild<QLabel*>(QStringLiteral("messageText")), Qt::LeftButton);
    EXPECT_FALSE(alerta->isShowing());
    EXPECT_EQ(valor(QStringLiteral("select mens_leido from mensajeria where mens_id = ") + primero), QStringLiteral("S"));
    EXPECT_EQ(valor(QStringLiteral("select mens_leido from mensajeria where mens_id = ") + segundo), QStringLiteral("N"));

    // the next check shows the other; closing the alert does not read it
    avisos->verificar_mensajes();
    ASSERT_TRUE(alerta->isShowing());
    ASSERT_EQ(alerta->count(), 1);
    EXPECT_TRUE(alerta->messageText(0).startsWith(segundo + QStringLiteral("<br>")));
    boton(alerta, "closeButton")->click();
    EXPECT_FALSE(alerta->isShowing());
    EXPECT_TRUE(principal->timerCitas.isActive());
    avisos->verificar_mensajes();
    EXPECT_TRUE(alerta->isShowing());
    EXPECT_EQ(alerta->count(), 1);

    // answering: read, and a message window addressed to the author
    boton(alerta, "popupButton")->click();
    asentar();
    EXPECT_FALSE(alerta->isShowing());
    EXPECT_EQ(valor(QStringLiteral("select mens_leido from mensajeria where mens_id = ") + segundo), QStringLiteral("S"));
    ASSERT_EQ(ventanas().size(), 1);
    Tfmensaje* respuesta = ventanas().first();
    EXPECT_EQ(respuesta->DBLPara->currentData().toString(), QStringLiteral("ADMIN"));
    EXPECT_EQ(respuesta->DBLPara->currentText(), QStringLiteral("ADMINISTRADOR DEL SISTEMA"));
    EXPECT_EQ(respuesta->CMensajes.text(QStringLiteral("MENS_RESPUESTA")), segundo);
    QTest::keyClicks(respuesta->DBMMensaje, QStringLiteral("Recibido"));
    QTest::keyClick(respuesta->DBMMensaje, Qt::Key_F2);
    asentar();
    EXPECT_TRUE(ventanas().isEmpty());
    EXPECT_EQ(valor(QStringLiteral("select mens_autor || '/' || mens_destino || '/' || mens_respuesta from mensajeria "
                                   "where mens_mensaje = 'Recibido'")),
              QStringLiteral("RECEPCION/ADMIN/") + segundo);

    // nothing left: the alert stays away and the appointment check may run
    principal->timerCitas.stop();
    avisos->verificar_mensajes();
    EXPECT_FALSE(alerta->isShowing());
    EXPECT_TRUE(principal->timerCitas.isActive());

    // the answer was used once: a new message is not taken for another answer
    Tfmensaje* nuevo = abreMensaje();
    ASSERT_NE(nuevo, nullptr);
    EXPECT_EQ(nuevo->DBLPara->currentIndex(), -1);
    EXPECT_EQ(nuevo->CMensajes.text(QStringLiteral("MENS_RESPUESTA")), QStringLiteral("0"));
    const int antes = mensajes();
    QTest::keyClicks(nuevo->DBMMensaje, QStringLiteral("borrador"));
    QTest::keyClick(nuevo->DBMMensaje, Qt::Key_Escape);
    asentar();
    EXPECT_TRUE(ventanas().isEmpty());
    EXPECT_EQ(mensajes(), antes);
    EXPECT_EQ(dialogos->errors, QStringList());
}

// A message the send cannot store stays in the window with what was typed;
// corrected, it is sent once.
TEST_F(Alertas, RefusedSendKeepsTheMessage) {
    // a user whose code does not fit MENS_DESTINO (10 characters)
    fdm->ejecutar(QStringLiteral("insert into usuario (usua_cod, usua_nombre) values ('LABORATORIO2', 'CODIGO LARGO')"),
                  &fdm->ConGeneral);
    fdm->ejecutar(QStringLiteral("insert into compania_usuario (comp_cod, usua_cod) values ('001', 'LABORATORIO2')"),
                  &fdm->ConGeneral);
    struct Caso {
        const char* para;
        const char* texto;
        const char* error; // start of the message shown
    } casos[] = {
        {"", "Sin destinatario", "Los campos Destinatario, "},
        {"ADMIN", "   ", "Los campos Mensaje, "},
        {"LABORATORIO2", "Para un codigo largo", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        dialogos->errors.clear();
        const int antes = mensajes();
        Tfmensaje* w = abreMensaje();
        ASSERT_NE(w, nullptr);
        escribe(w, QString::fromUtf8(c.para), QString::fromUtf8(c.texto), QStringLiteral("Media"));
        ASSERT_EQ(ventanas().size(), 1) << "the window closed and dropped the message";
        EXPECT_EQ(w->DBMMensaje->toPlainText(), QString::fromUtf8(c.texto));
        EXPECT_EQ(w->DBCPrioridad->currentText(), QStringLiteral("Media"));
        ASSERT_EQ(dialogos->errors.size(), 1);
        EXPECT_TRUE(dialogos->errors.first().startsWith(QString::fromUtf8(c.error))) << dialogos->errors.first().toStdString();
        EXPECT_EQ(mensajes(), antes);

        // corrected and sent again: stored once, window closed
        escribe(w, QStringLiteral("ADMIN"), QStringLiteral("Corregido ") + QString::fromUtf8(c.texto).trimmed(),
                QStringLiteral("Media"));
        EXPECT_TRUE(ventanas().isEmpty());
        EXPECT_EQ(mensajes(), antes + 1);
        EXPECT_EQ(valor(QStringLiteral("select count(*) from mensajeria where mens_destino = 'ADMIN' and mens_nivel = 2 "
                                       "and mens_mensaje = ") +
                        sqltext::quoted(QStringLiteral("Corregido ") + QString::fromUtf8(c.texto).trimmed())),
                  QStringLiteral("1"));
        EXPECT_EQ(dialogos->errors.size(), 1);
    }

    // a text pasted longer than the column is cut to what the column holds
    Tfmensaje* w = abreMensaje();
    ASSERT_NE(w, nullptr);
    w->DBMMensaje->insertPlainText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(w->DBMMensaje->toPlainText().size(), 255);
    w->DBLPara->setCurrentIndex(w->DBLPara->findData(QStringLiteral("RECEPCION")));
    QTest::keyClick(w->DBMMensaje, Qt::Key_F2);
    asentar();
    EXPECT_TRUE(ventanas().isEmpty());
    EXPECT_EQ(valor(QStringLiteral("select max(char_length(mens_mensaje)) from mensajeria where mens_destino = 'RECEPCION'")),
              QStringLiteral("255"));
}

// An appointment is announced by checks made up to 7 minutes 12 seconds
// before it and until its start; only to its doctor.
TEST_F(Alertas, AppointmentWindow) {
    const QDate dia(2031, 3, 5);
    for (const char* hora : {"10:05:00", "23:59:30"})
        fdm->ejecutar(QStringLiteral("insert into programa_citas (prci_id, prci_fecha, prci_horaini, terc_medi, terc_nit, "
                                     "tido_cod) values (0, ") +
                      sqltext::quotedDate(dia) + QStringLiteral(", '") + QLatin1String(hora) +
                      QStringLiteral("', '79888777', '52345678', 203)"));
    const QString a_las_10 = QStringLiteral("<b>CITA CON RODRIGUEZ MARTINEZ ANA MARIA </b><br> PARA ENTREGA DE RESULTADOS A LAS 10:05:00");
    const QString doctor = QStringLiteral("79888777");
    struct Caso {
        QString nit;
        QDateTime ahora;
        QString aviso; // empty: no alert
    } casos[] = {
        {doctor, QDateTime(dia, QTime(9, 57, 47)), {}},
        {doctor, QDateTime(dia, QTime(9, 57, 48)), a_las_10},
        {doctor, QDateTime(dia, QTime(10, 1, 30, 999)), a_las_10},
        {doctor, QDateTime(dia, QTime(10, 5, 0)), a_las_10},
        {doctor, QDateTime(dia, QTime(10, 5, 1)), {}},
        {doctor, QDateTime(dia.addDays(1), QTime(10, 0, 0)), {}},
        // near midnight the window ends with the day
        {doctor, QDateTime(dia, QTime(23, 53, 0)), QStringLiteral("<b>CITA CON RODRIGUEZ MARTINEZ ANA MARIA </b><br> PARA "
                                                                  "ENTREGA DE RESULTADOS A LAS 23:59:30")},
        // not a doctor, and an identification that tries to be SQL
        {QString(), QDateTime(dia, QTime(10, 0, 0)), {}},
        {QStringLiteral("79888777' or '1'='1"), QDateTime(dia, QTime(10, 0, 0)), {}},
    };
    AlertWindow* alerta = avisos->alertaCitas();
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.nit + QLatin1Char(' ') + c.ahora.toString(Qt::ISODateWithMs)).toStdString());
        Fdmips->nit_medico = c.nit;
        avisos->reloj = [&c] { return c.ahora; };
        alerta->hideAlert();
        alerta->clear();
        avisos->verificar_citas();
        EXPECT_EQ(alerta->isShowing(), !c.aviso.isEmpty());
        EXPECT_EQ(alerta->count(), c.aviso.isEmpty() ? 0 : 1);
        if (!c.aviso.isEmpty()) {
            EXPECT_EQ(alerta->messageText(0), c.aviso);
        }
    }
    EXPECT_EQ(dialogos->errors, QStringList());
}

// The adviser's commitments neither fulfilled nor cancelled and already due,
// high priority first and newest first, coloured by priority; one check only.
TEST_F(Alertas, DueCommitments) {
    const QDate hoy(2031, 3, 5);
    const QDateTime ahora(hoy, QTime(12, 0, 0));
    avisos->reloj = [ahora] { return ahora; };
    fdm->ejecutar(QStringLiteral("insert into crm_asesor (cras_id, cras_nombre, cras_activo) values (7, 'ASESOR DE PRUEBA', 'S')"));
    struct Compromiso {
        int dias;
        const char* hora;
        const char* prioridad;
        const char* cumplido;
        const char* anulado;
        const char* obs;
    } filas[] = {
        {-1, "09:00:00", "A", "N", "N", "ayer alta"},
        {0, "11:00:00", "M", "N", "N", "hoy media"},
        {0, "12:00:00", "N", "N", "N", "hoy normal <justo> & a tiempo"},
        {0, "12:00:01", "A", "N", "N", "dentro de un segundo"},
        {1, "08:00:00", "A", "N", "N", "manana"},
        {-2, "08:00:00", "N", "S", "N", "cumplido"},
        {-2, "08:00:00", "A", "N", "S", "anulado"},
        {-3, "15:00:00", "N", "N", "N", "hace tres dias"},
    };
    for (const Compromiso& f : filas)
        fdm->ejecutar(QStringLiteral("insert into crm_compromisos (crco_id, crco_nit, crco_fecha, crco_hora, crco_tipo, "
                                     "crco_obs, crco_asesor, crco_cumplido, crco_anulado, crco_prioridad) values (0, "
                                     "'52345678', ") +
                      sqltext::quotedDate(hoy.addDays(f.dias)) + QStringLiteral(", '") + QLatin1String(f.hora) +
                      QStringLiteral("', 1, ") + sqltext::quoted(QString::fromUtf8(f.obs)) + QStringLiteral(", 7, '") +
                      QLatin1String(f.cumplido) + QStringLiteral("', '") + QLatin1String(f.anulado) +
                      QStringLiteral("', '") + QLatin1String(f.prioridad) + QStringLiteral("')"));
    const QString ultimo = valor(QStringLiteral("select crco_id from crm_compromisos where crco_obs = 'hace tres dias'"));

    AlertWindow* alerta = avisos->alertaCompromisos();
    // advisers without a code, with a code that is no number, without due commitments
    for (const char* asesor : {"", "abc", "7 or 1=1", "3"}) {
        SCOPED_TRACE(asesor);
        principal->cod_asesor = QString::fromUtf8(asesor);
        principal->timerCompromisos.start();
        avisos->verificar_compromisos();
        EXPECT_FALSE(principal->timerCompromisos.isActive());
        EXPECT_FALSE(alerta->isShowing());
        EXPECT_EQ(alerta->count(), 0);
    }
    EXPECT_EQ(dialogos->errors, QStringList());

    // before the company database is open the check waits
    principal->cod_asesor = QStringLiteral("7");
    fdm->Zentavo.close();
    principal->timerCompromisos.start();
    avisos->verificar_compromisos();
    EXPECT_TRUE(principal->timerCompromisos.isActive());
    EXPECT_FALSE(alerta->isShowing());
    entra(QStringLiteral("ADMIN"));
    avisos->verificar_compromisos();
    EXPECT_FALSE(principal->timerCompromisos.isActive());
    ASSERT_TRUE(alerta->isShowing());
    ASSERT_EQ(alerta->count(), 4);
    EXPECT_EQ(alerta->messageText(0), QStringLiteral("<b>LLAMADA TELEFONICA RODRIGUEZ MARTINEZ ANA MARIA</b><br>ayer alta<br>03/04/2031-09:00:00"));
    EXPECT_EQ(alerta->messageText(1), QStringLiteral("<b>LLAMADA TELEFONICA RODRIGUEZ MARTINEZ ANA MARIA</b><br>hoy media<br>03/05/2031-11:00:00"));
    EXPECT_EQ(alerta->messageText(2), QStringLiteral("<b>LLAMADA TELEFONICA RODRIGUEZ MARTINEZ ANA MARIA</b><br>hoy normal "
                                                     "&lt;justo&gt; &amp; a tiempo<br>03/05/2031-12:00:00"));
    EXPECT_EQ(alerta->messageText(3), QStringLiteral("<b>LLAMADA TELEFONICA RODRIGUEZ MARTINEZ ANA MARIA</b><br>hace tres dias<br>03/02/2031-15:00:00"));
    const QColor esperado[] = {principal->color_prioridad_alta, principal->color_prioridad_media,
                               principal->color_prioridad_normal, principal->color_prioridad_normal};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(alerta->messageColor(i), esperado[i]) << i;
    EXPECT_EQ(alerta->windowColor(), QColor(Qt::white));
    EXPECT_EQ(avisos->compromiso_guardado, ultimo);

    // a click hands the stored commitment to the agenda and puts the alert away
    QString recibido;
    int abiertas = 0;
    principal->abrir_agenda = [&] {
        ++abiertas;
        recibido = fdmcrm->id_compromiso;
    };
    QTest::mouseClick(alerta->findChild<QLabel*>(QStringLiteral("messageText")), Qt::LeftButton);
    EXPECT_FALSE(alerta->isShowing());
    EXPECT_EQ(abiertas, 1);
    EXPECT_EQ(recibido, ultimo);
    EXPECT_EQ(dialogos->errors, QStringList());
}

// "&Mensajeria" with a message window open brings that one to the front.
TEST_F(Alertas, MessageWindowOpensOnce) {
    Tfmensaje* w = abreMensaje();
    ASSERT_NE(w, nullptr);
    QTest::keyClicks(w->DBMMensaje, QStringLiteral("a medio escribir"));
    auto* otra = principal->mdiArea()->addSubWindow(new QWidget);
    otra->show();
    principal->mdiArea()->setActiveSubWindow(otra);
    principal->SBMensajeriaClick();
    asentar();
    ASSERT_EQ(ventanas().size(), 1);
    EXPECT_EQ(ventanas().first(), w);
    EXPECT_EQ(principal->mdiArea()->activeSubWindow(), w->subWindow());
    EXPECT_EQ(w->DBMMensaje->toPlainText(), QStringLiteral("a medio escribir"));
}

// The message alert steps through its messages, and the click reads the one shown.
TEST_F(Alertas, MessageAlertSteps) {
    for (const char* texto : {"uno", "dos", "tres"})
        fdm->ejecutar(QStringLiteral("insert into mensajeria (mens_id, mens_autor, mens_mensaje, mens_nivel, mens_destino) "
                                     "values (0, 'ADMIN', '") +
                      QLatin1String(texto) + QStringLiteral("', 2, 'RECEPCION')"));
    avisos->verificar_mensajes();
    AlertWindow* alerta = avisos->alertaMensajes();
    ASSERT_EQ(alerta->count(), 3);
    struct Paso {
        const char* boton;
        int indice;
        const char* contador;
    } pasos[] = {
        {"previousButton", 0, "1 of 3"}, {"nextButton", 1, "2 of 3"}, {"nextButton", 2, "3 of 3"},
        {"nextButton", 2, "3 of 3"},     {"previousButton", 1, "2 of 3"},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.contador);
        QTest::mouseClick(boton(alerta, p.boton), Qt::LeftButton);
        EXPECT_EQ(avisos->indice_mensaje, p.indice);
        EXPECT_EQ(alerta->currentIndex(), p.indice);
        EXPECT_EQ(alerta->counterText(), QString::fromUtf8(p.contador));
    }
    QTest::mouseClick(alerta->findChild<QLabel*>(QStringLiteral("messageText")), Qt::LeftButton);
    EXPECT_EQ(valor(QStringLiteral("select list(mens_mensaje) from mensajeria where mens_destino = 'RECEPCION' and mens_leido = 'S'")),
              QStringLiteral("dos"));
}

// The alert window: buttons and hints of each reminder, placement, fade,
// markup that cannot be broken by the text it shows.
TEST_F(Alertas, AlertWindowSettings) {
    struct Esperado {
        AlertWindow* alerta;
        bool borrar;
        QStringList hints; // popup, next, previous, close, delete
        bool centro;
    } alertas[] = {
        {avisos->alertaMensajes(), false,
         {QStringLiteral("Contestar al autor"), QStringLiteral("Siguiente"), QStringLiteral("Anterior"), QStringLiteral("Cerrar")},
         true},
        {avisos->alertaCitas(), true,
         {QStringLiteral("Popup"), QStringLiteral("Next"), QStringLiteral("Previous"), QStringLiteral("Close"), QStringLiteral("Delete")},
         false},
        {avisos->alertaCompromisos(), true,
         {QStringLiteral("Popup"), QStringLiteral("Next"), QStringLiteral("Previous"), QStringLiteral("Close"), QStringLiteral("Delete")},
         false},
    };
    const QRect pantalla = principal->screen()->availableGeometry();
    for (const Esperado& e : alertas) {
        AlertWindow* a = e.alerta;
        SCOPED_TRACE(a->objectName().toStdString());
        a->clear();
        a->addMessage(QStringLiteral("<b>Uno</b><br>dos <img src=x> &amp; &x &lt;"), QColor(1, 2, 3));
        a->addMessage(QStringLiteral("otro"));
        a->showAlert();
        EXPECT_TRUE(QTest::qWaitFor([a] { return qRound(a->windowOpacity() * 255) == AlertWindow::kOpacity; }, 3000));
        EXPECT_TRUE(a->isShowing());
        EXPECT_FALSE(a->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(a->windowType(), Qt::Tool);
        EXPECT_EQ(a->size(), QSize(AlertWindow::kWidth, AlertWindow::kHeight));
        if (e.centro) {
            EXPECT_LE((a->geometry().center() - pantalla.center()).manhattanLength(), 2);
        } else {
            EXPECT_TRUE(pantalla.contains(a->geometry()) && pantalla.bottom() - a->geometry().bottom() < 20 &&
                        pantalla.right() - a->geometry().right() < 20);
        }
        QStringList hints{boton(a, "popupButton")->toolTip(), boton(a, "nextButton")->toolTip(),
                          boton(a, "previousButton")->toolTip(), boton(a, "closeButton")->toolTip()};
        if (e.borrar)
            hints << boton(a, "deleteButton")->toolTip();
        EXPECT_EQ(hints, e.hints);
        EXPECT_EQ(boton(a, "deleteButton")->isVisible(), e.borrar);
        EXPECT_TRUE(boton(a, "popupButton")->isVisible());
        EXPECT_EQ(a->counterText(), QStringLiteral("1 of 2"));
        EXPECT_EQ(a->plainText(0), QStringLiteral("Uno\ndos <img src=x> & &x <"));
        EXPECT_TRUE(a->findChild<QLabel*>(QStringLiteral("messageText"))->text().contains(QStringLiteral("<b>Uno</b><br>")));
        // it stays until it is closed
        QTest::qWait(50);
        EXPECT_TRUE(a->isShowing());
        boton(a, "closeButton")->click();
        EXPECT_FALSE(a->isShowing());
    }

    // delete takes the message shown away; the last one takes the alert with it
    AlertWindow* a = avisos->alertaCitas();
    int borrados = 0;
    QObject::connect(a, &AlertWindow::deleteClicked, [&] { ++borrados; });
    a->showAlert();
    boton(a, "deleteButton")->click();
    EXPECT_EQ(a->count(), 1);
    EXPECT_EQ(a->messageText(0), QStringLiteral("otro"));
    EXPECT_TRUE(a->isShowing());
    boton(a, "deleteButton")->click();
    EXPECT_EQ(borrados, 2);
    EXPECT_EQ(a->count(), 0);
    EXPECT_FALSE(a->isShowing());

    // a long message makes the pop-up taller, never narrower
    a->addMessage(QStringLiteral("palabra ").repeated(60));
    a->showAlert();
    EXPECT_EQ(a->width(), AlertWindow::kWidth);
    EXPECT_GT(a->height(), AlertWindow::kHeight);

    // two reminders in the corner at once: the later one stands above, both readable
    AlertWindow* b = avisos->alertaCompromisos();
    b->addMessage(QStringLiteral("compromiso"));
    b->showAlert();
    EXPECT_FALSE(a->geometry().intersects(b->geometry()));
    EXPECT_LT(b->geometry().bottom(), a->geometry().top());
    EXPECT_EQ(b->geometry().right(), a->geometry().right());
}
