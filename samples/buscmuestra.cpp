#include "samples/buscmuestra.h"

#include "common/SqlText.h"
#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "data/dm.h"
#include "samples/dmips.h"
#include "ui/DataGrid.h"
#include "ui/GridFilterSwitch.h"
#include "ui/GridServices.h"
#include "ui/GridSettings.h"
#include "ui/Pantallas.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kSelect = QStringLiteral(
    "select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e "
    "where m.toma_examen = e.tiex_cod ");
} // namespace

Tfbuscmuestra::Tfbuscmuestra(ScreenBase* owner) : ScreenBase(owner) {
    setObjectName(QStringLiteral("Fbuscmuestra"));
    setWindowTitle(QStringLiteral("Búsqueda de muestras"));

    auto* pMuestras = new Provider(QStringLiteral("PMuestras"), Fdmips->QMuestras, this);
    CMuestras = new ClientDataSet(QStringLiteral("CMuestras"), this);
    CMuestras->setProvider(pMuestras);

    // --- top panel: the criteria
    auto* main = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    RGBuscar = new QGroupBox(QStringLiteral("Buscar por "));
    auto* choices = new QGridLayout(RGBuscar);
    RBNumero = new QRadioButton(QStringLiteral("&Número"));
    RBFecha = new QRadioButton(QStringLiteral("&Fecha"));
    RBPaciente = new QRadioButton(QStringLiteral("&Paciente"));
    RBPaciente->setChecked(true);
    // two columns, filled top to bottom
    choices->addWidget(RBNumero, 0, 0);
    choices->addWidget(RBFecha, 1, 0);
    choices->addWidget(RBPaciente, 0, 1);
    top->addWidget(RGBuscar);

    auto* criteria = new QGridLayout;
    auto* lBuscar = new QLabel(QStringLiteral("Texto a buscar:"));
    TxBuscar = new QLineEdit;
    TxBuscar->setObjectName(QStringLiteral("TxBuscar"));
    TxBuscar->setMinimumWidth(220);
    lBuscar->setBuddy(TxBuscar);
    ckPosicion = new QCheckBox(QStringLiteral("Buscar e&n cualquier posición"));
    ckPosicion->setChecked(true);
    SBBuscar = new QPushButton(QStringLiteral("&Buscar"));
    SBBuscar->setToolTip(QStringLiteral("Iniciar búsqueda"));
    criteria->addWidget(lBuscar, 0, 0);
    criteria->addWidget(TxBuscar, 0, 1);
    criteria->addWidget(SBBuscar, 0, 2);
    criteria->addWidget(ckPosicion, 1, 1);
    top->addLayout(criteria);
    top->addStretch();
    main->addLayout(top);

    // --- the list
    DBGrid = new DataGrid;
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->setDataSet(CMuestras);
    // a date or a seven-digit number is never cut short, whatever the font
    const int fecha = DBGrid->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 10;
    const int numero = DBGrid->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 10;
    DBGrid->setColumns({GridColumn::text(QStringLiteral("TOMA_ID"), QStringLiteral("#"), 35, numero),
                        GridColumn::text(QStringLiteral("TOMA_FECHA"), QStringLiteral("Fecha"), 70, fecha),
                        GridColumn::text(QStringLiteral("TOMA_NIT"), QStringLiteral("C.C."), 90),
                        GridColumn::text(QStringLiteral("TOMA_IDHIS"), QStringLiteral("ID"), 80),
                        GridColumn::text(QStringLiteral("TOMA_NOM"), QStringLiteral("Nombre"), 250),
                        GridColumn::text(QStringLiteral("TIEX_NOM"), QStringLiteral("Exámen"), 150)});
    DBGrid->horizontalHeader()->setStretchLastSection(true); // the exam takes the rest
    DBGrid->setTitleClicks(DataGrid::TitleClicks::Notify);
    DBGrid->setLocalFiltering(true);
    servicios = new GridServices(this, GridSettings::muestras());
    servicios->attach(DBGrid);
    ckfiltro = servicios->filterSwitch(DBGrid);
    criteria->addWidget(ckfiltro, 1, 2);
    main->addWidget(DBGrid, 1);

    // --- navigator and buttons
    auto* bottom = new QHBoxLayout;
    auto navButton = [&](const QString& text, const QString& tip) {
        auto* b = new QToolButton;
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(true);
        bottom->addWidget(b);
        return b;
    };
    NavPrimero = navButton(QStringLiteral("|◀"), QStringLiteral("Primero"));
    NavAnterior = navButton(QStringLiteral("◀"), QStringLiteral("Anterior"));
    NavSiguiente = navButton(QStringLiteral("▶"), QStringLiteral("Siguiente"));
    NavUltimo = navButton(QStringLiteral("▶|"), QStringLiteral("Último"));
    bottom->addStretch();
    SBImprimir = new QPushButton(QStringLiteral("F2: Imprimir"));
    SBSalir = new QPushButton(QStringLiteral("Esc: Salir"));
    for (QPushButton* b : {SBImprimir, SBSalir}) {
        b->setFocusPolicy(Qt::NoFocus);
        bottom->addWidget(b);
    }
    main->addLayout(bottom);

    // --- keys and actions
    onKey(Qt::Key_F2, [this] { SBImprimirClick(); });
    onKey(Qt::Key_Escape, [this] { SBSalirClick(); });
    // Shift+F12 goes to the search text whatever else is held with Shift
    const auto alBuscar = [this] {
        TxBuscar->setFocus();
        TxBuscar->selectAll();
    };
    for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::ShiftModifier | Qt::ControlModifier,
                                    Qt::ShiftModifier | Qt::AltModifier,
                                    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier})
        onKey(Qt::Key_F12, alBuscar, m);
    // Enter in the search text runs the search
    keepEnter(TxBuscar);
    connect(TxBuscar, &QLineEdit::returnPressed, this, [this] { SBBuscarClick(); });
    connect(SBBuscar, &QPushButton::clicked, this, [this] { SBBuscarClick(); });
    connect(SBImprimir, &QPushButton::clicked, this, [this] { SBImprimirClick(); });
    connect(SBSalir, &QPushButton::clicked, this, [this] { SBSalirClick(); });
    connect(DBGrid, &DataGrid::titleClicked, this, [this](int column, Qt::KeyboardModifiers) { DBGridTitleClick(column); });
    connect(DBGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { SBImprimirClick(); });
    connect(NavPrimero, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::first); });
    connect(NavAnterior, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::prior); });
    connect(NavSiguiente, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::next); });
    connect(NavUltimo, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::last); });

    ready();

    DataGrid::setSearchDelay(fdm->duracion_busqueda);
    resize(820, 480);
    placeCascaded(8, 6);
    abrir_lista(QStringLiteral("toma_id"));
    DBGrid->setFocus(); // typing searches the list; Shift+F12 goes to the search text
}

Tfbuscmuestra::~Tfbuscmuestra() = default;

QString Tfbuscmuestra::columna_busqueda() const {
    if (RBNumero->isChecked())
        return QStringLiteral("toma_nit");
    if (RBFecha->isChecked())
        return QStringLiteral("toma_fecha");
    return QStringLiteral("toma_nom");
}

void Tfbuscmuestra::compone_query(const QString& orden) {
    const QString columna = columna_busqueda();
    const QString texto = TxBuscar->text();
    QString sql = kSelect;
    if (!texto.isEmpty()) {
        // the text goes in as a quoted literal, so a quote typed in it is
        // just a character to look for
        sql += QStringLiteral(" and upper(") + columna;
        if (ckPosicion->isChecked())
            sql += QStringLiteral(") like upper(") + sqltext::quoted(QLatin1Char('%') + texto + QLatin1Char('%')) +
                   QLatin1Char(')');
        else
            sql += QStringLiteral(") >= upper(") + sqltext::quoted(texto) + QLatin1Char(')');
    }
    sql += QStringLiteral(" order by ") + (orden.isEmpty() ? columna : orden) + QStringLiteral(" desc, toma_id desc");
    query_ = sql;
}

void Tfbuscmuestra::abrir_lista(const QString& orden) {
    compone_query(orden);
    // the title shows the order the rows come in
    const int column = DBGrid->columnOf(orden.isEmpty() ? columna_busqueda() : orden);
    DBGrid->setSortKeys(column >= 0 ? std::vector<GridHeader::SortKey>{{column, true}}
                                    : std::vector<GridHeader::SortKey>{});
    fdm->protect([this] {
        CMuestras->close();
        CMuestras->setCommandText(query_);
        CMuestras->open(); // a statement the database refuses leaves the list closed
    });
}

void Tfbuscmuestra::SBBuscarClick() { abrir_lista(QString()); }

void Tfbuscmuestra::DBGridTitleClick(int column) {
    if (column < 0 || column >= int(DBGrid->columns().size()))
        return;
    abrir_lista(DBGrid->columns()[size_t(column)].field);
}

void Tfbuscmuestra::navegar(void (ClientDataSet::*paso)()) {
    if (!CMuestras->active())
        return;
    fdm->protect([&] { (CMuestras->*paso)(); });
}

void Tfbuscmuestra::SBImprimirClick() {
    if (!CMuestras->active() || CMuestras->isEmpty())
        return;
    const qint64 id = CMuestras->value(QStringLiteral("TOMA_ID")).toInt();
    if (id <= 0)
        return;
    Fdmips->id_muestra = QString::number(id);
    pantallas::abrir(QStringLiteral("Fimprmuestra"), this);
}

void Tfbuscmuestra::SBSalirClick() { closeScreen(); }
