#include "patients/tercerostm.h"

#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "data/dm.h"
#include "patients/dmter.h"
#include "patients/navegador.h"
#include "ui/DataGrid.h"
#include "ui/GridFilterSwitch.h"
#include "ui/GridModel.h"
#include "ui/GridServices.h"
#include "ui/GridSettings.h"
#include "ui/Pantallas.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

const QString Tftercerostm::kSentenciaBase = QStringLiteral(
    "select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, "
    "HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit)");

namespace {
constexpr int kPalabras = 4; // search words beyond the fourth are ignored
const QString kAccesoNuevo = QStringLiteral("Acceso no permitido. Comuníquese con el administrador del sistema.");
const QString kAccesoBorrar = QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");
} // namespace

QString Tftercerostm::columna(Columna c) {
    switch (c) {
    case Identificacion: return QStringLiteral("terc_nit");
    case Nombre: return QStringLiteral("terc_nom");
    case Contacto: return QStringLiteral("terc_contacto");
    case Historia: return QStringLiteral("hicl_id");
    }
    return QStringLiteral("terc_nom");
}

QString Tftercerostm::sentencia_busqueda(const QString& base, Columna c, const QString& texto,
                                         bool cualquierPosicion) {
    const QString orden = QStringLiteral("order by ") + columna(c);
    if (texto.isEmpty())
        return base + orden;
    // The order may name the identification alone (it is a column of the
    // list); a condition may not: the clinical-record register has one too.
    const QString col = c == Identificacion ? QStringLiteral("T.terc_nit") : columna(c);
    // Every single blank separates two words: two blanks in a row give an
    // empty word.
    const QStringList palabras = texto.split(QLatin1Char(' '), Qt::KeepEmptyParts).mid(0, kPalabras);
    QString sql = base + QStringLiteral(" where ");
    for (qsizetype i = 0; i < palabras.size(); ++i) {
        const QString& p = palabras[i];
        if (i > 0 && p.isEmpty())
            continue;
        const QString literal = cualquierPosicion ? sqltext::quoted(QLatin1Char('%') + p + QLatin1Char('%'))
                                                  : sqltext::quoted(p);
        sql += (i > 0 ? QStringLiteral("and upper(") : QStringLiteral("upper(")) + col +
               (cualquierPosicion ? QStringLiteral(") like upper(") : QStringLiteral(") >= upper(")) + literal +
               QStringLiteral(") ");
    }
    return sql + orden;
}

Tftercerostm::Tftercerostm(ScreenBase* owner) : ScreenBase(owner) {
    setObjectName(QStringLiteral("Ftercerostm"));
    setWindowTitle(QStringLiteral("Busqueda de Terceros"));

    PTerceros = new Provider(QStringLiteral("PTerceros"), fdmter->QTerceros, this);
    CTerceros = new ClientDataSet(QStringLiteral("CTerceros"), this);
    CTerceros->setProvider(PTerceros);
    PBorrar = new Provider(QStringLiteral("PBorrar"), fdm->QBorrar, this);
    CBorrar = new ClientDataSet(QStringLiteral("CBorrar"), this);
    CBorrar->setProvider(PBorrar);

    // --- search bar
    auto* main = new QVBoxLayout(this);
    auto* barra = new QHBoxLayout;
    auto* grupo = new QGroupBox(QStringLiteral("Buscar en:"));
    auto* opciones = new QGridLayout(grupo);
    RGBuscar = new QButtonGroup(this);
    const QString titulos[] = {QStringLiteral("CC/&Historia"), QStringLiteral("No&mbre"), QStringLiteral("Con&tacto"),
                               QStringLiteral("&ID")};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(titulos[i]);
        RGBuscar->addButton(r, i);
        opciones->addWidget(r, i / 2, i % 2);
    }
    RGBuscar->button(Nombre)->setChecked(true);
    barra->addWidget(grupo);
    auto* texto = new QGridLayout;
    texto->addWidget(new QLabel(QStringLiteral("Texto a buscar:")), 0, 0);
    EBuscar = new QLineEdit;
    EBuscar->setObjectName(QStringLiteral("EBuscar"));
    texto->addWidget(EBuscar, 0, 1);
    sbBuscar = new QPushButton(QStringLiteral("&Buscar"));
    sbBuscar->setToolTip(QStringLiteral("Buscar"));
    sbBuscar->setFocusPolicy(Qt::NoFocus);
    texto->addWidget(sbBuscar, 0, 2);
    CkDesorden = new QCheckBox(QStringLiteral("Buscar e&n cualquier posición"));
    CkDesorden->setObjectName(QStringLiteral("CkDesorden"));
    CkDesorden->setChecked(true);
    texto->addWidget(CkDesorden, 1, 1);
    barra->addLayout(texto, 1);
    main->addLayout(barra);

    // --- the list
    DBGridEh1 = new DataGrid;
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setToolTip(QStringLiteral("Haga Click sobre el nombre la columna para ordenar la consulta."));
    DBGridEh1->setColumns({
        GridColumn::text(QStringLiteral("TERC_NIT"), QStringLiteral("CC/Historia"), 72, 70),
        GridColumn::text(QStringLiteral("HICL_ID"), QStringLiteral("ID"), 60),
        GridColumn::text(QStringLiteral("TERC_NOM"), QStringLiteral("Nombre"), 162, 100),
        GridColumn::text(QStringLiteral("TERC_CONTACTO"), QStringLiteral("Contacto"), 164, 100),
        GridColumn::text(QStringLiteral("TERC_CIU"), QStringLiteral("Ciudad"), 70),
        GridColumn::text(QStringLiteral("TERC_TEL"), QStringLiteral("Teléfonos"), 73, 70),
        GridColumn::check(QStringLiteral("TERC_ESTADO"), QStringLiteral("Activo"), 35),
    });
    DBGridEh1->setDataSet(CTerceros);
    DBGridEh1->setFitColumnsToWidth(true);
    DBGridEh1->setHighlightCurrentRow(true);
    // the titles sort the loaded rows; the filter row does not filter them
    DBGridEh1->setTitleClicks(DataGrid::TitleClicks::SortLoadedRows);
    DBGridEh1->setLocalFiltering(false);
    // inactive third parties are written in red
    DBGridEh1->setCellStyleHook([this](int row, int, CellStyle& style) {
        const int estado = CTerceros->fieldIndex(QStringLiteral("TERC_ESTADO"));
        if (estado >= 0 && CTerceros->valueAt(row, estado).toString() == QLatin1String("N"))
            style.text = Qt::red;
    });
    servicios = new GridServices(this, GridSettings::terceros());
    servicios->attach(DBGridEh1);
    ckfiltro = servicios->filterSwitch(DBGridEh1);
    ckfiltro->setObjectName(QStringLiteral("ckfiltro"));
    texto->addWidget(ckfiltro, 1, 2);
    main->addWidget(DBGridEh1, 1);

    navegador = new Navegador(CTerceros, Navegador::Movimiento);
    main->addWidget(navegador);
    main->addWidget(new QLabel(QStringLiteral(
        "Para ubicar un tercero seleccione la columna por la que desea buscar y digite parte del dato a ubicar.")));

    auto* botones = new QHBoxLayout;
    SBNuevo = new QPushButton(QStringLiteral("F5:&Nuevo"));
    SBModificar = new QPushButton(QStringLiteral("F4:&Modificar"));
    SBBorrar = new QPushButton(QStringLiteral("F3:&Eliminar"));
    SBSelec = new QPushButton(QStringLiteral("Enter:Seleccionar"));
    SBSalir = new QPushButton(QStringLiteral("Esc: Salir"));
    botones->addStretch();
    for (QPushButton* b : {SBNuevo, SBModificar, SBBorrar, SBSelec, SBSalir}) {
        b->setFocusPolicy(Qt::NoFocus);
        botones->addWidget(b);
    }
    main->addLayout(botones);

    connect(sbBuscar, &QPushButton::clicked, this, [this] { sbBuscarClick(); });
    connect(SBNuevo, &QPushButton::clicked, this, [this] { SBNuevoClick(); });
    connect(SBModificar, &QPushButton::clicked, this, [this] { SBModificarClick(); });
    connect(SBBorrar, &QPushButton::clicked, this, [this] { SBBorrarClick(); });
    connect(SBSelec, &QPushButton::clicked, this, [this] { SBSelecClick(); });
    connect(SBSalir, &QPushButton::clicked, this, [this] { SBSalirClick(); });
    connect(DBGridEh1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid())
            return;
        if (mantenimiento_)
            SBModificarClick();
        else
            SBSelecClick();
    });
    // typing in the filter row only reads the list again
    connect(DBGridEh1, &DataGrid::filterChanged, this, [this] { releer(); });

    onKey(Qt::Key_F3, [this] { SBBorrarClick(); });
    onKey(Qt::Key_F4, [this] { SBModificarClick(); });
    onKey(Qt::Key_F5, [this] { SBNuevoClick(); });
    onKey(Qt::Key_Escape, [this] { SBSalirClick(); });
    onKey(Qt::Key_F12, [this] { EBuscar->setFocus(); }, Qt::ShiftModifier);

    resize(760, 480);

    // --- creation, in its order
    ready(); // the datasets get the shared error handling
    mantenimiento_ = fdm->solo_consulta;
    DataGrid::setSearchDelay(fdm->duracion_busqueda);
    if (!mantenimiento_)
        DBGridEh1->setBaseFilter([estado = -1](const ClientDataSet& d, int row) mutable {
            static const QString campo = QStringLiteral("TERC_ESTADO");
            if (estado < 0 || estado >= d.fieldCount() || d.field(estado).name != campo)
                estado = d.fieldIndex(campo);
            return estado >= 0 && d.rowValue(row, estado).toString() == QLatin1String("S");
        });
    CTerceros->setCommandText(kSentenciaBase + QStringLiteral("order by terc_nom"));
    fdm->protect([this] { CTerceros->open(); }, PTerceros);
    placeCascaded(3, 2);
    SBSelec->setVisible(!mantenimiento_);
    std::vector<GridColumn> columnas = DBGridEh1->columns();
    columnas[size_t(DBGridEh1->columnOf(QStringLiteral("TERC_ESTADO")))].visible = mantenimiento_;
    DBGridEh1->setColumns(std::move(columnas));
}

Tftercerostm::~Tftercerostm() = default;

bool Tftercerostm::eventFilter(QObject* watched, QEvent* event) {
    // Enter searches from the search box and picks the row anywhere else,
    // except while the filter row shows: then it stays the filter row's.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        auto* w = qobject_cast<QWidget*>(watched);
        if (enter && !(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) && w &&
            (w == this || isAncestorOf(w)) && w->isEnabled()) {
            if (w == EBuscar) {
                sbBuscarClick();
                return true;
            }
            if (DBGridEh1->isFilterRowVisible())
                return QWidget::eventFilter(watched, event);
            SBSelecClick();
            return true;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}

QString Tftercerostm::nitActual() const {
    if (!CTerceros->active() || CTerceros->isEmpty())
        return {};
    return CTerceros->text(QStringLiteral("TERC_NIT"));
}

void Tftercerostm::releer() {
    fdm->protect(
        [this] {
            CTerceros->close();
            CTerceros->open();
        },
        PTerceros);
}

void Tftercerostm::FormActivate() {
    // third parties created, changed or deleted in other windows show up
    releer();
    DBGridEh1->setFocus();
    const int id = DBGridEh1->columnOf(QStringLiteral("HICL_ID"));
    const int row = CTerceros->recNo();
    if (row >= 0 && id >= 0 && DBGridEh1->gridModel() && row < DBGridEh1->gridModel()->rowCount())
        DBGridEh1->selectionModel()->setCurrentIndex(DBGridEh1->gridModel()->index(row, id),
                                                     QItemSelectionModel::NoUpdate);
}

void Tftercerostm::sbBuscarClick() {
    const auto c = Columna(std::max(0, RGBuscar->checkedId()));
    const QString sql = sentencia_busqueda(kSentenciaBase, c, EBuscar->text(), CkDesorden->isChecked());
    const QString anterior = CTerceros->commandText();
    const bool ok = fdm->protect(
        [&] {
            CTerceros->close();
            CTerceros->setCommandText(sql);
            CTerceros->open();
        },
        PTerceros);
    if (!ok) {
        // the list stays as it was
        CTerceros->setCommandText(anterior);
        releer();
    }
}

void Tftercerostm::SBNuevoClick() {
    bool permitido = false;
    if (!fdm->protect([&] { permitido = fdm->valide_acceso(fdm->modulo, 10); }))
        return;
    if (!permitido) {
        UserDialogs::current().information(kAccesoNuevo);
        return;
    }
    pantallas::abrir(QStringLiteral("Fnvotercerotm"), this);
}

void Tftercerostm::SBModificarClick() {
    fdmter->nit_modificar = nitActual();
    pantallas::abrir(QStringLiteral("Fmodtercerotm"), this);
}

void Tftercerostm::SBBorrarClick() {
    bool permitido = false;
    if (!fdm->protect([&] { permitido = fdm->valide_acceso(fdm->modulo, 12); }))
        return;
    if (!permitido) {
        UserDialogs::current().information(kAccesoBorrar);
        closeScreen();
        return;
    }
    const QString nit = nitActual();
    if (nit.isEmpty())
        return;
    if (!UserDialogs::current().confirm(QStringLiteral("Desea borrar definitivamente el tercero con NIT ") + nit +
                                        QStringLiteral(" ?")))
        return;
    const bool borrado = fdm->protect(
        [&] {
            CBorrar->setCommandText(QStringLiteral("delete from terceros where terc_nit = ") + sqltext::quoted(nit));
            CBorrar->execute();
        },
        PBorrar);
    if (borrado)
        releer(); // a refused delete leaves the list as it was
}

void Tftercerostm::SBSelecClick() {
    fdmter->nit_pendiente = nitActual();
    closeScreen();
}

void Tftercerostm::SBSalirClick() { closeScreen(); }
