#include "app/ctrlacceso.h"

#include "app/principal.h"
#include "common/Registry.h"
#include "common/SqlText.h"
#include "data/dm.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <stdexcept>

namespace {
constexpr int kAncho = 470;
constexpr int kAlto = 240;

// The band across the top of the dialog: a blue gradient with a sample tube.
QPixmap banda(int w, int h) {
    QPixmap pm(w, h);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, QColor(30, 60, 110));
    g.setColorAt(1, QColor(110, 150, 205));
    p.fillRect(pm.rect(), g);
    for (int i = 0; i < 3; ++i) {
        const qreal x = w - 40 - i * 26;
        p.setPen(QPen(QColor(235, 240, 250), 1.5));
        p.setBrush(QColor(235, 240, 250, 90));
        p.drawRoundedRect(QRectF(x, 8, 14, h - 16), 6, 6);
        static const QColor tapas[] = {QColor(200, 40, 60), QColor(240, 190, 40), QColor(60, 160, 90)};
        p.setPen(Qt::NoPen);
        p.setBrush(tapas[i]);
        p.drawRect(QRectF(x - 2, 5, 18, 8));
        p.drawRoundedRect(QRectF(x + 1.5, h * 0.55, 11, h * 0.45 - 10), 5, 5);
    }
    QFont f = p.font();
    f.setPointSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(16, 0, w - 120, h), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Toma de muestras"));
    return pm;
}

// A padlock beside the fields.
QPixmap candado(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cuerpo(w * 0.18, h * 0.45, w * 0.64, h * 0.45);
    p.setPen(QPen(QColor(90, 95, 105), w * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arco;
    arco.moveTo(w * 0.32, h * 0.46);
    arco.lineTo(w * 0.32, h * 0.30);
    arco.arcTo(QRectF(w * 0.32, h * 0.10, w * 0.36, h * 0.36), 180, -180);
    arco.lineTo(w * 0.68, h * 0.46);
    p.drawPath(arco);
    QLinearGradient g(cuerpo.topLeft(), cuerpo.bottomRight());
    g.setColorAt(0, QColor(245, 200, 70));
    g.setColorAt(1, QColor(190, 130, 20));
    p.setPen(QPen(QColor(140, 95, 10), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(cuerpo, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 50, 10));
    p.drawEllipse(QPointF(w * 0.5, h * 0.62), w * 0.06, w * 0.06);
    p.drawRect(QRectF(w * 0.48, h * 0.62, w * 0.04, h * 0.14));
    return pm;
}
} // namespace

Tfacceso::Tfacceso(QWidget*) : ScreenBase(nullptr, false) {
    setObjectName(QStringLiteral("facceso"));
    setWindowTitle(QStringLiteral("Control de acceso"));

    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 10);
    auto* imagenBanda = new QLabel;
    imagenBanda->setObjectName(QStringLiteral("Image2"));
    imagenBanda->setPixmap(banda(kAncho, 54));
    raiz->addWidget(imagenBanda);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->setContentsMargins(14, 6, 18, 0);
    auto* imagenCandado = new QLabel;
    imagenCandado->setObjectName(QStringLiteral("Image1"));
    imagenCandado->setPixmap(candado(90, 110));
    cuerpo->addWidget(imagenCandado, 0, Qt::AlignTop);

    auto* campos = new QGridLayout;
    campos->setHorizontalSpacing(8);
    Tusua = new QLineEdit;
    Tusua->setObjectName(QStringLiteral("Tusua"));
    TClave = new QLineEdit;
    TClave->setObjectName(QStringLiteral("TClave"));
    TClave->setEchoMode(QLineEdit::Password);
    TClave->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    Servidor = new QComboBox;
    Servidor->setObjectName(QStringLiteral("Servidor"));
    Servidor->setEditable(true);
    Servidor->setInsertPolicy(QComboBox::NoInsert);
    Servidor->setMinimumWidth(260);
    Servidor->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    const char* etiquetas[] = {"Usuario : ", "Clave : ", "Servidor : "};
    QWidget* controles[] = {Tusua, TClave, Servidor};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QString::fromUtf8(etiquetas[i]));
        l->setBuddy(controles[i]);
        campos->addWidget(l, i, 0, Qt::AlignRight);
        campos->addWidget(controles[i], i, 1);
    }
    campos->setRowStretch(3, 1);
    cuerpo->addLayout(campos, 1);
    raiz->addLayout(cuerpo, 1);

    auto* botones = new QHBoxLayout;
    botones->setContentsMargins(14, 0, 18, 0);
    botones->addStretch();
    SBEntrar = new QPushButton(QStringLiteral("F2: &Entrar"));
    SBEntrar->setObjectName(QStringLiteral("SBEntrar"));
    SBSalir = new QPushButton(QStringLiteral("ESC: &Salir"));
    SBSalir->setObjectName(QStringLiteral("SBSalir"));
    for (QPushButton* b : {SBEntrar, SBSalir}) {
        b->setMinimumSize(110, 30);
        botones->addWidget(b);
    }
    raiz->addLayout(botones);

    // Drawn over the fields while the server is being asked.
    Panel = new QLabel(QStringLiteral("Conectando con el servidor..."), this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setAlignment(Qt::AlignCenter);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setLineWidth(2);
    Panel->setAutoFillBackground(true);
    QFont negrita = Panel->font();
    negrita.setBold(true);
    Panel->setFont(negrita);
    Panel->resize(280, 44);
    Panel->hide();

    setTabOrder(Tusua, TClave);
    setTabOrder(TClave, Servidor);
    setTabOrder(Servidor, SBEntrar);
    setTabOrder(SBEntrar, SBSalir);

    connect(SBEntrar, &QPushButton::clicked, this, &Tfacceso::SBEntrarClick);
    connect(SBSalir, &QPushButton::clicked, this, &Tfacceso::SBSalirClick);
    onKey(Qt::Key_F2, [this] { SBEntrarClick(); });
    onKey(Qt::Key_Escape, [this] { SBSalirClick(); });

    // Creation: the server list from the installation folder.
    servidores_ = lee_servidores(::diraplicacion() + QStringLiteral("/SERVIDORES.cfg"));
    Servidor->addItems(servidores_);
    if (!servidores_.isEmpty())
        Servidor->setCurrentIndex(0);

    setFixedSize(kAncho, kAlto);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        move(a.x() + (a.width() - kAncho) / 2, a.y() + (a.height() - kAlto) / 2);
    }
    Tusua->setFocus();
    ready();
}

Tfacceso::~Tfacceso() = default;

// One location per line, read byte by byte: a carriage return or a line feed
// ends the line (an empty line gives an empty item) and the byte after a
// carriage return is dropped (the line feed of the pair). A last line without
// an end is not taken. Lines keep at most 255 characters.
QStringList Tfacceso::lee_servidores(const QString& path) {
    QStringList lineas;
    QFile archivo(path);
    if (!archivo.open(QIODevice::ReadOnly))
        return lineas;
    QByteArray linea;
    char c = 0;
    while (archivo.getChar(&c)) {
        if (c == '\r' || c == '\n') {
            lineas << QString::fromUtf8(linea).left(255);
            linea.clear();
            if (c == '\r') {
                char siguiente = 0;
                archivo.getChar(&siguiente);
            }
        } else {
            linea.append(c);
        }
    }
    return lineas;
}

void Tfacceso::FormActivate() { Tusua->setFocus(); }

void Tfacceso::resizeEvent(QResizeEvent* event) {
    ScreenBase::resizeEvent(event);
    Panel->move((width() - Panel->width()) / 2, (height() - Panel->height()) / 2 + 10);
}

void Tfacceso::muestra_panel(bool visible) {
    Panel->setVisible(visible);
    if (visible)
        Panel->raise();
    repaint();
}

void Tfacceso::SBEntrarClick() {
    // 1-3. The server proves the user and the password by letting us in.
    muestra_panel(true);
    const QString servidor = Servidor->currentText();
    const bool conectado = fdm->protect([&] {
        fdm->ConGeneral.close();
        fdm->ConGeneral.setParam(QStringLiteral("Database"), servidor + QStringLiteral("/datos/general.fdb"));
        fdm->ConGeneral.setParam(QStringLiteral("User_Name"), Tusua->text());
        fdm->ConGeneral.setParam(QStringLiteral("password"), TClave->text());
        fdm->ConGeneral.open();
    });
    if (!conectado)
        return; // the panel stays up; the user corrects and tries again
    // 4.
    muestra_panel(false);
    // 5. The location used, for the next start.
    const QString ruta = ::diraplicacion() + QStringLiteral("/conexion.cfg");
    QFile conexion(ruta);
    const QByteArray linea = (servidor + QStringLiteral("\r\n")).toUtf8();
    if (!conexion.open(QIODevice::WriteOnly | QIODevice::Truncate) || conexion.write(linea) != linea.size() ||
        !conexion.flush()) {
        const QString motivo = conexion.errorString();
        fdm->ENoManejada(this, std::runtime_error(
                                   QStringLiteral("No se pudo escribir el archivo %1: %2").arg(ruta, motivo).toStdString()));
        return;
    }
    conexion.close();
    // 6-8. The login context, the display name, and "OK".
    const QString usuario = Tusua->text().toUpper();
    const bool listo = fdm->protect([&] {
        fdm->cod_usuario = usuario;
        if (Fprincipal) {
            Fprincipal->clave = TClave->text();
            Fprincipal->servidor = servidor;
        }
        const QString nombre = fdm->valor(QStringLiteral("select usua_nombre from usuario where usua_cod = ") +
                                              sqltext::quoted(usuario),
                                          &fdm->ConGeneral)
                                   .toString();
        if (Fprincipal)
            Fprincipal->EUsuario->setText(nombre);
    });
    if (!listo)
        return;
    aceptado_ = true;
    closeScreen();
}

void Tfacceso::SBSalirClick() {
    aceptado_ = false;
    closeScreen();
    if (Fprincipal)
        Fprincipal->terminar();
}
