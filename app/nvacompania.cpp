#include "app/nvacompania.h"

#include "app/fichacompania.h"
#include "app/principal.h"
#include "common/Registry.h"
#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/FbConnection.h"
#include "data/dm.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kAncho = 560;
constexpr int kAlto = 340;

// Undoes what an unfinished creation left on disk: the copied database and
// the company folder when this attempt made it.
void quita_copia(FbConnection& conexion, const QString& base, const QString& carpeta, bool carpetaCreada) {
    try {
        conexion.close();
    } catch (...) {
        conexion.discard();
    }
    QFile::remove(base);
    if (carpetaCreada)
        QDir().rmdir(carpeta);
}
} // namespace

Tfnvacompania::Tfnvacompania(ScreenBase* owner)
    : ScreenBase(owner, false), PCompania(QStringLiteral("PCompania"), fdm->TCompania, this),
      CCompania(QStringLiteral("CCompania"), this) {
    setObjectName(QStringLiteral("fnvacompania"));
    setWindowTitle(QStringLiteral("Nueva compañía"));

    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(16, 16, 16, 12);
    Ficha = new Tfichacompania;
    raiz->addWidget(Ficha);
    raiz->addStretch();
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    SBGrabar = new QPushButton(QStringLiteral("F2: &Grabar"));
    SBGrabar->setObjectName(QStringLiteral("SBGrabar"));
    SBSalir = new QPushButton(QStringLiteral("ESC: &Salir"));
    SBSalir->setObjectName(QStringLiteral("SBSalir"));
    for (QPushButton* b : {SBGrabar, SBSalir}) {
        b->setMinimumSize(110, 30);
        b->setFocusPolicy(Qt::TabFocus);
        botones->addWidget(b);
    }
    raiz->addLayout(botones);

    PProgreso = new QLabel(this);
    PProgreso->setObjectName(QStringLiteral("PProgreso"));
    PProgreso->setAlignment(Qt::AlignCenter);
    PProgreso->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PProgreso->setLineWidth(2);
    PProgreso->setAutoFillBackground(true);
    QFont negrita = PProgreso->font();
    negrita.setBold(true);
    PProgreso->setFont(negrita);
    PProgreso->resize(420, 48);
    PProgreso->hide();

    connect(SBGrabar, &QPushButton::clicked, this, &Tfnvacompania::SBGrabarClick);
    connect(SBSalir, &QPushButton::clicked, this, &Tfnvacompania::SBSalirClick);
    onKey(Qt::Key_F2, [this] { SBGrabarClick(); });
    onKey(Qt::Key_Escape, [this] { SBSalirClick(); });

    // The COMPANIA rows are not needed here, only their columns and a new row.
    PCompania.onUpdateError = [](Provider& p, ClientDataSet& ds, const std::exception& e) {
        return fdm->ManejarError(&p, &ds, e);
    };
    CCompania.setProvider(&PCompania);
    CCompania.setCommandText(QStringLiteral("select * from compania where 1 = 0"));
    CCompania.onFieldChange = [this](ClientDataSet&, const Field& f) {
        if (f.name == QStringLiteral("COMP_COD"))
            valida_codigo();
    };
    Ficha->enlaza(&CCompania);
    fdm->protect([this] {
        CCompania.open();
        CCompania.append();
    });

    setFixedSize(kAncho, kAlto);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        move(a.x() + (a.width() - kAncho) / 2, a.y() + (a.height() - kAlto) / 2);
    }
    Ficha->ECodigo->setFocus();
    ready();
}

Tfnvacompania::~Tfnvacompania() = default;

void Tfnvacompania::resizeEvent(QResizeEvent* event) {
    ScreenBase::resizeEvent(event);
    PProgreso->move((width() - PProgreso->width()) / 2, (height() - PProgreso->height()) / 2);
}

void Tfnvacompania::progreso(const QString& texto) {
    PProgreso->setText(texto);
    PProgreso->setVisible(!texto.isEmpty());
    if (!texto.isEmpty())
        PProgreso->raise();
    repaint();
}

void Tfnvacompania::valida_codigo() {
    const QString codigo = CCompania.text(QStringLiteral("COMP_COD"));
    if (codigo.isEmpty())
        return;
    auto rechaza = [this](const QString& mensaje) {
        UserDialogs::current().error(mensaje);
        CCompania.setValue(QStringLiteral("COMP_COD"), Value());
    };
    if (codigo.size() != 3) {
        rechaza(QStringLiteral("El código debe incluir tres dígitos o letras."));
        return;
    }
    for (const QChar c : codigo)
        if (c.isSpace()) {
            rechaza(QStringLiteral("El nombre de la compañía no debe incluir espacios."));
            return;
        }
    // The code names the company's folder: letters and digits only.
    for (const QChar c : codigo)
        if (!c.isLetterOrNumber()) {
            rechaza(QStringLiteral("El código debe incluir tres dígitos o letras."));
            return;
        }
    if (!fdm->valor(QStringLiteral("select * from compania where comp_cod = ") + sqltext::quoted(codigo),
                    &fdm->ConGeneral)
             .isNull())
        rechaza(QStringLiteral("Error, compañía ya registrada."));
}

void Tfnvacompania::SBGrabarClick() {
    fdm->protect([this] { grabar(); });
}

void Tfnvacompania::grabar() {
    Ficha->guarda();
    if (!CCompania.active())
        return;
    // The code is required in COMPANIA: checked before the row is posted.
    if (CCompania.text(QStringLiteral("COMP_COD")).isEmpty() || CCompania.text(QStringLiteral("COM_NOMBRE")).isEmpty()) {
        UserDialogs::current().error(QStringLiteral("Debe indicar el código y el nombre de la compañía."));
        return;
    }
    CCompania.post();

    const QString codigo = CCompania.text(QStringLiteral("COMP_COD"));
    const QString nombre = CCompania.text(QStringLiteral("COM_NOMBRE"));
    const QString nit = CCompania.text(QStringLiteral("COMP_NIT"));
    const QString direccion = CCompania.text(QStringLiteral("COMP_DIR"));
    const QString telefonos = CCompania.text(QStringLiteral("COMP_TELS"));
    const QString dir = ::diraplicacion();

    // Folders: datos, then the company's own.
    progreso(QStringLiteral("Creando carpeta DATOS\\") + codigo + QStringLiteral("..."));
    const QString datos = dir + QStringLiteral("/datos");
    if (!QDir(datos).exists() && !QDir().mkdir(datos))
        UserDialogs::current().error(QStringLiteral("Error creando el subdirectorio datos"));
    const QString carpeta = datos + QLatin1Char('/') + codigo;
    bool carpetaCreada = false;
    if (!QDir(carpeta).exists()) {
        carpetaCreada = QDir().mkdir(carpeta);
        if (!carpetaCreada)
            UserDialogs::current().error(QStringLiteral("Error creando el subdirectorio de la compañía."));
    }

    // The template; never over an existing database.
    const QString base = carpeta + QStringLiteral("/zentavo.fdb");
    if (!QFile::copy(dir + QStringLiteral("/sop/zentavo.fdb"), base)) {
        if (carpetaCreada)
            QDir().rmdir(carpeta);
        progreso(QString());
        UserDialogs::current().error(QStringLiteral("Error. Ya existe la base datos."));
        return;
    }
    // A write-protected template must not give a write-protected company.
    QFile(base).setPermissions(QFile(base).permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    FbConnection conexion(QStringLiteral("ConCompania"));
    const QString usuario = fdm->cod_usuario;
    try {
        progreso(QStringLiteral("Abriendo la base de datos de la compañía ") + codigo + QStringLiteral("..."));
        const QString servidor = Fprincipal ? Fprincipal->servidor : QString();
        conexion.setParam(QStringLiteral("Database"), servidor + QStringLiteral("/datos/") + codigo +
                                                          QStringLiteral("/zentavo.fdb"));
        conexion.setParam(QStringLiteral("User_Name"), usuario);
        conexion.setParam(QStringLiteral("password"), Fprincipal ? Fprincipal->clave : QString());
        conexion.open();

        progreso(QStringLiteral("Registrando usuario y accesos ..."));
        fdm->ejecutar(QStringLiteral("update configuracion set conf_valor = ") + sqltext::quoted(nombre) +
                          QStringLiteral(" where conf_modulo = 'GENERAL' and conf_categoria = 'GENERAL' and "
                                         "conf_propiedad = 'NOMBRE COMPAÑIA'"),
                      &conexion);
        fdm->ejecutar(QStringLiteral("update configuracion set conf_valor = ") + sqltext::quoted(nit) +
                          QStringLiteral(" where conf_modulo = 'CONTABILIDAD' and conf_categoria = 'GENERAL' and "
                                         "conf_propiedad = 'NIT COMPAÑIA'"),
                      &conexion);
        fdm->ejecutar(QStringLiteral("insert into sucursales(sucu_id, sucu_nombre, sucu_direccion, sucu_telefonos) "
                                     "values (1, ") +
                          sqltext::quoted(nombre) + QLatin1Char(',') + sqltext::quoted(direccion) + QLatin1Char(',') +
                          sqltext::quoted(telefonos) + QLatin1Char(')'),
                      &conexion);
        fdm->ejecutar(QStringLiteral("insert into terceros(terc_nit, terc_nom, terc_dir, terc_tel, ciud_cod, "
                                     "terc_clie, terc_prov, terc_empl, terc_exento) values (") +
                          sqltext::quoted(nit) + QLatin1Char(',') + sqltext::quoted(nombre) + QLatin1Char(',') +
                          sqltext::quoted(direccion) + QLatin1Char(',') + sqltext::quoted(telefonos) +
                          QStringLiteral(",'11001','N','N','N','N')"),
                      &conexion);

        // The creating user's profile in the new company.
        const QString usuaCod = fdm->valor(QStringLiteral("select usua_cod, usua_nombre from usuario where usua_cod = ") +
                                               sqltext::quoted(usuario),
                                           &fdm->ConGeneral)
                                    .toString();
        fdm->ejecutar(QStringLiteral("insert into usuario (user_cod, user_anocnt, user_percnt) values (") +
                          sqltext::quoted(usuaCod) + QStringLiteral(", 2006, 1)"),
                      &conexion);
        conexion.close();
    } catch (...) {
        quita_copia(conexion, base, carpeta, carpetaCreada);
        progreso(QString());
        throw; // reported by the program-wide handler
    }

    // The COMPANIA row goes in before the user's link (the link refers to it).
    std::vector<Value> fila;
    for (int i = 0; i < CCompania.fieldCount(); ++i)
        fila.push_back(CCompania.value(i));
    int rechazos = 0;
    try {
        rechazos = CCompania.applyUpdates(0);
    } catch (...) {
        quita_copia(conexion, base, carpeta, carpetaCreada);
        progreso(QString());
        throw;
    }
    if (rechazos > 0) {
        // Already reported by ManejarError; the row stays pending.
        quita_copia(conexion, base, carpeta, carpetaCreada);
        progreso(QString());
        return;
    }
    try {
        fdm->ejecutar(QStringLiteral("insert into compania_usuario (comp_cod, usua_cod) values (") +
                          sqltext::quoted(codigo) + QStringLiteral(", ") + sqltext::quoted(usuario) + QLatin1Char(')'),
                      &fdm->ConGeneral);
    } catch (...) {
        // Take the company back out and let the row be pending again.
        try {
            fdm->ejecutar(QStringLiteral("delete from compania where comp_cod = ") + sqltext::quoted(codigo),
                          &fdm->ConGeneral);
        } catch (...) {
        }
        quita_copia(conexion, base, carpeta, carpetaCreada);
        progreso(QString());
        const auto chequeo = CCompania.onFieldChange;
        CCompania.onFieldChange = nullptr;
        try {
            CCompania.close();
            CCompania.open();
            CCompania.append();
            for (int i = 0; i < int(fila.size()) && i < CCompania.fieldCount(); ++i)
                if (!fila[size_t(i)].isNull())
                    CCompania.setValue(i, fila[size_t(i)]);
            CCompania.post();
        } catch (...) {
        }
        CCompania.onFieldChange = chequeo;
        throw;
    }

    progreso(QString());
    grabado_ = true;
    closeScreen();
}

void Tfnvacompania::SBSalirClick() {
    fdm->protect([this] {
        if (CCompania.active()) {
            CCompania.cancel();
            CCompania.cancelUpdates();
        }
    });
    closeScreen();
}
