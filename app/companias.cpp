#include "app/companias.h"

#include "app/conscompania.h"
#include "app/nvacompania.h"
#include "app/principal.h"
#include "common/Registry.h"
#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/DataSetModel.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/dm.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int kAncho = 940;
constexpr int kAlto = 420;

struct Columna {
    const char* campo;
    const char* titulo;
    int ancho;
};
// Headings and widths of the list; the logo is not shown.
const Columna kColumnas[] = {{"COMP_COD", "Código", 60},     {"COM_NOMBRE", "Nombre", 180},
                             {"COMP_NIT", "NIT", 100},        {"COMP_DIR", "Dirección", 180},
                             {"COMP_TELS", "Teléfonos", 180}, {"COMP_ENCABEZADO", "Encabezado", 180}};
} // namespace

Tfcompanias::Tfcompanias(QWidget*)
    : ScreenBase(nullptr, false), PCompanias(QStringLiteral("PCompanias"), fdm->TCompania, this),
      PUsuario(QStringLiteral("PUsuario"), fdm->QAcceso, this), CCompanias(QStringLiteral("CCompanias"), this),
      CUsuario(QStringLiteral("CUsuario"), this) {
    setObjectName(QStringLiteral("fcompanias"));
    setWindowTitle(QStringLiteral("Compañías de trabajo"));

    CCompanias.setProvider(&PCompanias);
    CUsuario.setProvider(&PUsuario);
    for (const Columna& c : kColumnas)
        CCompanias.defineField(QString::fromLatin1(c.campo)).displayLabel = QString::fromUtf8(c.titulo);
    CCompanias.defineField(QStringLiteral("COMP_LOGO"), FieldType::Blob).visible = false;

    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(10, 10, 10, 10);
    Grid = new QTableView;
    Grid->setObjectName(QStringLiteral("Grid"));
    DCompanias = new DataSetModel(&CCompanias, this);
    Grid->setModel(DCompanias);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setAlternatingRowColors(true);
    Grid->verticalHeader()->setDefaultSectionSize(22);
    Grid->verticalHeader()->setFixedWidth(18);
    Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid->horizontalHeader()->setHighlightSections(false);
    raiz->addWidget(Grid, 1);

    auto* botones = new QHBoxLayout;
    SBNuevo = new QPushButton(QStringLiteral("F5: &Nueva"));
    SBNuevo->setObjectName(QStringLiteral("SBNuevo"));
    SBModificar = new QPushButton(QStringLiteral("F4:Consultar"));
    SBModificar->setObjectName(QStringLiteral("SBModificar"));
    SBBorrar = new QPushButton(QStringLiteral("ALT+F3: &Borrar"));
    SBBorrar->setObjectName(QStringLiteral("SBBorrar"));
    SBSelec = new QPushButton(QStringLiteral("F10:&Selecciona"));
    SBSelec->setObjectName(QStringLiteral("SBSelec"));
    SBSalir = new QPushButton(QStringLiteral("ESC: &Salir"));
    SBSalir->setObjectName(QStringLiteral("SBSalir"));
    for (QPushButton* b : {SBNuevo, SBModificar, SBBorrar, SBSelec, SBSalir}) {
        b->setMinimumSize(120, 32);
        b->setFocusPolicy(Qt::TabFocus);
        botones->addWidget(b);
    }
    botones->insertStretch(3);
    raiz->addLayout(botones);

    connect(SBNuevo, &QPushButton::clicked, this, &Tfcompanias::SBNuevoClick);
    connect(SBModificar, &QPushButton::clicked, this, &Tfcompanias::SBModificarClick);
    connect(SBBorrar, &QPushButton::clicked, this, &Tfcompanias::SBBorrarClick);
    connect(SBSelec, &QPushButton::clicked, this, &Tfcompanias::SBSelecClick);
    connect(SBSalir, &QPushButton::clicked, this, &Tfcompanias::SBSalirClick);
    connect(Grid, &QTableView::doubleClicked, this, [this] { SBSelecClick(); });
    onKey(Qt::Key_F5, [this] { SBNuevoClick(); });
    onKey(Qt::Key_F4, [this] { SBModificarClick(); });
    onKey(Qt::Key_F3, [this] { borra_compania(); }, Qt::AltModifier);
    onKey(Qt::Key_F10, [this] { SBSelecClick(); });
    onKey(Qt::Key_Return, [this] { SBSelecClick(); });
    onKey(Qt::Key_Escape, [this] { SBSalirClick(); });

    // The grid's current row is the dataset's current row.
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                if (actual.isValid() && actual.row() != CCompanias.recNo())
                    CCompanias.moveTo(actual.row());
            });
    connect(DCompanias, &QAbstractItemModel::modelReset, this, [this] {
        anchos();
        if (CCompanias.recNo() >= 0)
            Grid->selectRow(CCompanias.recNo());
    });

    // Creation: the user's companies and the user's rights.
    fdm->protect([this] {
        const QString usuario = sqltext::quoted(fdm->cod_usuario);
        CCompanias.setCommandText(QStringLiteral("select * from compania where comp_cod in (select comp_cod from "
                                                 "compania_usuario where usua_cod = ") +
                                  usuario + QLatin1Char(')'));
        CCompanias.open();
        CUsuario.setCommandText(QStringLiteral("select * from usuario where usua_cod = ") + usuario);
        CUsuario.open();
        usua_admin_ = !CUsuario.isEmpty() && CUsuario.text(QStringLiteral("USUA_ADMIN")) == QStringLiteral("S");
        CUsuario.close();
    });
    for (QPushButton* b : {SBNuevo, SBModificar, SBBorrar})
        b->setEnabled(usua_admin_);
    anchos();
    if (CCompanias.recNo() >= 0)
        Grid->selectRow(CCompanias.recNo());

    setMinimumSize(600, 300);
    resize(kAncho, kAlto);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        move(a.x() + (a.width() - kAncho) / 2, a.y() + (a.height() - kAlto) / 2);
    }
    Grid->setFocus();
    ready();
}

Tfcompanias::~Tfcompanias() = default;

void Tfcompanias::anchos() {
    for (int col = 0; col < DCompanias->columnCount(); ++col) {
        const QString campo = CCompanias.field(DCompanias->fieldOf(col)).name;
        for (const Columna& c : kColumnas)
            if (campo == QLatin1String(c.campo))
                Grid->setColumnWidth(col, c.ancho);
    }
}

QString Tfcompanias::codigo_actual() const {
    return CCompanias.active() && !CCompanias.isEmpty() ? CCompanias.text(QStringLiteral("COMP_COD")) : QString();
}

void Tfcompanias::refresca() {
    fdm->protect([this] {
        CCompanias.close();
        CCompanias.open();
    });
}

void Tfcompanias::SBNuevoClick() {
    if (!usua_admin_)
        return;
    {
        Tfnvacompania nueva;
        nueva.execModal();
    }
    refresca();
}

void Tfcompanias::SBModificarClick() {
    if (!usua_admin_ || !Fprincipal)
        return;
    Fprincipal->cod_compania = codigo_actual();
    {
        Tfconscompania ficha;
        ficha.execModal();
    }
    refresca();
}

void Tfcompanias::SBBorrarClick() {
    UserDialogs::current().information(QStringLiteral("Para eliminar completamente la compañía presione ALT + F3"));
}

void Tfcompanias::borra_compania() {
    if (!usua_admin_)
        return;
    const QString codigo = codigo_actual();
    if (codigo.isEmpty())
        return; // nothing selected
    UserDialogs& dialogos = UserDialogs::current();
    if (!dialogos.confirm(QStringLiteral("Esta seguro de borrar el registro de la compañía ") + codigo +
                          QStringLiteral(".Después de eliminada no podrá volver a ingresar a ella.")))
        return;
    if (dialogos.confirm(QStringLiteral("Desea eliminar la carpeta con todos los datos de la compañía ") + codigo +
                         QLatin1Char('?'))) {
        // Only a folder directly under datos is ever touched.
        const QString datos = ::diraplicacion() + QStringLiteral("/datos/");
        const bool nombreSeguro = !codigo.trimmed().isEmpty() && !codigo.contains(QLatin1Char('/')) &&
                                  !codigo.contains(QLatin1Char('\\')) && codigo.trimmed() != QStringLiteral(".") &&
                                  codigo.trimmed() != QStringLiteral("..");
        if (nombreSeguro && QFile::remove(datos + codigo + QStringLiteral("/zentavo.fdb")))
            QDir().rmdir(datos + codigo);
    }
    fdm->protect([&] {
        // Links and company go together: a failure leaves both in place.
        FbTransaction tx(fdm->ConGeneral);
        FbStatement(tx, QStringLiteral("delete from compania_usuario where comp_cod = ") + sqltext::quoted(codigo))
            .execute();
        FbStatement(tx, QStringLiteral("delete from compania where comp_cod = ") + sqltext::quoted(codigo)).execute();
        tx.commit();
    });
    refresca();
}

void Tfcompanias::SBSelecClick() {
    if (!Fprincipal)
        return;
    Fprincipal->cod_compania = codigo_actual();
    Fprincipal->NomCia->setText(CCompanias.active() && !CCompanias.isEmpty()
                                    ? CCompanias.text(QStringLiteral("COM_NOMBRE"))
                                    : QString());
    Fprincipal->conectar_compania = true;
    closeScreen();
}

void Tfcompanias::SBSalirClick() {
    if (!Fprincipal) {
        closeScreen();
        return;
    }
    Fprincipal->conectar_compania = false;
    closeScreen();
    if (Fprincipal->cod_compania.isEmpty())
        Fprincipal->terminar();
}
