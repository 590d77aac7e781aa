#include "app/principal.h"

#include "agenda/dmcrm.h"
#include "app/avisos.h"
#include "app/companias.h"
#include "app/ctrlacceso.h"
#include "common/Registry.h"
#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"
#include "masters/dmcnt.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "ui/Pantallas.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>
#include <stdexcept>

TFprincipal* Fprincipal = nullptr;

namespace {
// Colours in the settings are a standard colour name ("clRed", "red") or an
// integer holding blue, green and red bytes (0x00BBGGRR).
QColor colorDesdeTexto(const QString& text) {
    const QString t = text.trimmed();
    bool isNumber = false;
    const qlonglong n = t.startsWith(QLatin1Char('$')) ? t.mid(1).toLongLong(&isNumber, 16) : t.toLongLong(&isNumber);
    if (isNumber)
        return QColor(int(n & 0xff), int((n >> 8) & 0xff), int((n >> 16) & 0xff));
    QString name = t;
    if (name.startsWith(QStringLiteral("cl"), Qt::CaseInsensitive))
        name = name.mid(2);
    static const QMap<QString, QString> aliases = {{QStringLiteral("aqua"), QStringLiteral("cyan")},
                                                   {QStringLiteral("fuchsia"), QStringLiteral("magenta")},
                                                   {QStringLiteral("lime"), QStringLiteral("#00ff00")},
                                                   {QStringLiteral("moneygreen"), QStringLiteral("#c0dcc0")},
                                                   {QStringLiteral("skyblue"), QStringLiteral("#a6caf0")},
                                                   {QStringLiteral("cream"), QStringLiteral("#fffbf0")},
                                                   {QStringLiteral("medgray"), QStringLiteral("#a0a0a4")}};
    name = aliases.value(name.toLower(), name);
    const QColor c = QColor::fromString(name);
    if (!c.isValid())
        throw std::invalid_argument(QStringLiteral("'%1' is not a valid color value").arg(text).toStdString());
    return c;
}

// Fixed artwork of the header and button column, drawn rather than shipped.
QPixmap artwork(int w, int h, bool tube) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (tube) {
        p.setPen(QPen(QColor(40, 70, 120), 2));
        p.setBrush(QColor(225, 235, 250));
        p.drawRoundedRect(QRectF(w * 0.40, h * 0.10, w * 0.20, h * 0.80), 6, 6);
        p.setBrush(QColor(200, 40, 60));
        p.drawRoundedRect(QRectF(w * 0.40, h * 0.55, w * 0.20, h * 0.35), 6, 6);
        p.setBrush(QColor(60, 90, 160));
        p.drawRect(QRectF(w * 0.37, h * 0.05, w * 0.26, h * 0.10));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 90, 160));
        p.drawEllipse(QRectF(w * 0.15, h * 0.15, w * 0.7, h * 0.7));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(w * 0.45, h * 0.28, w * 0.10, h * 0.44));
        p.drawRect(QRectF(w * 0.28, h * 0.45, w * 0.44, h * 0.10));
    }
    return pm;
}
} // namespace

TFprincipal::TFprincipal(QWidget* parent) : QMainWindow(parent) {
    Fprincipal = this;
    setObjectName(QStringLiteral("Fprincipal"));
    setWindowTitle(QStringLiteral("Toma de muestras laboratorio"));
    MdiHost::setInstance(this);
    primera_activacion = true;
    fdm->modulo = QStringLiteral("CARTERA");
    fdm->setStatusBar(this);
    fdm->diraplicacion = [] { return ::diraplicacion(); };
    fdm->es_administrador = [this] { return es_administrador; };
    // Numbers with "." decimals and "," thousands; dates and times are always
    // written with explicit formats (mm/dd/yyyy, HH:mm:ss).
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    setCentralWidget(central);
    buildHeader();
    buildButtons();
    area_ = new QMdiArea;
    area_->setObjectName(QStringLiteral("MdiArea"));
    area_->setBackground(QColor(96, 128, 168));
    grid->addWidget(centralWidget()->findChild<QWidget*>(QStringLiteral("Encabezado")), 0, 0, 1, 2);
    grid->addWidget(centralWidget()->findChild<QWidget*>(QStringLiteral("Botones")), 1, 0);
    grid->addWidget(area_, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    buildMenu();
    buildStatusBar();

    avisos_ = new Avisos(this);
    timerCompromisos.setInterval(1000);
    timerMensajes.setInterval(Tfdm::kPollInterval);
    timerCitas.setInterval(15000);
    connect(&timerCompromisos, &QTimer::timeout, this, [this] { fdm->protect([this] { avisos_->verificar_compromisos(); }); });
    connect(&timerMensajes, &QTimer::timeout, this, [this] {
        if (fdm->fin_advertencia())
            return;
        fdm->protect([this] { avisos_->verificar_mensajes(); });
    });
    connect(&timerCitas, &QTimer::timeout, this, [this] { fdm->protect([this] { avisos_->verificar_citas(); }); });
    timerCompromisos.start();
    timerMensajes.start();
    timerCitas.start();
}

TFprincipal::~TFprincipal() {
    if (fdm && fdm->statusBar() == this)
        fdm->setStatusBar(nullptr);
    if (MdiHost::instance() == this)
        MdiHost::setInstance(nullptr);
    if (Fprincipal == this)
        Fprincipal = nullptr;
}

void TFprincipal::buildHeader() {
    auto* band = new QWidget(centralWidget());
    band->setObjectName(QStringLiteral("Encabezado"));
    band->setFixedHeight(80);
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, QColor(226, 234, 246));
    band->setPalette(pal);
    auto* row = new QHBoxLayout(band);
    auto* left = new QLabel;
    left->setPixmap(artwork(70, 70, true));
    row->addWidget(left);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Compañia:")), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("Usuario:")), 0, 1);
    NomCia = new QLineEdit;
    NomCia->setObjectName(QStringLiteral("NomCia"));
    EUsuario = new QLineEdit;
    EUsuario->setObjectName(QStringLiteral("EUsuario"));
    for (QLineEdit* e : {NomCia, EUsuario}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMinimumWidth(260);
    }
    fields->addWidget(NomCia, 1, 0);
    fields->addWidget(EUsuario, 1, 1);
    row->addLayout(fields);
    row->addStretch();
    auto* right = new QLabel;
    right->setPixmap(artwork(70, 70, false));
    row->addWidget(right);
}

void TFprincipal::buildButtons() {
    auto* column = new QWidget(centralWidget());
    column->setObjectName(QStringLiteral("Botones"));
    column->setFixedWidth(113);
    auto* layout = new QVBoxLayout(column);
    const char* captions[] = {"&Pacientes", "&Toma muestra", "&Mensajeria", "&Agenda", "Formato"};
    const char* names[] = {"SBPacientes", "SBTomamuestra", "SBMensajeria", "SBAgenda", "SBFormato"};
    void (TFprincipal::*actions[])() = {&TFprincipal::SBPacientesClick, &TFprincipal::SBTomamuestraClick,
                                        &TFprincipal::SBMensajeriaClick, &TFprincipal::SBAgendaClick,
                                        &TFprincipal::SBFormatoClick};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]));
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setFixedSize(100, 30);
        QFont f = b->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 0.9); // the longest caption fits the 100 pixels
        b->setFont(f);
        connect(b, &QPushButton::clicked, this, actions[i]);
        layout->addWidget(b, 0, Qt::AlignHCenter);
        buttons_[i] = b;
    }
    layout->addStretch();
    auto* picture = new QLabel;
    picture->setPixmap(artwork(90, 90, false));
    layout->addWidget(picture, 0, Qt::AlignHCenter);
}

void TFprincipal::buildMenu() {
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("Archivo"));
    archivo->addAction(QStringLiteral("Enviar mensaje"), QKeySequence(Qt::CTRL | Qt::Key_M), this,
                       &TFprincipal::SBMensajeriaClick);
    archivo->addAction(QStringLiteral("Configurar &impresora..."), this, [this] {
        QPrinter printer;
        QPageSetupDialog(&printer, this).exec();
    });
    archivo->addAction(QStringLiteral("&Salir"), QKeySequence(Qt::CTRL | Qt::Key_S), this, &QWidget::close);

    QMenu* edicion = menuBar()->addMenu(QStringLiteral("Edición"));
    auto clip = [](const char* method) {
        return [method] {
            if (QWidget* w = QApplication::focusWidget())
                QMetaObject::invokeMethod(w, method);
        };
    };
    edicion->addAction(QStringLiteral("&Copiar"), QKeySequence(Qt::CTRL | Qt::Key_C), this, clip("copy"));
    edicion->addAction(QStringLiteral("Cor&tar"), QKeySequence(Qt::CTRL | Qt::Key_X), this, clip("cut"));
    edicion->addAction(QStringLiteral("&Pegar"), QKeySequence(Qt::CTRL | Qt::Key_V), this, clip("paste"));
    for (QAction* a : edicion->actions())
        a->setShortcutContext(Qt::WidgetShortcut); // the focused control keeps its own clipboard keys

    // Entries of the wider suite that have no action in this program.
    QMenu* pacientes = menuBar()->addMenu(QStringLiteral("Pacientes"));
    pacientes->addAction(QStringLiteral("Registro"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    pacientes->addAction(QStringLiteral("Busqueda de pacientes"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    QMenu* mant = menuBar()->addMenu(QStringLiteral("&Mantenimiento"));
    for (const char* e : {"Numeracion HC.", "Motivo conocimiento", "Criterios HC", "Criterios HC conyugue",
                          "Tipos de procedimiento", "Importacion"})
        mant->addAction(QString::fromUtf8(e));

    ventanaMenu_ = menuBar()->addMenu(QStringLiteral("Ventana"));
    connect(ventanaMenu_, &QMenu::aboutToShow, this, [this] {
        ventanaMenu_->clear();
        const bool any = !area_->subWindowList().isEmpty();
        ventanaMenu_->addAction(QStringLiteral("C&errar"), area_, &QMdiArea::closeActiveSubWindow)->setEnabled(any);
        ventanaMenu_->addAction(QStringLiteral("&Cascada"), area_, &QMdiArea::cascadeSubWindows)->setEnabled(any);
        auto tile = [this](bool horizontal) {
            const auto list = area_->subWindowList();
            if (list.isEmpty())
                return;
            const QSize s = area_->viewport()->size();
            const int n = int(list.size());
            for (int i = 0; i < n; ++i) {
                list[i]->showNormal();
                if (horizontal)
                    list[i]->setGeometry(0, i * s.height() / n, s.width(), s.height() / n);
                else
                    list[i]->setGeometry(i * s.width() / n, 0, s.width() / n, s.height());
            }
        };
        ventanaMenu_->addAction(QStringLiteral("A. &Horizontal"), this, [tile] { tile(true); })->setEnabled(any);
        ventanaMenu_->addAction(QStringLiteral("A. &Vertical"), this, [tile] { tile(false); })->setEnabled(any);
        ventanaMenu_->addAction(QStringLiteral("&Minimizar todas"), this, [this] {
            for (QMdiSubWindow* w : area_->subWindowList())
                w->showMinimized();
        })->setEnabled(any);
        if (any)
            ventanaMenu_->addSeparator();
        int i = 1;
        for (QMdiSubWindow* w : area_->subWindowList()) {
            QAction* a = ventanaMenu_->addAction(QStringLiteral("&%1 %2").arg(i++).arg(w->windowTitle()), this,
                                                 [this, w] { area_->setActiveSubWindow(w); });
            a->setCheckable(true);
            a->setChecked(w == area_->activeSubWindow());
        }
    });

    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("Ayuda"));
    for (const char* e : {"&Evento soporte", "&Informe visita", "&Acerca de"})
        ayuda->addAction(QString::fromUtf8(e));
}

void TFprincipal::buildStatusBar() {
    panel0_ = new QLabel(QStringLiteral("Mensaje:"));
    panel0_->setObjectName(QStringLiteral("Panel0"));
    panel0_->setFixedWidth(600);
    panel1_ = new QLabel(QStringLiteral("Fecha y hora:"));
    panel1_->setFixedWidth(90);
    panel1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addWidget(panel0_);
    statusBar()->addWidget(panel1_);
    statusBar()->setAutoFillBackground(true);
    setBarColor(buttonFaceColor());
}

// ---------------------------------------------------------------- status bar

void TFprincipal::setNoticeText(const QString& text) { panel0_->setText(text); }
QString TFprincipal::noticeText() const { return panel0_->text(); }

void TFprincipal::setBarColor(const QColor& color) {
    QPalette pal = statusBar()->palette();
    pal.setColor(QPalette::Window, color);
    statusBar()->setPalette(pal);
}

QColor TFprincipal::barColor() const { return statusBar()->palette().color(QPalette::Window); }
QColor TFprincipal::buttonFaceColor() const { return QApplication::palette().color(QPalette::Button); }
QColor TFprincipal::skinGlobalColor() const { return QColor(255, 236, 170); }

void TFprincipal::repaintMain() {
    statusBar()->repaint();
}

void TFprincipal::restartMessagePoll(int milliseconds) {
    timerMensajes.setInterval(std::max(milliseconds, 100));
    timerMensajes.start();
}

// ---------------------------------------------------------------- MDI

QSize TFprincipal::clientSize() const { return area_->viewport()->size(); }
int TFprincipal::childCount() const { return int(area_->subWindowList().size()); }

void TFprincipal::localiza_ventana() {
    ventana_encontrada = false;
    const auto list = area_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        QWidget* w = (*it)->widget();
        if (w && w->objectName() == ventana_buscada) {
            (*it)->showNormal();
            area_->setActiveSubWindow(*it);
            (*it)->raise();
            ventana_encontrada = true;
            return;
        }
    }
}

void TFprincipal::SBPacientesClick() {
    ventana_buscada = QStringLiteral("Ftercerostm");
    localiza_ventana();
    if (ventana_encontrada)
        return;
    fdm->solo_consulta = true;
    fdm->protect([] { pantallas::abrir(QStringLiteral("Ftercerostm")); });
}

void TFprincipal::SBTomamuestraClick() {
    fdm->protect([] { pantallas::abrir(QStringLiteral("Ftomamuest")); });
}

void TFprincipal::SBMensajeriaClick() {
    ventana_buscada = QStringLiteral("fmensaje");
    localiza_ventana();
    if (ventana_encontrada)
        return;
    if (abrir_mensajeria)
        fdm->protect(abrir_mensajeria);
}

void TFprincipal::SBAgendaClick() {
    if (abrir_agenda)
        fdm->protect(abrir_agenda);
    else
        fdm->protect([] { pantallas::abrir(QStringLiteral("Fbusccompromhc")); });
}

void TFprincipal::SBFormatoClick() {
    fdm->tipo_formato = QStringLiteral("99");
    fdm->prefijo_formato = QStringLiteral("0000");
    fdm->protect([] { pantallas::abrir(QStringLiteral("Fmodformato")); });
}

// ---------------------------------------------------------------- start-up

bool TFprincipal::event(QEvent* e) {
    // The first activation starts the sequence; being shown counts as well,
    // for desktops that never activate a window by themselves.
    if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && primera_activacion && !running_)
        QTimer::singleShot(0, this, [this] {
            if (primera_activacion && !running_)
                secuencia_inicio();
        });
    return QMainWindow::event(e);
}

void TFprincipal::closeEvent(QCloseEvent* event) {
    area_->closeAllSubWindows();
    if (!area_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    timerCompromisos.stop();
    timerMensajes.stop();
    timerCitas.stop();
    event->accept(); // the program ends when its last window closes
}

void TFprincipal::terminar() { close(); }


void TFprincipal::secuencia_inicio() {
    running_ = true;
    bool completo = false;
    try {
        completo = correrPasos();
    } catch (const std::exception& e) {
        fdm->ENoManejada(this, e);
    }
    running_ = false;
    if (completo)
        emit sesionIniciada();
}

bool TFprincipal::correrPasos() {
    // 1. login
    {
        Tfacceso acceso;
        if (al_crear_acceso)
            al_crear_acceso(acceso);
        acceso.execModal();
        if (!acceso.aceptado()) {
            terminar();
            return false;
        }
    }
    // 2. company from the registry or from the company list
    Registry registry;
    if (!registry.keyExists()) {
        conectar_compania = true;
        UserDialogs::current().error(QStringLiteral("No se encontró la clave de registro HKLM\\Software\\Quorvel\\Tevanor"));
        cod_compania.clear();
    } else {
        cod_compania = registry.value(QStringLiteral("Compania"));
        if (!cod_compania.isEmpty()) {
            conectar_compania = true;
        } else {
            conectar_compania = false;
            Tfcompanias companias;
            companias.execModal();
            if (!isVisible())
                return false; // the list ended the program
        }
    }
    // 3.
    if (!conectar_compania)
        return false;
    // 4. company database
    fdm->Zentavo.close();
    fdm->Zentavo.setParam(QStringLiteral("Database"), servidor + QStringLiteral("/datos/") + cod_compania +
                                                          QStringLiteral("/zentavo.fdb"));
    fdm->Zentavo.setParam(QStringLiteral("User_Name"), fdm->cod_usuario);
    fdm->Zentavo.setParam(QStringLiteral("password"), clave);
    fdm->Zentavo.open();
    // 5. settings
    fdm->cargue_configuracion();
    NomCia->setText(fdm->configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"), QStringLiteral("NOMBRE COMPAÑIA")));
    fdm->color_ventana = fdm->configuracion(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                                            QStringLiteral("COLOR VENTANA PRINCIPAL"));
    color_prioridad_normal = colorDesdeTexto(fdm->configuracion(
        QStringLiteral("CRM"), QStringLiteral("COMPROMISOS"), QStringLiteral("COLOR COMPROMISOS DE PRIORIDAD NORMAL")));
    color_prioridad_media = colorDesdeTexto(fdm->configuracion(
        QStringLiteral("CRM"), QStringLiteral("COMPROMISOS"), QStringLiteral("COLOR COMPROMISOS DE PRIORIDAD MEDIA")));
    color_prioridad_alta = colorDesdeTexto(fdm->configuracion(
        QStringLiteral("CRM"), QStringLiteral("COMPROMISOS"), QStringLiteral("COLOR COMPROMISOS DE PRIORIDAD ALTA")));
    // 6. general database with the user's own login
    fdm->ConGeneral.close();
    fdm->ConGeneral.setParam(QStringLiteral("Database"), servidor + QStringLiteral("/datos/general.fdb"));
    fdm->ConGeneral.setParam(QStringLiteral("User_Name"), fdm->cod_usuario);
    fdm->ConGeneral.setParam(QStringLiteral("password"), clave);
    fdm->ConGeneral.open();
    // 7. administrator flag
    es_administrador = fdm->valor(QStringLiteral("select usua_admin from usuario where usua_cod = ") +
                                      sqltext::quoted(fdm->cod_usuario),
                                  &fdm->ConGeneral)
                           .toString() == QStringLiteral("S");
    // 8. company logo
    fdm->CCompania.close();
    fdm->CCompania.open();
    logo_compania = QImage();
    if (fdm->CCompania.locate({QStringLiteral("COMP_COD")}, {Value(cod_compania)})) {
        const QByteArray logo = fdm->CCompania.value(QStringLiteral("COMP_LOGO")).toBytes();
        if (!logo.isEmpty())
            logo_compania = QImage::fromData(logo);
    }
    // 9.
    fdm->ConGeneral.close();
    // 10. display name from the login
    fdm->nom_usuario = EUsuario->text();
    if (fdm->nom_usuario.isEmpty()) {
        UserDialogs::current().error(QStringLiteral("Usuario no registrado."));
        primera_activacion = false;
        terminar();
        return false;
    }
    // 11. company profile
    ClientDataSet perfil(QStringLiteral("CUsracceso"));
    Provider pperfil(QStringLiteral("PUsracceso"), fdm->TUsracceso);
    perfil.setProvider(&pperfil);
    perfil.setCommandText(QStringLiteral("select * from usuario where user_cod = ") + sqltext::quoted(fdm->cod_usuario));
    perfil.open();
    if (perfil.isEmpty()) {
        perfil.close();
        UserDialogs::current().error(QStringLiteral("Nombre de usuario incorrecto"));
        primera_activacion = false;
        terminar();
        return false;
    }
    Fdmips->usa_camara = perfil.text(QStringLiteral("USER_CAMARA")) == QStringLiteral("S");
    fdm->sucursal = int(perfil.value(QStringLiteral("SUCU_ID")).toInt());
    EUsuario->setText(fdm->nom_usuario);
    cod_asesor = perfil.value(QStringLiteral("VEND_COD")).toString();
    fdmcnt->ano_contable = perfil.text(QStringLiteral("USER_ANOCNT"));
    Fdmips->nit_medico = fdm->valor(QStringLiteral("SELECT TERC_NIT FROM MEDICOS WHERE MDCO_USUARIO = ") +
                                    sqltext::quoted(fdm->cod_usuario))
                             .toString();
    avisos_->verificar_mensajes();
    avisos_->verificar_citas();
    if (Fdmips->nit_medico.isEmpty())
        Fdmips->nit_enfermera = fdm->valor(QStringLiteral("SELECT TERC_NIT FROM ENFERMERAS WHERE ENFE_USUARIO = ") +
                                           sqltext::quoted(fdm->cod_usuario))
                                    .toString();
    fdmcnt->periodo_contable = int(perfil.value(QStringLiteral("USER_PERCNT")).toInt());
    fdm->duracion_busqueda = int(Value(fdm->configuracion(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                          QStringLiteral("DURACION DE LAS BUSQUEDAS")))
                                     .toInt()) *
                             1000;
    conectar_compania = false;
    // 12.
    perfil.close();
    // 13.
    primera_activacion = false;
    return true;
}
